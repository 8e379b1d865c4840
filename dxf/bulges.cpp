#include "dxf/bulges.h"

#include "geometry/clampedinteger.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

constexpr double chordStep = 0.005;

// Interior points of the arc edge from a to b; nothing for a straight edge.
void appendArcInterior(QPolygonF &points, QPointF a, QPointF b, double bulge)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double chord = std::hypot(dx, dy);
    if (std::abs(bulge) < 1e-12 || chord < 1e-7)
        return;
    const double angle = 4.0 * std::atan(bulge);
    const double radius = (bulge * bulge + 1.0) * chord / (4.0 * std::abs(bulge));
    const double offset = (1.0 - bulge * bulge) * chord / (4.0 * bulge);
    const QPointF centre((a.x() + b.x()) / 2.0 - offset * dy / chord,
                         (a.y() + b.y()) / 2.0 + offset * dx / chord);
    const double start = std::atan2(a.y() - centre.y(), a.x() - centre.x());
    // Clamped as a double: a nearly straight bulge has an enormous radius.
    const int steps = clampedInt(std::ceil(std::abs(angle) * radius / chordStep), 3, 180);
    for (int j = 1; j < steps; ++j) {
        const double t = start + j * angle / steps;
        points.append(centre + radius * QPointF(std::cos(t), std::sin(t)));
    }
}

} // namespace

QPolygonF expandBulges(const QList<PolylineVertex> &vertices, bool closed, qsizetype limit)
{
    QPolygonF points;
    const qsizetype n = vertices.size();
    if (n < 2)
        return points;
    const qsizetype edges = closed ? n : n - 1;
    for (qsizetype k = 0; k < edges && points.size() <= limit; ++k) {
        const PolylineVertex &from = vertices[k];
        const PolylineVertex &to = vertices[(k + 1) % n];
        const QPointF a(from.x, from.y);
        points.append(a);
        appendArcInterior(points, a, QPointF(to.x, to.y), from.bulge);
    }
    if (!closed)
        points.append(QPointF(vertices.last().x, vertices.last().y));
    return points;
}

} // namespace tallero
