#include "engine/plancheck.h"

#include "geometry/shapeops.h"

namespace tallero {

namespace {

constexpr double eps = 1e-7;

bool liesOutside(const QRectF &bounds, double sheetWidth, double sheetHeight)
{
    return bounds.left() < -eps || bounds.top() < -eps || bounds.right() > sheetWidth + eps
        || bounds.bottom() > sheetHeight + eps;
}

} // namespace

NestingFault findNestingFault(const CuttingPlan &plan)
{
    for (const CuttingSheet &sheet : plan.sheets) {
        const QList<PiecePlacement> &placements = sheet.placements;
        for (const PiecePlacement &placement : placements) {
            if (liesOutside(placement.shape.bounds, plan.sheetWidth, plan.sheetHeight))
                return NestingFault::PieceOutsideSheet;
        }
        for (qsizetype i = 0; i < placements.size(); ++i) {
            for (qsizetype j = i + 1; j < placements.size(); ++j) {
                const Shape &a = placements[i].shape;
                const Shape &b = placements[j].shape;
                // A placed piece always carries a geometry; without one there
                // is nothing the engine could intersect.
                if (!a.geometry || !b.geometry)
                    continue;
                if (isNonEmpty(intersectShapes(a, b)))
                    return NestingFault::PiecesOverlap;
            }
        }
    }
    return NestingFault::None;
}

} // namespace tallero
