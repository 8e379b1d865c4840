#pragma once

#include "engine/placementsearch.h"
#include "engine/plancontrol.h"

namespace tallero {

// Lays a grid of w x h cells separated by the clearance g over the outline,
// anchored at the chosen corner of its bounding rectangle, clips every cell
// with the outline, sorts the non-empty cells into whole sheets and cut
// pieces, and nests the cut pieces onto cutting sheets. Cell codes and piece
// codes are left for assignPieceCodes. A drawing far from the origin (see
// surveyorigin.h) is planned relative to a nearby origin, so it gets the plan
// it would have there; its cells and grid origin are given back in the
// drawing's own coordinates.
//
// Throws std::runtime_error with one of the messages of engineerrors.h: for
// measures that are not positive and finite (a negative or non-finite
// clearance), an outline without area or with non-finite bounds, a grid of
// more than maximumGridPositions positions, the nesting errors, and a
// geometry operation that fails (engineerrors::geometryOperationFailed).
CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, PlacementSearchMode mode = PlacementSearchMode::Fast);

// The same plan, reporting progress to `control` and throwing PlanCancelled
// (not an engine error) soon after its token is cancelled: the grid walk
// checks it at every position and the nesting at every piece and inside
// each placement search.
CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, const PlanControl &control,
                               PlacementSearchMode mode = PlacementSearchMode::Fast);

// Each grid position costs one clip against the outline. A 150 x 100 m hall
// tiled with 0.6 x 0.6 m tiles, larger than any job this program is for, has
// about 42,000 positions; a quarter of a million leaves six times that room
// and still clips within seconds. A grid beyond it comes from a sheet size
// typed in the wrong unit (millimetres for metres), and a billion positions
// would not finish at all.
inline constexpr double maximumGridPositions = 250000.0;

} // namespace tallero
