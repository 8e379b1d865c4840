#pragma once

#include <QString>

class QPushButton;

namespace tallero {

// The push button of every command in the window and its dialogs: "Arial"
// 9 point bold, pointing-hand cursor, at least 28 pixels high. The caller
// gives it a parent (usually through a layout).
QPushButton *makeCommandButton(const QString &text);

} // namespace tallero
