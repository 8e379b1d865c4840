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
