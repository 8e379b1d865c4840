#pragma once

#include <QPolygonF>

#include <vector>

namespace tallero {

// Answers QPolygonF::containsPoint(point, Qt::OddEvenFill) for one ring, with
// the same arithmetic and so the same answers, but looks only at the edges
// that reach the point's height. Deciding which loops of a drawing are holes
// asks this of every loop; scanning every outline edge each time made a
// traced outline with many small loops take hours.
class OutlineContainment
{
public:
    explicit OutlineContainment(const QPolygonF &ring);

    bool containsPoint(const QPointF &point);

    // Edge tests made so far. Only an outline built to defeat the index
    // (a great many edges all spanning the same heights) makes this grow
    // much faster than the number of queries.
    qint64 edgeTests() const { return m_edgeTests; }

private:
    struct Edge
    {
        double x1, y1, x2, y2;   // y1 < y2
    };

    int bandOf(double y) const;

    std::vector<Edge> m_edges;
    std::vector<std::vector<int>> m_bands;
    double m_minY = 0.0;
    double m_bandHeight = 1.0;
    int m_bandCount = 1;
    qint64 m_edgeTests = 0;
};

} // namespace tallero
