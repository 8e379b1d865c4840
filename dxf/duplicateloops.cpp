#include "dxf/duplicateloops.h"

#include "dxf/tolerancecells.h"

#include <QHash>

#include <algorithm>

namespace tallero {

namespace {

// A loop's corners once around, without the closing point and without
// points that repeat their predecessor within the tolerance (a chain closed
// within the tolerance ends with two such points).
QPolygonF corners(const QPolygonF &loop)
{
    QPolygonF points;
    for (const QPointF &point : loop) {
        if (points.isEmpty() || !withinJoinTolerance(point, points.last()))
            points.append(point);
    }
    while (points.size() > 1 && withinJoinTolerance(points.last(), points.first()))
        points.removeLast();
    return points;
}

// Whether b, read from `start` forwards or backwards, matches a point by point.
bool matchesFrom(const QPolygonF &a, const QPolygonF &b, qsizetype start, int direction)
{
    const qsizetype n = a.size();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype j = ((start + direction * i) % n + n) % n;
        if (!withinJoinTolerance(a[i], b[j]))
            return false;
    }
    return true;
}

bool sameLoop(const QPolygonF &a, const QPolygonF &b)
{
    if (a.size() != b.size() || a.isEmpty())
        return false;
    for (qsizetype start = 0; start < b.size(); ++start) {
        if (withinJoinTolerance(a.first(), b[start])
            && (matchesFrom(a, b, start, 1) || matchesFrom(a, b, start, -1)))
            return true;
    }
    return false;
}

QPointF lowestCorner(const QPolygonF &points)
{
    QPointF low = points.first();
    for (const QPointF &p : points)
        low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
    return low;
}

struct Key
{
    qsizetype size = 0;
    ToleranceCell cell;
    bool operator==(const Key &) const = default;
};

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.size, key.cell.x, key.cell.y);
}

} // namespace

QList<QPolygonF> withoutDuplicateLoops(const QList<QPolygonF> &loops)
{
    QList<QPolygonF> kept;
    kept.reserve(loops.size());
    QList<QPolygonF> keptCorners;
    // Copies have as many corners, and lowest corners within the tolerance.
    QHash<Key, QList<qsizetype>> filed;
    for (const QPolygonF &loop : loops) {
        const QPolygonF points = corners(loop);
        if (points.isEmpty()) {
            kept.append(loop);
            keptCorners.append(points);
            continue;
        }
        const QPointF low = lowestCorner(points);
        bool repeated = false;
        for (const ToleranceCell &cell : toleranceCellsNear(low)) {
            const auto found = filed.constFind({points.size(), cell});
            if (found == filed.cend())
                continue;
            for (qsizetype k : *found) {
                if (sameLoop(points, keptCorners[k])) {
                    repeated = true;
                    break;
                }
            }
            if (repeated)
                break;
        }
        if (repeated)
            continue;
        filed[{points.size(), toleranceCellOf(low)}].append(kept.size());
        kept.append(loop);
        keptCorners.append(points);
    }
    return kept;
}

} // namespace tallero
