#pragma once

#include "dxf/segment.h"

#include <QList>

namespace tallero {

// The segments without those that repeat an earlier one: both ends within
// joinTolerance of the earlier segment's ends, in either direction. CAD files
// often hold a line twice (a copy pasted in place, a wall drawn by two
// layers); chained, the copy would trace the room a second time. The order
// of the segments kept is their order in the list.
QList<Segment> withoutDuplicateSegments(const QList<Segment> &segments);

} // namespace tallero
