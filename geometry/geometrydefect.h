#pragma once

#include "geometry/shape.h"

#include <QPointF>

namespace tallero {

// Why the engine finds a shape's geometry invalid, and where.
struct GeometryDefect
{
    enum class Kind {
        None,               // valid
        SelfIntersection,   // a ring crosses or touches itself or another ring
        Other,              // any other reason the engine gives
        EngineFailure,      // the engine could not decide; treated as invalid
    };
    Kind kind = Kind::None;
    QPointF location;       // where the engine found it, when it says
};

// The engine's validity check with its reason. A shape without a geometry
// has nothing to check and counts as valid.
GeometryDefect findGeometryDefect(const Shape &shape);

bool isValidGeometry(const Shape &shape);

} // namespace tallero
