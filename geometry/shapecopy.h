#pragma once

#include "geometry/shape.h"

#include <optional>

namespace tallero {

// The shape with a geometry of its own: the engine's geometry cloned, the
// point lists and path shared (Qt copies them on write, safely across
// threads). The engine's geometries are not safe to read on two threads at
// once (some answers are worked out on first use and kept), so a shape that
// another thread will use is copied first, on the thread that owns it.
// Nothing when the engine cannot clone the geometry.
std::optional<Shape> independentCopy(const Shape &shape);

} // namespace tallero
