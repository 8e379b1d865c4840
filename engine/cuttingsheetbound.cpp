#include "engine/cuttingsheetbound.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

// What overlaps the placement search lets pass, summed over a sheet, stays
// far below this.
constexpr double areaSlack = 1e-6;

int sheetsFor(double area, double sheetArea)
{
    if (area <= areaSlack)
        return 0;
    return int(std::ceil(area / (sheetArea + areaSlack) - 1e-9));
}

} // namespace

int areaSheetBound(const QList<double> &areas, double sheetArea)
{
    if (!(sheetArea > 0.0))
        return 0;
    double total = 0.0;
    for (double a : areas)
        total += std::max(a, 0.0);
    return sheetsFor(total, sheetArea);
}

int largePieceSheetBound(const QList<double> &areas, double sheetArea)
{
    if (!(sheetArea > 0.0))
        return 0;
    // Two pieces share a sheet only if their areas add up to at most the
    // sheet's (with the slack); "large" means no two of them can.
    const auto exclusive = [&](double a, double b) { return a + b > sheetArea + areaSlack; };
    QList<double> thresholds{0.0};
    for (double a : areas) {
        if (a > 0.0 && !exclusive(a, a))
            thresholds.append(a);
    }
    std::sort(thresholds.begin(), thresholds.end());
    thresholds.erase(std::unique(thresholds.begin(), thresholds.end()), thresholds.end());

    int best = areaSheetBound(areas, sheetArea);
    for (double t : thresholds) {
        int alone = 0;       // large pieces no piece of area t or more can join
        int large = 0;       // the other large pieces
        double freeArea = 0; // what those leave on their sheets
        double medium = 0;   // pieces from t up to the large ones
        for (double a : areas) {
            if (exclusive(a, a)) {
                if (t > 0.0 && exclusive(a, t))
                    ++alone;
                else {
                    ++large;
                    freeArea += sheetArea - a;
                }
            } else if (a >= t && a > 0.0) {
                medium += a;
            }
        }
        const int bound = alone + large + sheetsFor(medium - freeArea, sheetArea);
        best = std::max(best, bound);
    }
    return best;
}

QList<double> pieceAreas(const QList<Shape> &pieces)
{
    QList<double> areas;
    areas.reserve(pieces.size());
    for (const Shape &piece : pieces)
        areas.append(piece.area);
    return areas;
}

} // namespace tallero
