#pragma once

#include "geometry/shape.h"

#include <QList>

namespace tallero {

// Lower bounds on the cutting sheets that any nesting of cut pieces can
// reach, from the pieces' areas alone. They hold for the real shapes
// whatever their outline: pieces on one sheet do not overlap, so the areas
// of the pieces one sheet holds add up to no more than the sheet's area
// (the placement search tolerates overlaps of 1e-7 m², which the bounds
// allow for with a slack of 1e-6 m² per sheet). Any nesting is therefore a
// packing of numbers (the areas) into bins (the sheet area), and a lower
// bound of that packing is one of the nesting. Shapes that interlock, such
// as an L around a small square, are no exception: only areas are used.

// Ceiling of the pieces' total area over the sheet area.
int areaSheetBound(const QList<double> &areas, double sheetArea);

// The stronger bound: pieces of more than half the sheet area cannot share
// a sheet with one another, so each needs its own; a smaller piece fits on
// the sheet of such a large one only into the area the large one leaves,
// and not at all beside a large one that leaves less than its own area.
// For every threshold t (0 and each area of at most half the sheet):
// pieces above the sheet area less t take a sheet each that no piece of
// area t or more can join; the other pieces above half the sheet take a
// sheet each whose free area is all the pieces between t and half the
// sheet may use besides fresh sheets. The bound is the largest count over
// the thresholds, and never less than the area bound. (This is the
// second lower bound of Martello and Toth for one-dimensional bin
// packing, applied to the areas.)
int largePieceSheetBound(const QList<double> &areas, double sheetArea);

// A bound that also uses a rectangle each piece surely holds (its core):
// the bounding rectangle of a piece that is one (a single ring with that
// area, as the pieces along a straight wall are), else the largest band
// found along one of its edges across its whole width or height (pieces
// along a curved or wavy wall hold one). It holds because the four
// rotations keep a core axis-parallel, two axis-parallel rectangles that
// do not overlap are parted by a vertical or a horizontal line, and the
// cores of pieces that do not overlap do not overlap either. So:
// - two pieces whose cores in no rotations that fit stand side by side or
//   one above the other within the sheet cannot share a sheet;
// - cores higher than half the sheet in every rotation that fits ("tall")
//   share every height with one another, so no horizontal line parts them
//   and their widths on one sheet add up to at most the sheet's width;
//   likewise the heights of "wide" cores, wider than half the sheet.
// - the lines across the sheet along one axis meet two pieces on it over
//   lengths that add up to at most what the sheet holds across, but for
//   what overlaps tolerate; two pieces whose lengths add up to more
//   wherever and in whatever rotations they lie cannot share a sheet
//   (curved and wavy strips as wide as the sheet, which stack only where
//   their profiles allow, and pieces that find no gap above them). Only
//   pairs with little play along the axis, one of them at least, are
//   compared.
// With the area that gives each sheet three capacities and a list of
// pieces that exclude each other; the bound is the fewest sheets the
// pieces can be shared out over under those rules, found by a search
// limited to `searchLimit` steps: the smallest count not proven too few,
// never less than largePieceSheetBound. Lengths allow 1e-4 m for the
// overlaps the placement search tolerates. Pieces with no core count by
// area only.
int rectangleSheetBound(const QList<Shape> &pieces, double width, double height,
                        qint64 searchLimit = 2000000);

// The areas of the pieces, in order.
QList<double> pieceAreas(const QList<Shape> &pieces);

} // namespace tallero
