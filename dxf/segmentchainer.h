#pragma once

#include "dxf/segment.h"

#include <QList>
#include <QPolygonF>

namespace tallero {

// Chains segments end to end. Each chain starts as the last remaining
// segment and grows only at its end: again and again the first remaining
// segment in list order whose start (checked first) or end lies within
// joinTolerance of the chain's last point is removed and its other end
// appended. Returns every chain in the order built, open ones included;
// every segment is used exactly once.
QList<QPolygonF> chainSegments(const QList<Segment> &segments);

} // namespace tallero
