#pragma once

#include <QList>
#include <QPolygonF>

#include <limits>

namespace tallero {

// A polyline corner. The bulge belongs to the edge that leaves the vertex:
// the tangent of a quarter of the arc's included angle, positive for a
// counter-clockwise arc, 0 for a straight edge.
struct PolylineVertex
{
    double x = 0.0;
    double y = 0.0;
    double bulge = 0.0;
};

// Replaces every arc edge by chords of about 5 mm (3 to 180 per arc). An open
// polyline ends with its last vertex; a closed one does not repeat its first,
// the closing edge is expanded and the ring is closed when it is filed. Fewer
// than two vertices give no points. Once more than `limit` points are made
// the rest is left out: a polyline of a million bulges would otherwise
// exhaust memory before anyone could refuse it.
QPolygonF expandBulges(const QList<PolylineVertex> &vertices, bool closed,
                       qsizetype limit = std::numeric_limits<qsizetype>::max());

} // namespace tallero
