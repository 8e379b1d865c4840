#pragma once

#include <QString>

namespace tallero {

// The cutting-sheet snapshot: reads the drawing, computes its plan with the
// given sheet (no clearance, grid anchored at the given corner) and saves a
// picture of its last cutting sheet, 1020 × 620 pixels, dark, in Spanish;
// the format follows the image path's suffix. On failure `error` holds the
// reason, in Spanish as the batch modes print it, and false is returned.
// The caller guarantees finite positive sheet sizes.
bool runCutSheetSnapshot(const QString &dxfPath, const QString &imagePath, QString &error, double sheetWidth,
                         double sheetHeight, bool right, bool top);

} // namespace tallero
