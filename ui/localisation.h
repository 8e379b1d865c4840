#pragma once

#include <QString>

class QComboBox;
class QPlainTextEdit;
class QTableWidget;
class QWidget;

namespace tallero {

// The language of everything the program produces from now on: "es"
// (Spanish, the default), "en" or "de". Texts already built keep theirs.
const QString &currentLanguage();
void setCurrentLanguage(const QString &code);

// The one text chooser: Spanish, English, or the German of the English text
// when the tables know it (English otherwise).
QString uiText(const QString &spanish, const QString &english);

// Call sites that carry their own German: German when the language is "de",
// English when "en", Spanish otherwise.
QString chooseText(const QString &es, const QString &en, const QString &de);

// A Spanish message of the DXF import or the plan engine in the current
// language; an unknown message comes back unchanged.
QString translateEngineMessage(const QString &message);

// Reads "ui/language"; anything but "en" or "de" means Spanish. The stored
// value is left as it is.
void loadLanguageSetting();

// Turns panels built with English texts into German: labels, buttons, group
// box titles and tooltips below `centralWidget`, the start-corner items, the
// report text and the legend headers. Texts without a German entry stay.
void retranslatePanelsToGerman(QWidget *centralWidget, QComboBox *startCombo,
                               QPlainTextEdit *reportText, QTableWidget *legendTable);

} // namespace tallero
