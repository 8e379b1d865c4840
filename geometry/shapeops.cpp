#include "geometry/shapeops.h"

namespace tallero {

std::optional<Shape> intersectShapes(const Shape &a, const Shape &b)
{
    if (!a.geometry || !b.geometry)
        return std::nullopt;
    return shapeFromResult(GEOSIntersection_r(geometryContext(), a.geometry.get(), b.geometry.get()));
}

std::optional<Shape> uniteShapes(const Shape &a, const Shape &b)
{
    if (!a.geometry || !b.geometry)
        return std::nullopt;
    return shapeFromResult(GEOSUnion_r(geometryContext(), a.geometry.get(), b.geometry.get()));
}

std::optional<double> geometryLength(const GEOSGeometry *geometry)
{
    double length = 0.0;
    if (!geometry || !GEOSLength_r(geometryContext(), geometry, &length))
        return std::nullopt;
    return length;
}

std::optional<Shape> intersectGeometries(const GEOSGeometry *a, const GEOSGeometry *b)
{
    return shapeFromResult(GEOSIntersection_r(geometryContext(), a, b));
}

std::optional<Shape> uniteGeometries(const GEOSGeometry *a, const GEOSGeometry *b)
{
    return shapeFromResult(GEOSUnion_r(geometryContext(), a, b));
}

std::optional<double> intersectionLength(const GEOSGeometry *a, const GEOSGeometry *b)
{
    return geometryLength(own(GEOSIntersection_r(geometryContext(), a, b)).get());
}

GeometryHandle geometryBoundary(const GEOSGeometry *geometry)
{
    return own(GEOSBoundary_r(geometryContext(), geometry));
}

std::optional<Shape> geometryConvexHull(const GEOSGeometry *geometry)
{
    return shapeFromResult(GEOSConvexHull_r(geometryContext(), geometry));
}

std::optional<double> sharedBoundaryLength(const Shape &a, const Shape &b)
{
    if (!a.geometry || !b.geometry)
        return 0.0;
    GEOSContextHandle_t context = geometryContext();
    const GeometryHandle boundaryA = own(GEOSBoundary_r(context, a.geometry.get()));
    const GeometryHandle boundaryB = own(GEOSBoundary_r(context, b.geometry.get()));
    if (!boundaryA || !boundaryB)
        return std::nullopt;
    const GeometryHandle common = own(GEOSIntersection_r(context, boundaryA.get(), boundaryB.get()));
    return geometryLength(common.get());
}

} // namespace tallero
