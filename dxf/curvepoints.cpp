#include "dxf/curvepoints.h"

#include "geometry/clampedinteger.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tallero {

namespace {

constexpr double degree = std::numbers::pi / 180.0;
constexpr double fullTurn = 2.0 * std::numbers::pi;

QPolygonF sweepPoints(QPointF centre, double radius, double start, double sweep, int steps)
{
    QPolygonF points;
    points.reserve(steps + 1);
    for (int k = 0; k <= steps; ++k) {
        const double a = (start + k * sweep / steps) * degree;
        points.append(centre + radius * QPointF(std::cos(a), std::sin(a)));
    }
    return points;
}

} // namespace

QPolygonF arcPoints(QPointF centre, double radius, double startDegrees, double endDegrees)
{
    if (startDegrees > endDegrees)
        endDegrees += 360.0;
    const double sweep = std::min(endDegrees - startDegrees, 360.0);
    // A start more than a turn past the end still leaves a negative sweep;
    // it gets the minimum count like any short arc.
    const int steps = clampedInt(std::trunc(sweep * 0.25), 12, 360);
    return sweepPoints(centre, radius, startDegrees, sweep, steps);
}

QPolygonF circlePoints(QPointF centre, double radius, double startDegrees)
{
    double end = 360.0;
    if (startDegrees > end)
        end += 360.0;
    return sweepPoints(centre, radius, startDegrees, end - startDegrees, 96);
}

EllipsePoints ellipsePoints(QPointF centre, QPointF major, double ratio, double start, double end)
{
    if (end < start)
        end += fullTurn;
    const double span = end - start;
    const double majorLength = std::hypot(major.x(), major.y());
    const double largerRadius = std::max(majorLength, ratio * majorLength);
    const int steps = clampedInt(std::ceil(std::abs(span) * largerRadius / 0.005), 12, 360);
    const QPointF minor = ratio * QPointF(-major.y(), major.x());
    EllipsePoints result;
    result.points.reserve(steps + 1);
    for (int k = 0; k <= steps; ++k) {
        const double t = start + k * span / steps;
        result.points.append(centre + major * std::cos(t) + minor * std::sin(t));
    }
    result.closed = std::abs(span - fullTurn) < 1e-4;
    return result;
}

} // namespace tallero
