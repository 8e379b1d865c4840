#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace tallero {

// Point-in-shape test with a clearance, done on the rings' coordinates
// without the geometry engine. The shape is the odd-even interior of its
// rings, which for a valid polygon is its interior. Edges are kept in
// horizontal bands so a test looks only at the edges near the point.
class RingIndex
{
public:
    explicit RingIndex(const QList<QPolygonF> &rings);

    // True when the point lies inside and farther than `clearance` from
    // every edge. A clearance wider than a band looks at every band it
    // reaches, so any clearance gives the right answer; small ones are fast.
    bool containsWithClearance(const QPointF &point, double clearance) const;

    static constexpr double largestClearance = 1e-3;

private:
    struct Edge
    {
        QPointF a;
        QPointF b;
    };
    int bandOf(double y) const;

    QRectF m_bounds;
    double m_bandHeight = 1.0;
    std::vector<std::vector<Edge>> m_bands;
};

// Points inside a shape with at least `clearance` to spare, at most `limit`,
// taken from a grid over its bounds.
QList<QPointF> interiorProbes(const QList<QPolygonF> &rings, const QRectF &bounds,
                              double clearance, int limit);

} // namespace tallero
