#pragma once

#include "geometry/shape.h"

namespace tallero {

// Both shapes must carry a geometry; callers test before calling.
Shape intersectShapes(const Shape &a, const Shape &b);
Shape uniteShapes(const Shape &a, const Shape &b);

// Length of the boundary the two shapes have in common; 0 when either has no
// geometry or the engine fails.
double sharedBoundaryLength(const Shape &a, const Shape &b);

// Engine length of a geometry; 0 when the call fails.
double geometryLength(const GEOSGeometry *geometry);

} // namespace tallero
