#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"

#include <QString>

namespace tallero {

// A finished plan and what it was made from, as the exports write it: the
// plan with its codes assigned and its start corner and orientation recorded,
// the drawing it covers (already scaled to metres) and the drawing's file
// name without its folder.
struct PlanDocument
{
    CuttingPlan plan;
    Drawing drawing;
    QString fileName;
    double scale = 1.0;   // the factor the drawing's coordinates were multiplied by
};

// The machine name of a start-corner index: "automatic", "top-left",
// "top-right", "bottom-left" or "bottom-right" (an index out of range reads
// as automatic). The command line takes the four corners by these names.
QString startCornerKey(int startIndex);

// The start-corner index of a machine name; -1 when the name is none of the
// four corners ("automatic" is not a corner one can ask for).
int startIndexOfCornerKey(const QString &key);

} // namespace tallero
