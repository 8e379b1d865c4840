#pragma once

// The engine's tolerances in one place, each named with its unit: a length
// in metres is not an area in square metres, even when both are 1e-7.

namespace tallero::tolerances {

// A point or edge this close to a limit (a sheet edge, a grid edge, an
// admissible offset) counts as on it. Also the kernel's floor for a shape's
// bounding width and height (isNonEmpty).
inline constexpr double edgeMetres = 1e-7;

// The kernel's floor for a shape's area (isNonEmpty), and the overlap area
// the nesting tolerates between two placed pieces.
inline constexpr double overlapSquareMetres = 1e-7;

// A clipped cell whose area falls short of the full sheet by no more than
// this is still a whole sheet: it absorbs the clipping's rounding.
inline constexpr double wholeSheetSquareMetres = 1e-6;

// Candidate offsets and sampled anchor vertices are rounded to this grid.
inline constexpr double offsetQuantumMetres = 1e-9;

// Placement score components are kept to this step.
inline constexpr double scoreQuantum = 1e-10;

} // namespace tallero::tolerances
