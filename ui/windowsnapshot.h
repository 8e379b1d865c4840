#pragma once

#include <QString>

class QWidget;

namespace tallero {

// Paints a widget, never shown, at its current size into a transparent image
// and saves it; the format follows the path's suffix. False when the image
// could not be written.
bool saveWidgetSnapshot(QWidget &widget, const QString &path);

} // namespace tallero
