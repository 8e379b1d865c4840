#pragma once

namespace tallero {

// The normal start: the application font, the main window shown (within the
// screen's free area), and the event loop. Returns the loop's exit code.
// Needs the application object and a platform that shows windows.
int runWindowed();

} // namespace tallero
