#include "geometry/ring.h"

#include <cmath>
#include <vector>

namespace tallero {

QPolygonF closeRing(const QPolygonF &ring)
{
    // QPointF's equality is the fuzzy one: relative 1e-12, or absolute 1e-12
    // when one coordinate is exactly zero.
    if (ring.size() >= 3 && ring.last() != ring.first()) {
        QPolygonF closed = ring;
        closed.append(ring.first());
        return closed;
    }
    return ring;
}

double ringArea(const QPolygonF &ring)
{
    double sum = 0.0;
    for (qsizetype i = 0; i + 1 < ring.size(); ++i)
        sum += ring[i].x() * ring[i + 1].y() - ring[i + 1].x() * ring[i].y();
    return std::abs(0.5 * sum);
}

double ringAreaWithin(const QPolygonF &ring, const QRectF &box)
{
    std::vector<QPointF> points(ring.begin(), ring.end());
    if (points.size() > 1 && points.front().x() == points.back().x()
        && points.front().y() == points.back().y())
        points.pop_back();
    // Clipped to one side of the box at a time: `inside` tells which points
    // are kept, `cut` where an edge crosses the side.
    std::vector<QPointF> kept;
    const auto clip = [&](auto inside, auto cut) {
        kept.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QPointF &from = points[(i + points.size() - 1) % points.size()];
            const QPointF &to = points[i];
            if (inside(to)) {
                if (!inside(from))
                    kept.push_back(cut(from, to));
                kept.push_back(to);
            } else if (inside(from)) {
                kept.push_back(cut(from, to));
            }
        }
        points.swap(kept);
    };
    const auto atX = [](double x) {
        return [x](const QPointF &a, const QPointF &b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * ((x - a.x()) / (b.x() - a.x())));
        };
    };
    const auto atY = [](double y) {
        return [y](const QPointF &a, const QPointF &b) {
            return QPointF(a.x() + (b.x() - a.x()) * ((y - a.y()) / (b.y() - a.y())), y);
        };
    };
    clip([&](const QPointF &p) { return p.x() >= box.left(); }, atX(box.left()));
    clip([&](const QPointF &p) { return p.x() <= box.right(); }, atX(box.right()));
    clip([&](const QPointF &p) { return p.y() >= box.top(); }, atY(box.top()));
    clip([&](const QPointF &p) { return p.y() <= box.bottom(); }, atY(box.bottom()));
    double sum = 0.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF &a = points[i];
        const QPointF &b = points[(i + 1) % points.size()];
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(0.5 * sum);
}

} // namespace tallero
