#pragma once

#include <QPointF>

namespace tallero {

// An open straight piece of the drawing, from a LINE or from one chord of an
// open curve.
struct Segment
{
    QPointF start;
    QPointF end;
};

} // namespace tallero
