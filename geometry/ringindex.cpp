#include "geometry/ringindex.h"

#include "geometry/clampedinteger.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tallero {

namespace {

// Band entries allowed per edge before the bands are made coarser: keeps
// the index's memory linear in the rings whatever their shape.
constexpr double entriesPerEdge = 8.0;

double squaredDistanceToEdge(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    double t = 0.0;
    if (length2 > 0.0)
        t = std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0, 1.0);
    const double ex = ax + t * dx - px;
    const double ey = ay + t * dy - py;
    return ex * ex + ey * ey;
}

} // namespace

RingIndex::RingIndex(const QPolygonF &ring)
{
    addRing(ring);
    buildBands();
}

RingIndex::RingIndex(const QList<QPolygonF> &rings)
{
    for (const QPolygonF &ring : rings)
        addRing(ring);
    buildBands();
}

void RingIndex::addRing(const QPolygonF &ring)
{
    if (ring.isEmpty())
        return;
    // The edges QPolygonF walks: consecutive points, then the implicit
    // closing edge when the ring is open. Edges of (fuzzily) equal heights
    // never count for parity, but they still bound the clearance.
    auto addEdge = [this](const QPointF &p1, const QPointF &p2) {
        const bool crosses = !qFuzzyCompare(p1.y(), p2.y());
        const double left = std::min(p1.x(), p2.x());
        const double right = std::max(p1.x(), p2.x());
        if (p2.y() < p1.y())
            m_edges.push_back({p2.x(), p2.y(), p1.x(), p1.y(), left, right, crosses});
        else
            m_edges.push_back({p1.x(), p1.y(), p2.x(), p2.y(), left, right, crosses});
    };
    for (qsizetype i = 1; i < ring.size(); ++i)
        addEdge(ring[i - 1], ring[i]);
    if (ring.last() != ring.first())
        addEdge(ring.last(), ring.first());
}

void RingIndex::buildBands()
{
    if (m_edges.empty())
        return;
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -minX;
    double minY = m_edges.front().y1;
    double maxY = m_edges.front().y2;
    for (const Edge &edge : m_edges) {
        minX = std::min({minX, edge.x1, edge.x2});
        maxX = std::max({maxX, edge.x1, edge.x2});
        minY = std::min(minY, edge.y1);
        maxY = std::max(maxY, edge.y2);
    }
    m_bounds = QRectF(minX, minY, maxX - minX, maxY - minY);
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
    // A test walks a band from the left and stops at the first edge that
    // starts to the right of what it looks for.
    for (std::vector<int> &band : m_bands) {
        std::stable_sort(band.begin(), band.end(), [this](int a, int b) {
            return m_edges[std::size_t(a)].left < m_edges[std::size_t(b)].left;
        });
    }
    const double largest = std::max({std::abs(minX), std::abs(maxX), std::abs(minY),
                                     std::abs(maxY)});
    m_slack = std::isfinite(largest) ? 1e-9 * (1.0 + largest)
                                     : std::numeric_limits<double>::infinity();
}

int RingIndex::bandOf(double y) const
{
    // Monotonic in y, so an edge from y1 to y2 lies in every band between
    // theirs, and a point's band holds every edge that reaches its height.
    const double band = std::floor((y - m_minY) / m_bandHeight);
    return clampedInt(band, 0, m_bandCount - 1);
}

bool RingIndex::containsPoint(const QPointF &point) const
{
    if (m_bands.empty())
        return false;
    const double y = point.y();
    // An edge that starts right of the point crosses its height right of it.
    const double reach = point.x() + m_slack;
    int crossings = 0;
    for (int e : m_bands[std::size_t(bandOf(y))]) {
        const Edge &edge = m_edges[std::size_t(e)];
        if (edge.left > reach)
            break;
        if (!edge.crossesHeight)
            continue;
        ++m_edgeTests;
        // The scan-conversion rule and the very expression QPolygonF uses.
        if (y >= edge.y1 && y < edge.y2) {
            const double x = edge.x1 + ((edge.x2 - edge.x1) / (edge.y2 - edge.y1)) * (y - edge.y1);
            if (x <= point.x())
                ++crossings;
        }
    }
    return crossings % 2 != 0;
}

bool RingIndex::containsWithClearance(const QPointF &point, double clearance) const
{
    if (point.x() <= m_bounds.left() + clearance || point.x() >= m_bounds.right() - clearance
        || point.y() <= m_bounds.top() + clearance || point.y() >= m_bounds.bottom() - clearance)
        return false;
    // Away from every edge by the clearance, the parity rule cannot matter.
    if (!containsPoint(point))
        return false;
    // Edges nearer than the clearance reach the point's height give or take
    // the clearance; every band in that span is looked at.
    const double limit = clearance * clearance;
    const int first = bandOf(point.y() - clearance);
    const int last = bandOf(point.y() + clearance);
    const double leftmost = point.x() - clearance - m_slack;
    const double rightmost = point.x() + clearance + m_slack;
    for (int band = first; band <= last; ++band) {
        for (int e : m_bands[std::size_t(band)]) {
            const Edge &edge = m_edges[std::size_t(e)];
            if (edge.left > rightmost)
                break;
            if (edge.right < leftmost)
                continue;
            if (squaredDistanceToEdge(point.x(), point.y(), edge.x1, edge.y1, edge.x2, edge.y2)
                <= limit)
                return false;
        }
    }
    return true;
}

} // namespace tallero
