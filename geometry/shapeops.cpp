#include "geometry/shapeops.h"

namespace tallero {

Shape intersectShapes(const Shape &a, const Shape &b)
{
    return shapeFromGeometry(
        own(GEOSIntersection_r(geometryContext(), a.geometry.get(), b.geometry.get())));
}

Shape uniteShapes(const Shape &a, const Shape &b)
{
    return shapeFromGeometry(
        own(GEOSUnion_r(geometryContext(), a.geometry.get(), b.geometry.get())));
}

double geometryLength(const GEOSGeometry *geometry)
{
    double length = 0.0;
    if (!geometry || !GEOSLength_r(geometryContext(), geometry, &length))
        return 0.0;
    return length;
}

double sharedBoundaryLength(const Shape &a, const Shape &b)
{
    if (!a.geometry || !b.geometry)
        return 0.0;
    GEOSContextHandle_t context = geometryContext();
    const GeometryHandle boundaryA = own(GEOSBoundary_r(context, a.geometry.get()));
    const GeometryHandle boundaryB = own(GEOSBoundary_r(context, b.geometry.get()));
    if (!boundaryA || !boundaryB)
        return 0.0;
    const GeometryHandle common = own(GEOSIntersection_r(context, boundaryA.get(), boundaryB.get()));
    return geometryLength(common.get());
}

} // namespace tallero
