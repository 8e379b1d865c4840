#pragma once

#include "engine/cuttingplan.h"

#include <QByteArray>
#include <QPointF>
#include <QString>

namespace tallero {

// One cutting sheet of a plan whose codes are assigned, as an ASCII DXF for
// CAM: release 12 (AC1009), which needs no handles and is read by every CAD
// and CAM program; metres ($INSUNITS 6); the sheet rectangle from (0, 0) to
// its size on layer "SHEET"; every placed piece as closed polylines, holes
// included, on layer "PIECES"; its code as centred TEXT at a point inside
// the piece on layer "LABELS". The same sheet always gives the same bytes.
QByteArray cuttingSheetDxf(const CuttingPlan &plan, int sheetIndex);

// "P13.dxf": the file name of a cutting sheet, its number as the report and
// the viewer show it.
QString cuttingSheetFileName(const CuttingPlan &plan, int sheetIndex);

// Where a piece's code is written: a point inside its largest part, near
// the middle of that part's bounds; the middle itself when no probe lands
// inside (a sliver).
QPointF pieceLabelPoint(const Shape &piece);

} // namespace tallero
