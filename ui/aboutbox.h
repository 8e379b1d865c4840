#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace tallero {

// The about box in one language: its title and its rich-text body with the
// application's name and version filled in. "de" German, "en" English,
// anything else Spanish.
struct AboutBoxTexts
{
    QString title;
    QString body;
};
AboutBoxTexts aboutBoxTexts(const QString &language);

// Shows the about box over `parent`, modally, as the toolkit's standard
// about box does (the application icon, one OK button).
void showAboutBox(QWidget *parent, const QString &language);

} // namespace tallero
