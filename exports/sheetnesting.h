#pragma once

#include "engine/cuttingplan.h"
#include "engine/plancheck.h"

namespace tallero {

// The nesting check of one cutting sheet alone: whether one of its pieces
// leaves the sheet or two of them overlap. Throws like findNestingFault when
// an overlap test cannot be made.
NestingFault sheetNestingFault(const CuttingPlan &plan, int sheetIndex);

} // namespace tallero
