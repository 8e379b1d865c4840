#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace tallero {

// Point-in-rings tests on the rings' own coordinates, without the geometry
// engine. The region is the odd-even interior of all the rings (an open
// ring is closed by its implicit last edge, as QPolygonF closes it). Edges
// are filed in horizontal bands, so a test looks only at the edges near the
// point's height: deciding which loops of a traced drawing are holes, or
// which probes of a piece lie deep inside a sheet's contents, asks this
// thousands of times. Use it on one thread at a time.
class RingIndex
{
public:
    explicit RingIndex(const QPolygonF &ring);
    explicit RingIndex(const QList<QPolygonF> &rings);

    // QPolygonF::containsPoint(point, Qt::OddEvenFill) over the rings, with
    // the same arithmetic and so the same answers.
    bool containsPoint(const QPointF &point) const;

    // True when the point lies inside and farther than `clearance` from
    // every edge. A clearance wider than a band looks at every band it
    // reaches, so any clearance gives the right answer; small ones are fast.
    bool containsWithClearance(const QPointF &point, double clearance) const;

    // Edge tests made so far. Only rings built to defeat the index (a great
    // many edges all spanning the same heights) make this grow much faster
    // than the number of queries.
    qint64 edgeTests() const { return m_edgeTests; }

private:
    struct Edge
    {
        double x1, y1, x2, y2;   // y1 <= y2
        double left, right;      // the smaller and the larger x
        bool crossesHeight;      // heights not fuzzily equal: counts for parity
    };

    void addRing(const QPolygonF &ring);
    void buildBands();
    int bandOf(double y) const;

    std::vector<Edge> m_edges;
    std::vector<std::vector<int>> m_bands;   // each by the edges' left ends
    // Far above the rounding of any x the tests work out from an edge, so an
    // edge that starts this much to the right of x cannot reach it.
    double m_slack = 0.0;
    QRectF m_bounds;
    double m_minY = 0.0;
    double m_bandHeight = 1.0;
    int m_bandCount = 1;
    mutable qint64 m_edgeTests = 0;
};

} // namespace tallero
