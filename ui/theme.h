#pragma once

#include <QString>

namespace tallero {

// The seven colours the window's style sheet is filled with.
struct ThemeColours
{
    QString windowBackground;   // %1
    QString text;               // %2
    QString inputBackground;    // %3 input fields, menus, radio indicators
    QString border;             // %4 borders and table header background
    QString buttonBackground;   // %5 menu bar and push buttons
    QString optimiseBackground; // %6 the "optimize" button
    QString radioMark;          // %7 dot of a checked radio button
};

const ThemeColours &themeColours(bool dark);

// The whole window style sheet of the dark or the light theme.
QString themeStyleSheet(bool dark);

} // namespace tallero
