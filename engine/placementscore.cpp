#include "engine/internal/placementscore.h"

#include "engine/internal/requiredresult.h"
#include "geometry/shapeops.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

double rectangleArea(const QRectF &rect)
{
    return rect.width() * rect.height();
}

double commonLength(const GEOSGeometry *a, const GEOSGeometry *b)
{
    if (!a || !b)
        return 0.0;
    return requiredResult(intersectionLength(a, b));
}

// The boundary of a geometry the score needs; an engine failure is an
// error, not a boundary without contact.
GeometryHandle requiredBoundary(const GEOSGeometry *geometry)
{
    GeometryHandle boundary = geometryBoundary(geometry);
    return requiredResult(boundary ? std::optional<GeometryHandle>(std::move(boundary)) : std::nullopt);
}

} // namespace

double roundScoreComponent(double value)
{
    const double scaled = value * 1e10;
    // The search rounds millions of components, so std::round is done here
    // without the library call: below 2^52 the fraction part is exact, and
    // so is its comparison with a half. The sign keeps std::round's zeros.
    if (std::abs(scaled) < 4.0e15) {
        const double whole = double(qint64(scaled));
        const double fraction = scaled - whole;
        const double rounded = fraction >= 0.5 ? whole + 1.0
            : fraction <= -0.5                 ? whole - 1.0
                                               : whole;
        return std::copysign(rounded, scaled) / 1e10;
    }
    return std::round(scaled) / 1e10;
}

bool operator<(const PlacementScore &a, const PlacementScore &b)
{
    return std::lexicographical_compare(a.values.begin(), a.values.end(), b.values.begin(),
                                        b.values.end());
}

ScoringSheet::ScoringSheet(double sheetWidth, double sheetHeight, const CuttingSheet &sheet)
    : occupied(sheet.occupied), occupiedNonEmpty(isNonEmpty(sheet.occupied))
{
    if (occupiedNonEmpty) {
        previousBoundingArea = rectangleArea(occupied.bounds);
        occupiedBoundary = requiredBoundary(occupied.geometry.get());
    }
    const Shape rectangle = rectangleShape(0.0, 0.0, sheetWidth, sheetHeight);
    if (rectangle.geometry)
        sheetBoundary = requiredBoundary(rectangle.geometry.get());
}

double boundingWaste(const Shape &united)
{
    return std::max(rectangleArea(united.bounds) - united.area, 0.0);
}

double boundingGrowth(const Shape &united, const ScoringSheet &sheet)
{
    return std::max(rectangleArea(united.bounds) - sheet.previousBoundingArea, 0.0);
}

double hullWaste(const Shape &united)
{
    if (!united.geometry)
        return 0.0;
    const Shape hull = requiredResult(geometryConvexHull(united.geometry.get()));
    if (!isNonEmpty(hull))
        return 0.0;
    return std::max(hull.area - united.area, 0.0);
}

double contactComponent(const GEOSGeometry *placed, const ScoringSheet &sheet,
                        ContactShortcuts shortcuts)
{
    const bool wantPieceContact = !shortcuts.noPieceContact && sheet.occupiedNonEmpty;
    // One boundary of the piece serves both contacts.
    GeometryHandle placedBoundary;
    if (placed && (!shortcuts.noEdgeContact || wantPieceContact))
        placedBoundary = requiredBoundary(placed);
    double edgeContact = 0.0;
    if (!shortcuts.noEdgeContact)
        edgeContact = commonLength(placedBoundary.get(), sheet.sheetBoundary.get());
    double pieceContact = 0.0;
    if (wantPieceContact)
        pieceContact = commonLength(placedBoundary.get(), sheet.occupiedBoundary.get());
    // Contact with other pieces counts four times contact with the sheet edge.
    return -(0.25 * edgeContact + pieceContact);
}

PlacementScore scorePlacement(const Shape &placed, const Shape &united, double x, double y,
                              const ScoringSheet &sheet, ContactShortcuts shortcuts)
{
    PlacementScore score;
    score.values = {
        boundingWaste(united),
        hullWaste(united),
        boundingGrowth(united, sheet),
        united.bounds.bottom(),   // QRectF's bottom is the largest y
        united.bounds.right(),
        contactComponent(placed.geometry.get(), sheet, shortcuts),
        y,
        x,
    };
    for (double &value : score.values)
        value = roundScoreComponent(value);
    return score;
}

} // namespace tallero
