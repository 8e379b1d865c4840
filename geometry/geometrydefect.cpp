#include "geometry/geometrydefect.h"

#include <cstring>

namespace tallero {

GeometryDefect findGeometryDefect(const Shape &shape)
{
    GeometryDefect defect;
    if (!shape.geometry)
        return defect;
    GEOSContextHandle_t context = geometryContext();
    char *reason = nullptr;
    GEOSGeometry *location = nullptr;
    const char valid = GEOSisValidDetail_r(context, shape.geometry.get(), 0, &reason, &location);
    if (valid == 1) {
        defect.kind = GeometryDefect::Kind::None;
    } else if (valid == 0) {
        // The engine's reasons are fixed English phrases: "Self-intersection"
        // and "Ring Self-intersection" are the crossings and touchings.
        defect.kind = reason && std::strstr(reason, "elf-intersection")
            ? GeometryDefect::Kind::SelfIntersection
            : GeometryDefect::Kind::Other;
        double x = 0.0;
        double y = 0.0;
        if (location && GEOSGeomGetX_r(context, location, &x) && GEOSGeomGetY_r(context, location, &y))
            defect.location = QPointF(x, y);
    } else {
        defect.kind = GeometryDefect::Kind::EngineFailure;
    }
    if (reason)
        GEOSFree_r(context, reason);
    if (location)
        GEOSGeom_destroy_r(context, location);
    return defect;
}

bool isValidGeometry(const Shape &shape)
{
    return findGeometryDefect(shape).kind == GeometryDefect::Kind::None;
}

} // namespace tallero
