#pragma once

#include "geometry/shape.h"

namespace tallero {

// The loaded work area in the DXF's own coordinates (metres, y upwards): the
// outline shape (outline ring, then its holes), plus whether the outline is
// only the bounding rectangle of everything drawn because no closed contour
// was found.
struct Drawing : Shape
{
    bool boundingBoxFallback = false;
};

} // namespace tallero
