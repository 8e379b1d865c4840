#include "geometry/regionsubtraction.h"

#include <vector>

namespace tallero {

std::optional<Shape> subtractUnion(const Shape &outer, const QList<Shape> &holes)
{
    if (!outer.geometry)
        return std::nullopt;
    GEOSContextHandle_t context = geometryContext();
    std::vector<GEOSGeometry *> parts;
    for (const Shape &hole : holes) {
        if (!hole.geometry)
            continue;
        GEOSGeometry *copy = GEOSGeom_clone_r(context, hole.geometry.get());
        if (!copy) {
            for (GEOSGeometry *part : parts)
                GEOSGeom_destroy_r(context, part);
            return std::nullopt;
        }
        parts.push_back(copy);
    }
    if (parts.empty())
        return shapeFromResult(GEOSGeom_clone_r(context, outer.geometry.get()));
    // The collection takes over the copies, whatever its outcome.
    const GeometryHandle collection = own(GEOSGeom_createCollection_r(
        context, GEOS_GEOMETRYCOLLECTION, parts.data(), static_cast<unsigned int>(parts.size())));
    if (!collection)
        return std::nullopt;
    const GeometryHandle united = own(GEOSUnaryUnion_r(context, collection.get()));
    if (!united)
        return std::nullopt;
    return shapeFromResult(GEOSDifference_r(context, outer.geometry.get(), united.get()));
}

} // namespace tallero
