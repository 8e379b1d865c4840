#pragma once

#include <QList>
#include <QPolygonF>
#include <QRectF>

namespace tallero {

// A polygon of the program: its exterior ring first, then its holes. No ring
// orientation is required.
using Polygon = QList<QPolygonF>;

// Appends a copy of the first point when the ring has at least three points
// and is not already closed (fuzzy point equality); otherwise unchanged.
QPolygonF closeRing(const QPolygonF &ring);

// Enclosed area of a closed ring by the shoelace sum, always >= 0.
double ringArea(const QPolygonF &ring);

// Area of the part of a simple ring's interior that lies in the box: the
// ring clipped to the box, whose edges along the box's sides enclose
// nothing. Always >= 0.
double ringAreaWithin(const QPolygonF &ring, const QRectF &box);

} // namespace tallero
