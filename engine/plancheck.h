#pragma once

#include "engine/cuttingplan.h"

namespace tallero {

enum class NestingFault { None, PieceOutsideSheet, PiecesOverlap };

// Checks every cutting sheet of a plan, in order, for a placed piece whose
// bounds leave the sheet by more than 1e-7, then for two placed pieces whose
// intersection counts as a shape; stops at the first fault. Throws the
// engine error of requiredResult when an overlap test cannot be made.
NestingFault findNestingFault(const CuttingPlan &plan);

} // namespace tallero
