#include "geometry/shapecopy.h"

namespace tallero {

std::optional<Shape> independentCopy(const Shape &shape)
{
    Shape copy = shape;
    if (!shape.geometry)
        return copy;
    copy.geometry = own(GEOSGeom_clone_r(geometryContext(), shape.geometry.get()));
    if (!copy.geometry)
        return std::nullopt;
    return copy;
}

} // namespace tallero
