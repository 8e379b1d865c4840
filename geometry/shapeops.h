#pragma once

#include "geometry/shape.h"

#include <optional>

namespace tallero {

// The intersection and the union of two shapes. Nothing when the engine
// fails, or when either shape has no geometry to operate on; an empty
// intersection is the empty shape.
std::optional<Shape> intersectShapes(const Shape &a, const Shape &b);
std::optional<Shape> uniteShapes(const Shape &a, const Shape &b);

// Length of the boundary the two shapes have in common: 0 when either has no
// geometry, nothing when the engine fails.
std::optional<double> sharedBoundaryLength(const Shape &a, const Shape &b);

// Engine length of a geometry; nothing when there is no geometry or the call
// fails.
std::optional<double> geometryLength(const GEOSGeometry *geometry);

// The same operations on geometries held elsewhere (a sheet's prepared or
// cached contents). Nothing means the engine failed.
std::optional<Shape> intersectGeometries(const GEOSGeometry *a, const GEOSGeometry *b);
std::optional<Shape> uniteGeometries(const GEOSGeometry *a, const GEOSGeometry *b);
std::optional<double> intersectionLength(const GEOSGeometry *a, const GEOSGeometry *b);
GeometryHandle geometryBoundary(const GEOSGeometry *geometry);   // empty on failure
std::optional<Shape> geometryConvexHull(const GEOSGeometry *geometry);

} // namespace tallero
