#pragma once

#include <QString>

class QRect;
class QWidget;

namespace tallero {

// The normal start: the application font, the main window shown (within the
// screen's free area), and the event loop. Returns the loop's exit code.
// Needs the application object and a platform that shows windows. A
// `startFile` is opened once the window is shown, so any message about it
// appears over the window.
int runWindowed(const QString &startFile = QString());

// Shrinks a window that does not fit the screen's free area (a 1366 × 768
// laptop) to that area, frame included, and moves it to its top-left corner;
// a window that fits is left as it is.
void fitWindowToScreen(QWidget &window, const QRect &available);

} // namespace tallero
