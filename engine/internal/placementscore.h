#pragma once

#include "engine/placementsearch.h"

namespace tallero {

// Score components are kept to 1e-10, rounded half away from zero, so that
// engine noise below that cannot reorder two positions.
double roundScoreComponent(double value);

// What scoring needs from the sheet, worked out once per search rather than
// once per candidate.
struct ScoringSheet
{
    ScoringSheet(double sheetWidth, double sheetHeight, const CuttingSheet &sheet);

    Shape occupied;
    bool occupiedNonEmpty = false;
    double previousBoundingArea = 0.0;   // of the occupied shape's bounds
    GeometryHandle sheetBoundary;        // outline of the sheet rectangle
    GeometryHandle occupiedBoundary;     // empty while the sheet is empty
};

// Shortcuts the fast search may take when it has proved a contact to be
// zero; the plain search computes both.
struct ContactShortcuts
{
    bool noEdgeContact = false;
    bool noPieceContact = false;
};

// The eight-number score of a piece placed on the sheet, `united` being the
// union of the occupied shape and the placed piece.
PlacementScore scorePlacement(const Shape &placed, const Shape &united, double x, double y,
                              const ScoringSheet &sheet, ContactShortcuts shortcuts = {});

// The parts of the score, for a search that computes them one at a time and
// stops as soon as a candidate is known to lose. All unrounded.
double boundingWaste(const Shape &united);
double boundingGrowth(const Shape &united, const ScoringSheet &sheet);
double hullWaste(const Shape &united);
double contactComponent(const GEOSGeometry *placed, const ScoringSheet &sheet,
                        ContactShortcuts shortcuts);

} // namespace tallero
