#include "dxf/outlinecontainment.h"

#include "geometry/clampedinteger.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

// Band entries allowed per edge before the bands are made coarser: keeps
// the index's memory linear in the outline whatever its shape.
constexpr double entriesPerEdge = 8.0;

} // namespace

OutlineContainment::OutlineContainment(const QPolygonF &ring)
{
    if (ring.isEmpty())
        return;
    // The edges QPolygonF walks: consecutive points, then the implicit
    // closing edge when the ring is open. Edges of (fuzzily) equal heights
    // never count, so they are left out here.
    auto addEdge = [this](const QPointF &p1, const QPointF &p2) {
        if (qFuzzyCompare(p1.y(), p2.y()))
            return;
        if (p2.y() < p1.y())
            m_edges.push_back({p2.x(), p2.y(), p1.x(), p1.y()});
        else
            m_edges.push_back({p1.x(), p1.y(), p2.x(), p2.y()});
    };
    for (qsizetype i = 1; i < ring.size(); ++i)
        addEdge(ring[i - 1], ring[i]);
    if (ring.last() != ring.first())
        addEdge(ring.last(), ring.first());
    if (m_edges.empty())
        return;

    double minY = m_edges.front().y1;
    double maxY = m_edges.front().y2;
    for (const Edge &edge : m_edges) {
        minY = std::min(minY, edge.y1);
        maxY = std::max(maxY, edge.y2);
    }
    m_minY = minY;
    const double span = maxY - minY;
    int bands = int(std::clamp(std::sqrt(double(m_edges.size())), 1.0, 65536.0));
    for (;;) {
        m_bandCount = bands;
        m_bandHeight = span / bands;
        // A span too small to divide (heights a few denormals apart) or not
        // finite gets one band: every later division is then by 1.
        if (!(m_bandHeight > 0.0) || !std::isfinite(m_bandHeight)) {
            m_bandCount = bands = 1;
            m_bandHeight = 1.0;
            break;
        }
        double entries = 0.0;
        for (const Edge &edge : m_edges)
            entries += bandOf(edge.y2) - bandOf(edge.y1) + 1;
        if (bands == 1 || entries <= entriesPerEdge * double(m_edges.size()))
            break;
        bands = std::max(1, bands / 2);
    }
    m_bands.assign(std::size_t(bands), {});
    for (int e = 0; e < int(m_edges.size()); ++e) {
        for (int band = bandOf(m_edges[e].y1); band <= bandOf(m_edges[e].y2); ++band)
            m_bands[std::size_t(band)].push_back(e);
    }
}

int OutlineContainment::bandOf(double y) const
{
    // Monotonic in y, so an edge from y1 to y2 lies in every band between
    // theirs, and a point's band holds every edge that reaches its height.
    const double band = std::floor((y - m_minY) / m_bandHeight);
    return clampedInt(band, 0, m_bandCount - 1);
}

bool OutlineContainment::containsPoint(const QPointF &point)
{
    if (m_bands.empty())
        return false;
    const double y = point.y();
    int crossings = 0;
    for (int e : m_bands[std::size_t(bandOf(y))]) {
        ++m_edgeTests;
        const Edge &edge = m_edges[std::size_t(e)];
        // The scan-conversion rule and the very expression QPolygonF uses.
        if (y >= edge.y1 && y < edge.y2) {
            const double x = edge.x1 + ((edge.x2 - edge.x1) / (edge.y2 - edge.y1)) * (y - edge.y1);
            if (x <= point.x())
                ++crossings;
        }
    }
    return crossings % 2 != 0;
}

} // namespace tallero
