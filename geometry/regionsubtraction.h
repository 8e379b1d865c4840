#pragma once

#include "geometry/shape.h"

#include <optional>

namespace tallero {

// The region `outer` minus the union of `holes`: holes that overlap, nest or
// repeat are removed once, and a hole that reaches beyond `outer` cuts a
// notch into it. Holes without a geometry are left out. Nothing when the
// engine fails or `outer` has no geometry; the result may be empty.
std::optional<Shape> subtractUnion(const Shape &outer, const QList<Shape> &holes);

} // namespace tallero
