#pragma once

#include <QPolygonF>

namespace tallero {

// Circular arc from startDegrees counter-clockwise to endDegrees; a start
// beyond the end runs through 0. One step per 4 degrees, at least 12. A sweep
// beyond a full turn would only retrace the circle, so it is drawn as one
// turn (90 steps): this also bounds the work a corrupt angle can cause.
QPolygonF arcPoints(QPointF centre, double radius, double startDegrees, double endDegrees);

// Full circle in 96 steps from startDegrees to 360; the last point repeats
// the first.
QPolygonF circlePoints(QPointF centre, double radius, double startDegrees);

struct EllipsePoints
{
    QPolygonF points;
    bool closed = false;   // the parameters span a full turn
};

// Ellipse about `centre` with major-axis vector `major` and minor/major
// `ratio`, from parameter `start` counter-clockwise to `end` (radians). About
// one step per 5 mm of the larger radius's arc, 12 to 360 steps.
EllipsePoints ellipsePoints(QPointF centre, QPointF major, double ratio, double start, double end);

} // namespace tallero
