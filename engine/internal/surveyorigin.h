#pragma once

#include <QPointF>
#include <QRectF>

namespace tallero {

// Beyond this distance from the origin (in either coordinate) a drawing is
// planned relative to a nearby origin: survey drawings (UTM, state plane)
// put rooms millions of metres out, where a double keeps only nanometres
// and every rotation of a cut piece would lose them.
inline constexpr double surveyDistance = 1e4;

// The origin a drawing with these bounds is planned from: (0, 0) for a
// drawing within surveyDistance of the origin, whose plan must stay exactly
// what it is; otherwise the lower-left corner of its bounds rounded down to
// whole kilometres, so the shifted coordinates are small and the differences
// exact.
QPointF planningOrigin(const QRectF &bounds);

} // namespace tallero
