#include "engine/plancheck.h"

#include "engine/internal/requiredresult.h"
#include "engine/internal/tolerances.h"
#include "geometry/shapeops.h"

namespace tallero {

namespace {

constexpr double eps = tolerances::edgeMetres;

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
                // A test that could not be made (a piece without geometry,
                // an engine failure) proves nothing: it is an error, never
                // "no overlap".
                if (isNonEmpty(requiredResult(intersectShapes(a, b))))
                    return NestingFault::PiecesOverlap;
            }
        }
    }
    return NestingFault::None;
}

} // namespace tallero
