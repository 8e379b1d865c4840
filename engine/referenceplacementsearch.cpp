#include "engine/placementsearch.h"

#include "engine/internal/placementcandidates.h"
#include "engine/internal/placementscore.h"
#include "engine/plancontrol.h"
#include "engine/internal/requiredresult.h"
#include "engine/internal/shapetransform.h"
#include "geometry/shapeops.h"

#include <QSet>
#include <QString>

// The plain placement search: every distinct candidate is tested and scored
// with the geometry engine. It is slow and kept as the yardstick the fast
// search (fastplacementsearch.cpp) is checked against.

namespace tallero {

namespace {

constexpr double eps = 1e-7;

QString offsetKey(const QPointF &offset)
{
    return QString::number(offset.x(), 'f', 9) + QLatin1Char(' ')
        + QString::number(offset.y(), 'f', 9);
}

} // namespace

std::optional<ScoredPlacement> findBestPlacementReference(
    int pieceIndex, const QList<PieceOrientation> &orientations, double sheetWidth,
    double sheetHeight, const CuttingSheet &sheet, int sheetIndex,
    PlacementSearchStatistics *statistics)
{
    PlacementSearchStatistics counts;
    const ScoringSheet scoring(sheetWidth, sheetHeight, sheet);
    const QList<QPointF> references = sheetReferencePoints(sheetWidth, sheetHeight, sheet);
    std::optional<ScoredPlacement> best;

    for (const PieceOrientation &orientation : orientations) {
        const double pw = orientation.shape.bounds.width();
        const double ph = orientation.shape.bounds.height();
        const QList<QPointF> candidates =
            candidateOffsets(orientation, sheetWidth, sheetHeight, sheet, references);
        counts.candidates += int(candidates.size());
        QSet<QString> evaluated;
        for (const QPointF &candidate : candidates) {
            const QString key = offsetKey(candidate);
            if (evaluated.contains(key))
                continue;
            evaluated.insert(key);
            ++counts.distinct;
            checkCancellation();

            const double x = candidate.x();
            const double y = candidate.y();
            if (x > sheetWidth - pw + eps || y > sheetHeight - ph + eps)
                continue;
            const Shape placed =
                transformShape(orientation.shape, QTransform::fromTranslate(x, y));
            // A piece that lost its geometry on the way (only slivers below
            // the kernel's area floor) cannot be tested, so it is not placed.
            if (!placed.geometry || !insideSheet(placed.bounds, sheetWidth, sheetHeight))
                continue;
            Shape united = placed;
            if (scoring.occupiedNonEmpty) {
                // Overlaps below the non-empty tolerance are accepted, so
                // pieces may touch along their edges.
                // A failed test is an error, not a free position.
                if (isNonEmpty(requiredResult(intersectShapes(placed, sheet.occupied))))
                    continue;
                united = requiredResult(uniteShapes(sheet.occupied, placed));
            }
            const PlacementScore score = scorePlacement(placed, united, x, y, scoring);
            ++counts.scored;
            // Only a strictly better score replaces the best, so on a tie the
            // earlier orientation and the earlier candidate stay.
            if (!best || score < best->score) {
                best = ScoredPlacement{
                    PiecePlacement{pieceIndex, sheetIndex, placed, x, y, orientation.angle},
                    score};
            }
        }
    }
    if (statistics)
        *statistics = counts;
    return best;
}

} // namespace tallero
