#pragma once

#include "geometry/geometrycontext.h"
#include "geometry/ring.h"

#include <optional>

namespace tallero {

// Builds the engine geometry of accepted polygons moved by (dx, dy) straight
// from their coordinates, bit for bit the geometry that writing them as WKT
// and reading it back would give: every coordinate rounded to ten decimals
// as the text would round it, holes shorter than four points left out, and
// a ring that the rounding leaves unclosed failing the whole geometry, as it
// fails the reader. Writing and parsing text is most of the cost of making a
// shape, and shapes are made by the thousand while a plan is nested.
//
// Nothing (std::nullopt) when a coordinate is too large for that rounding
// to be reproduced exactly; callers then take the WKT road.
std::optional<GeometryHandle> buildPolygonsGeometry(const QList<Polygon> &accepted, double dx = 0.0,
                                                    double dy = 0.0);

} // namespace tallero
