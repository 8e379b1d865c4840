#pragma once

#include "geometry/ringindex.h"

namespace tallero {

// Deciding which loops of a drawing are holes asks, for every loop, whether
// its first point lies in the outline, with QPolygonF's own answers; scanning
// every outline edge each time made a traced outline with many small loops
// take hours. The kernel's ring index answers it from the edges near the
// point's height and counts the edge tests, so an outline built to defeat
// the index can be refused.
using OutlineContainment = RingIndex;

} // namespace tallero
