#include "engine/internal/shapetransform.h"

#include <QSet>

#include <cmath>

namespace tallero {

namespace {

double roundToNanometre(double v)
{
    return std::round(v * 1e9) / 1e9;
}

// Above this magnitude QPointF's fuzzy equality (relative 1e-12) can join two
// different nanometre-rounded values; below it, fuzzy equality of rounded
// values is plain equality, which a hash can decide.
constexpr double exactComparisonLimit = 999.0;

struct PointKey
{
    double x;
    double y;
    friend bool operator==(const PointKey &a, const PointKey &b) { return a.x == b.x && a.y == b.y; }
};

size_t qHash(const PointKey &key, size_t seed = 0)
{
    // +0.0 folds a negative zero onto zero, which compares equal to it.
    return qHashMulti(seed, key.x + 0.0, key.y + 0.0);
}

QList<QPointF> distinctRoundedVertices(const Shape &shape)
{
    QList<QPointF> points;
    QSet<PointKey> seen;
    bool hashable = true;
    for (const QPolygonF &ring : shape.rings) {
        if (ring.size() < 2)
            continue;
        for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
            const QPointF point(roundToNanometre(ring[i].x()), roundToNanometre(ring[i].y()));
            if (hashable && (std::abs(point.x()) >= exactComparisonLimit
                             || std::abs(point.y()) >= exactComparisonLimit)) {
                hashable = false;
            }
            if (hashable) {
                if (seen.contains(PointKey{point.x(), point.y()}))
                    continue;
                seen.insert(PointKey{point.x(), point.y()});
            } else if (points.contains(point)) {
                continue;
            }
            points.append(point);
        }
    }
    return points;
}

} // namespace

Shape transformShape(const Shape &shape, const QTransform &transform)
{
    QList<Polygon> polygons;
    polygons.reserve(shape.polygons.size());
    for (const Polygon &polygon : shape.polygons) {
        Polygon mapped;
        mapped.reserve(polygon.size());
        for (const QPolygonF &ring : polygon)
            mapped.append(transform.map(ring));
        polygons.append(mapped);
    }
    return shapeFromPolygons(polygons);
}

QList<QPointF> evenlySpaced(const QList<QPointF> &points, int limit)
{
    const qsizetype count = points.size();
    if (count <= limit)
        return points;
    QList<QPointF> sample;
    sample.reserve(limit);
    for (qsizetype i = 0; i < limit; ++i)
        sample.append(points[i * count / limit]);
    return sample;
}

QList<QPointF> sampleVertices(const Shape &shape, int limit)
{
    return evenlySpaced(distinctRoundedVertices(shape), limit);
}

} // namespace tallero
