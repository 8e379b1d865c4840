#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"

#include <QString>

namespace tallero {

// The name of a start-corner index (StartCorner order, clamped to 0..4) in
// the current language: "Automático", "Top right", "Unten links" ...
QString startCornerNameOf(int startIndex);

// The results panel's summary of an adopted plan over its drawing, in the
// current language: the drawing's size and area, the sheet settings the plan
// was computed with (orientation and start as recorded in the plan), the
// purchase, the efficiency and the waste, and the colour guide. The window
// shows it, and the command line prints it.
QString planSummaryText(const CuttingPlan &plan, const Drawing &drawing);

} // namespace tallero
