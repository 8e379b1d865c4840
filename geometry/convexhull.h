#pragma once

#include <QPointF>

#include <vector>

namespace tallero {

// The vertices of the convex hull of the points, counter-clockwise in y-up
// coordinates, without collinear points; computed in plain arithmetic so
// that a search can bound hull areas without the geometry engine.
std::vector<QPointF> convexHullPoints(std::vector<QPointF> points);

// Area enclosed by a convex hull as convexHullPoints returns it.
double convexHullArea(const std::vector<QPointF> &hull);

} // namespace tallero
