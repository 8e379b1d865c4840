#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTextBrowser;

namespace tallero {

// The user guide in one language: the window title, the close button's text
// and the manual as HTML (h2, h3, p, b, ol, ul and li only). "de" gives the
// shorter German guide, "en" the English one, anything else the Spanish one.
struct UserGuideTexts
{
    QString title;
    QString closeText;
    QString html;
};
UserGuideTexts userGuideTexts(const QString &language);

// The guide as a dialog: the manual in a text browser that never follows a
// link (nothing in it may start another program), and a close button.
class UserGuideDialog : public QDialog
{
    Q_OBJECT

public:
    UserGuideDialog(QWidget *parent, const QString &language);

    QTextBrowser *browser() const { return textBrowser; }
    QPushButton *closeButton() const { return closer; }

    // The size the dialog asks for; it shrinks to smaller screens.
    static constexpr int preferredWidth = 780;
    static constexpr int preferredHeight = 650;

private:
    QTextBrowser *textBrowser = nullptr;
    QPushButton *closer = nullptr;
};

} // namespace tallero
