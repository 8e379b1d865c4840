#include "geometry/crosssection.h"

#include <algorithm>

namespace tallero {

namespace {

struct Edge
{
    QPointF a;
    QPointF b;
    double low;  // the lesser abscissa
    double high; // the greater
};

struct Crossing
{
    double atMiddle;
    double atStart;
    double atEnd;
};

} // namespace

CrossSections::CrossSections(const QList<QPolygonF> &rings)
{
    std::vector<Edge> edges;
    for (const QPolygonF &ring : rings) {
        const qsizetype n = ring.size();
        for (qsizetype i = 0; i < n; ++i) {
            const QPointF &a = ring[i];
            const QPointF &b = ring[(i + 1) % n];
            m_stops.push_back(a.x());
            // Vertical edges cross no line between two stops.
            if (a.x() != b.x())
                edges.push_back({a, b, std::min(a.x(), b.x()), std::max(a.x(), b.x())});
        }
    }
    std::sort(m_stops.begin(), m_stops.end());
    m_stops.erase(std::unique(m_stops.begin(), m_stops.end()), m_stops.end());
    if (m_stops.size() < 2) {
        m_stops.clear();
        return;
    }
    std::sort(edges.begin(), edges.end(), [](const Edge &u, const Edge &v) { return u.low < v.low; });

    // A sweep from left to right: the edges that cross a stretch's middle
    // are those begun before it and not yet ended. They keep their order
    // over the whole stretch (edges of valid rings do not cross), so paired
    // as at the middle they give the length at every line of it, and at its
    // ends as limits.
    std::vector<const Edge *> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    const std::size_t stretches = m_stops.size() - 1;
    m_start.assign(stretches, 0.0);
    m_end.assign(stretches, 0.0);
    for (std::size_t s = 0; s < stretches; ++s) {
        const double p = m_stops[s];
        const double q = m_stops[s + 1];
        const double middle = 0.5 * (p + q);
        while (next < edges.size() && edges[next].low < middle)
            active.push_back(&edges[next++]);
        std::erase_if(active, [&](const Edge *e) { return e->high <= middle; });
        crossings.clear();
        for (const Edge *e : active) {
            const double slope = (e->b.y() - e->a.y()) / (e->b.x() - e->a.x());
            crossings.push_back({e->a.y() + slope * (middle - e->a.x()),
                                 e->a.y() + slope * (p - e->a.x()),
                                 e->a.y() + slope * (q - e->a.x())});
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing &u, const Crossing &v) { return u.atMiddle < v.atMiddle; });
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            m_start[s] += crossings[i + 1].atStart - crossings[i].atStart;
            m_end[s] += crossings[i + 1].atEnd - crossings[i].atEnd;
        }
    }
}

double CrossSections::valueAt(std::size_t stretch, double t) const
{
    const double p = m_stops[stretch];
    const double q = m_stops[stretch + 1];
    const double f = std::clamp((t - p) / (q - p), 0.0, 1.0);
    return m_start[stretch] + (m_end[stretch] - m_start[stretch]) * f;
}

double CrossSections::least(double from, double to) const
{
    if (m_stops.empty() || !(to >= from) || from < m_stops.front() || to > m_stops.back())
        return 0.0;
    const auto stretchOf = [&](double t) {
        const auto after = std::upper_bound(m_stops.begin(), m_stops.end(), t);
        const std::size_t index = std::size_t(after - m_stops.begin());
        return std::min(index == 0 ? 0 : index - 1, m_start.size() - 1);
    };
    const std::size_t first = stretchOf(from);
    const std::size_t last = stretchOf(to);
    double least = std::min(valueAt(first, from), valueAt(last, to));
    for (std::size_t s = first; s < last; ++s)
        least = std::min({least, m_end[s], m_start[s + 1]});
    return std::max(least, 0.0);
}

QList<QPolygonF> transposedRings(const QList<QPolygonF> &rings)
{
    QList<QPolygonF> turned;
    turned.reserve(rings.size());
    for (const QPolygonF &ring : rings) {
        QPolygonF t;
        t.reserve(ring.size());
        for (const QPointF &point : ring)
            t.append(QPointF(point.y(), point.x()));
        turned.append(t);
    }
    return turned;
}

} // namespace tallero
