#pragma once

#include "geometry/shape.h"

#include <QList>
#include <QPointF>
#include <QTransform>

namespace tallero {

// Maps every point of every ring through the transform, keeping polygon and
// ring structure, and rebuilds the shape from the mapped polygons, so path,
// bounds, area and geometry all describe the moved figure.
Shape transformShape(const Shape &shape, const QTransform &transform);

// At most `limit` of the points, evenly spread over the list in its order:
// the points at index i * count / limit for i = 0 ... limit - 1.
QList<QPointF> evenlySpaced(const QList<QPointF> &points, int limit);

// Up to `limit` distinct vertices of the shape, rounded to 1e-9 m, in ring
// order (closing repeats left out). Longer lists are thinned evenly.
QList<QPointF> sampleVertices(const Shape &shape, int limit);

} // namespace tallero
