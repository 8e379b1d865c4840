#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>

namespace tallero {

// Columns and rows of the grid over a shape's bounds the probes are taken
// from.
inline constexpr int interiorProbeGrid = 16;

// Points inside a shape with at least `clearance` to spare, at most `limit`,
// taken from a grid over its bounds.
QList<QPointF> interiorProbes(const QList<QPolygonF> &rings, const QRectF &bounds,
                              double clearance, int limit);

} // namespace tallero
