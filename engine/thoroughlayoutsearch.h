#pragma once

#include "engine/layoutsearch.h"

namespace tallero {

// The eight-layout search with thorough nesting, in two rounds. First the
// standard plan of every layout, as the standard search makes them; then
// the thorough nesting (thoroughnesting.h) of each layout that could still
// win: one whose whole sheets plus the rectangle bound of its cut pieces
// (cuttingsheetbound.h) do not exceed the best standard purchase. A layout past that bound cannot win
// however its pieces are packed, so its standard plan stands and the time
// goes to the layouts that matter. The plans are then compared as the
// standard search compares them (isBetterPlan, in the same fixed order).
//
// Both rounds run on up to `threads` threads; every layout is computed by
// one thread from start to end of a round, so the result does not depend
// on the count. Progress: the first round is the first third. A cancelled
// token ends the search with PlanCancelled.
LayoutSearchResult searchBestLayoutThoroughly(const Shape &outline, double w, double h, double g,
                                              const PlanControl &control, int threads);

} // namespace tallero
