#pragma once

#include <QList>
#include <QPolygonF>

namespace tallero {

// The loops without those that repeat an earlier one: the same points, each
// within joinTolerance, from any start vertex and in either direction. A
// repeated outline or column would otherwise be taken as a hole of itself or
// subtracted twice. Kept loops stay in their order.
QList<QPolygonF> withoutDuplicateLoops(const QList<QPolygonF> &loops);

} // namespace tallero
