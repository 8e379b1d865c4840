#pragma once

namespace tallero {

// The command-line flags of the batch modes, in the order they are tested.
inline constexpr const char *selfTestFlag = "--self-test";
inline constexpr const char *pdfTestFlag = "--pdf-test";
inline constexpr const char *uiSnapshotFlag = "--ui-snapshot";
inline constexpr const char *cutSheetSnapshotFlag = "--cut-sheet-snapshot";

// Batch modes run in scripts and CI, often without any display. When a batch
// flag is given, no platform was chosen and no display is reachable, this
// selects Qt's offscreen platform so the program still starts. Must run
// before the application object is created. The windowed start is left alone:
// an invisible window nobody can close helps no one.
void chooseBatchPlatform(int argc, char *argv[]);

} // namespace tallero
