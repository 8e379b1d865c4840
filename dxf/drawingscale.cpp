#include "dxf/drawingscale.h"

namespace tallero {

std::optional<Drawing> scaledDrawing(const Drawing &drawing, double factor)
{
    std::optional<Shape> outline = scaledShape(drawing, factor);
    if (!outline)
        return std::nullopt;
    Drawing scaled;
    static_cast<Shape &>(scaled) = std::move(*outline);
    scaled.boundingBoxFallback = drawing.boundingBoxFallback;
    scaled.ignoredContourCount = drawing.ignoredContourCount;
    return scaled;
}

} // namespace tallero
