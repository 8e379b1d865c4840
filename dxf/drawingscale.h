#pragma once

#include "dxf/drawing.h"

#include <optional>

namespace tallero {

// The drawing with every coordinate multiplied by `factor` (1/1000 for a
// drawing made in millimetres): outline, holes, bounds and area scaled, the
// fallback mark and the count of ignored contours kept. Nothing when the
// factor is not a positive finite number or the scaled outline cannot be
// built.
std::optional<Drawing> scaledDrawing(const Drawing &drawing, double factor);

} // namespace tallero
