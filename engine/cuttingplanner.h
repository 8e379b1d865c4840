#pragma once

#include "engine/nestingmode.h"
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
// more than maximumGridPositions positions (or more than
// maximumRealGridPositions, the drawing's units), more than maximumCutPieces cut
// pieces or pieces crowding a sheet beyond maximumPiecesPerSheet (both
// refused before any nesting), the nesting errors, and a geometry operation
// that fails (engineerrors::geometryOperationFailed).
CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, PlacementSearchMode mode = PlacementSearchMode::Fast);

// The same plan, reporting progress to `control` and throwing PlanCancelled
// (not an engine error) soon after its token is cancelled: the grid walk
// checks it at every position and the nesting at every piece and inside
// each placement search.
CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, const PlanControl &control,
                               PlacementSearchMode mode = PlacementSearchMode::Fast);

// The same plan nested the given way (nestingmode.h). A thorough plan has
// at most as many cutting sheets as the standard one, and the standard
// packing itself unless the search found one with fewer; it records the
// mode in `nesting` either way.
CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, const PlanControl &control, NestingMode nesting);

// Each grid position costs one clip against the outline. A 150 x 100 m hall
// tiled with 0.6 x 0.6 m tiles, larger than any job this program is for, has
// about 42,000 positions; a quarter of a million leaves six times that room
// and still clips within seconds. A grid beyond it comes from a sheet size
// typed in the wrong unit (millimetres for metres), and a billion positions
// would not finish at all.
inline constexpr double maximumGridPositions = 250000.0;

// A grid within that bound may still be far larger than any floor: the
// largest real job above has about 42,000 positions, and a hundred thousand
// leaves more than twice that room (a 200 x 150 m hall in 0.6 m tiles, or
// 30 hectares of 2.44 x 1.22 m sheets). What lies between the two bounds is
// a drawing in the wrong unit: a 1 x 0.6 m object drawn in millimetres
// (1000 x 600 units) with 2.44 x 1.22 m sheets lays 200,000 positions,
// 1,800 cut pieces along its edges, and kept the engine busy for minutes
// per layout. It is refused before any clip, with the units named as the
// likely cause.
inline constexpr double maximumRealGridPositions = 100000.0;

// Cut pieces, unlike whole sheets, must each be nested, and nesting is
// where the time goes. The largest real floors measured: a 100 x 100 m hall
// with a wavy wall and 20 round columns gives 493 cut pieces with 0.6 x 0.6 m
// tiles (201 with 2.44 x 1.22 m sheets), a 150 x 100 m hall with a wavy wall
// 370 with 0.6 m tiles. Two thousand is four times the largest. Beyond it
// lie sheets far too small for the drawing (a 6 m room cut into 0.1 mm
// strips: 60,000 slivers) and outlines riddled with holes. The limit is
// checked twice: on the cells the outline's edges pass through, before any
// clip (they hold every cut piece: 823 for the 100 m hall with tiles, 949
// for the 150 m one), and on the cut pieces the grid walk finds. Measured
// on this 2-core machine: the 100 m hall in 0.6 m tiles plans in 1.5 s for
// one layout (674 cut pieces bottom-left) and 8.2 s for all eight on one
// thread.
inline constexpr int maximumCutPieces = 2000;

// How many cut pieces would share one cutting sheet if they packed by their
// bounding rectangles: sheet area over their mean bounding area, at most
// their count. Real floors give 1 to 4; the densest drawing the benchmarks
// hold (a strip with 60 small tabs) gives about 60. The placement of a
// piece costs more the more pieces its sheet holds (about the square of
// that today), so a 1000 m x 1 mm strip, about 400 pieces for one sheet,
// takes half a minute per layout. 150 keeps two and a half times the
// densest real case.
inline constexpr double maximumPiecesPerSheet = 150.0;

} // namespace tallero
