#pragma once

#include <QString>

namespace tallero {

class RodalixV69;

// The PDF test mode: reads the drawing, shows it in `window`, computes its
// plan with 2.0 × 1.2 m sheets, no clearance, from the bottom-left corner,
// adopts it, and writes the report to `pdfPath`. On failure returns false
// with the reason in `error` (Spanish, as the batch modes print it).
bool runPdfTest(RodalixV69 &window, const QString &dxfPath, const QString &pdfPath, QString &error);

} // namespace tallero
