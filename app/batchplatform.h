#pragma once

#include <QStringList>

namespace tallero {

// The command-line flags of the batch modes, in the order they are tested:
// the first one present decides the mode.
inline constexpr const char *selfTestFlag = "--self-test";
inline constexpr const char *pdfTestFlag = "--pdf-test";
inline constexpr const char *uiSnapshotFlag = "--ui-snapshot";
inline constexpr const char *cutSheetSnapshotFlag = "--cut-sheet-snapshot";

// Batch modes run in scripts and CI, often without a display, and never show
// a window: unless a platform was chosen explicitly, they use Qt's offscreen
// platform, so they also run where DISPLAY names a display that is gone
// (an ssh session, a stale variable) and give the same pictures everywhere.
// Must run before the application object is created.
void useBatchPlatform();

// Whether the windowed start can expect a display: a platform chosen
// explicitly, or on X11/Wayland systems DISPLAY or WAYLAND_DISPLAY set.
bool displayConfigured();

} // namespace tallero
