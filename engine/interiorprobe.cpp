#include "engine/interiorprobe.h"

#include "geometry/clampedinteger.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

constexpr int bandCount = 64;
constexpr int probeGrid = 16;

double squaredDistanceToEdge(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    double t = 0.0;
    if (length2 > 0.0)
        t = std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2, 0.0, 1.0);
    const double ex = a.x() + t * dx - p.x();
    const double ey = a.y() + t * dy - p.y();
    return ex * ex + ey * ey;
}

} // namespace

RingIndex::RingIndex(const QList<QPolygonF> &rings)
{
    for (const QPolygonF &ring : rings)
        m_bounds = m_bounds.united(ring.boundingRect());
    m_bandHeight = std::max(m_bounds.height() / bandCount, largestClearance);
    m_bands.resize(bandCount);
    for (const QPolygonF &ring : rings) {
        for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
            const QPointF &a = ring[i];
            const QPointF &b = ring[i + 1];
            const int first = bandOf(std::min(a.y(), b.y()));
            const int last = bandOf(std::max(a.y(), b.y()));
            for (int band = first; band <= last; ++band)
                m_bands[band].push_back({a, b});
        }
    }
}

int RingIndex::bandOf(double y) const
{
    const double band = std::floor((y - m_bounds.top()) / m_bandHeight);
    return clampedInt(band, 0, bandCount - 1);
}

bool RingIndex::containsWithClearance(const QPointF &point, double clearance) const
{
    if (point.x() <= m_bounds.left() + clearance || point.x() >= m_bounds.right() - clearance
        || point.y() <= m_bounds.top() + clearance || point.y() >= m_bounds.bottom() - clearance)
        return false;
    // Parity of the crossings of a ray to the right: every edge spanning the
    // point's height is filed in the point's own band.
    bool inside = false;
    for (const Edge &edge : m_bands[bandOf(point.y())]) {
        if ((edge.a.y() > point.y()) != (edge.b.y() > point.y())) {
            const double x = edge.a.x()
                + (point.y() - edge.a.y()) * (edge.b.x() - edge.a.x()) / (edge.b.y() - edge.a.y());
            if (x > point.x())
                inside = !inside;
        }
    }
    if (!inside)
        return false;
    // Edges nearer than the clearance reach the point's height give or take
    // the clearance; every band in that span is looked at.
    const double limit = clearance * clearance;
    const int first = bandOf(point.y() - clearance);
    const int last = bandOf(point.y() + clearance);
    for (int band = first; band <= last; ++band) {
        for (const Edge &edge : m_bands[band]) {
            if (squaredDistanceToEdge(point, edge.a, edge.b) <= limit)
                return false;
        }
    }
    return true;
}

QList<QPointF> interiorProbes(const QList<QPolygonF> &rings, const QRectF &bounds,
                              double clearance, int limit)
{
    const RingIndex index(rings);
    QList<QPointF> inside;
    for (int i = 0; i < probeGrid; ++i) {
        for (int j = 0; j < probeGrid; ++j) {
            const QPointF point(bounds.left() + bounds.width() * (i + 0.5) / probeGrid,
                                bounds.top() + bounds.height() * (j + 0.5) / probeGrid);
            if (index.containsWithClearance(point, clearance))
                inside.append(point);
        }
    }
    if (inside.size() <= limit)
        return inside;
    QList<QPointF> spread;
    for (int k = 0; k < limit; ++k)
        spread.append(inside[k * inside.size() / limit]);
    return spread;
}

} // namespace tallero
