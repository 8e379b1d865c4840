#pragma once

#include "engine/cuttingplan.h"

#include <QByteArray>

namespace tallero {

// The cut list of a plan whose codes are assigned, as CSV: UTF-8, commas,
// a point as decimal mark, lines ended by CR LF (RFC 4180), and the header
// "sheet,code,count,width,height,area". First one row for the whole sheets
// (empty sheet, code "E", the sheet size), when there are any, then one row
// per cutting sheet and code in the order of the sheets and, on each sheet,
// of the codes' numbers. width and height are the code's size in the
// drawing (metres, before any rotation on the sheet); area is the combined
// area of the row's pieces (m²), so the areas of a sheet's rows add up to
// its used area.
QByteArray cutListCsv(const CuttingPlan &plan);

} // namespace tallero
