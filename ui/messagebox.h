#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace tallero {

// What the window asks the user: the kind of box, its texts and buttons, and,
// for boxes with buttons of their own wording, the text shown on each.
struct MessageBoxRequest
{
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QList<std::pair<QMessageBox::StandardButton, QString>> buttonTexts;
};

// Answers a request instead of a modal box. Tests install one so that no box
// ever waits for a click; it returns the button "pressed".
using MessageBoxHook = std::function<QMessageBox::StandardButton(const MessageBoxRequest &)>;

// Installs the hook (an empty function restores the real boxes).
void setMessageBoxHook(MessageBoxHook hook);

// The one way the window shows a message box: through the hook when one is
// installed, else as a modal box over `parent`. Returns the button chosen;
// closing the box returns the escape button (Cancel or No when present).
QMessageBox::StandardButton showMessageBox(QWidget *parent, const MessageBoxRequest &request);

// A box with an OK button only: the common case of telling, not asking.
void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);

} // namespace tallero
