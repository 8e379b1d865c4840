#pragma once

#include "geometry/shape.h"

namespace tallero {

// The loaded work area in the DXF's own coordinates (metres, y upwards): the
// outline minus its holes as one shape, plus whether the outline is only the
// bounding rectangle of everything drawn because no closed contour was
// found.
struct Drawing : Shape
{
    bool boundingBoxFallback = false;
    // Closed contours that lie outside the outline and were left out (a
    // title block, a second room); the window can say so.
    int ignoredContourCount = 0;
};

} // namespace tallero
