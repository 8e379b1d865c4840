#include "geometry/ring.h"

#include <cmath>

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

} // namespace tallero
