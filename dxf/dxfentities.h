#pragma once

#include "dxf/segment.h"

#include <QList>
#include <QPolygonF>

namespace tallero {

// Every bulge vertex may become 180 points, so a few megabytes of file could
// ask for billions; no outline needs more than this many.
inline constexpr qsizetype dxfMaxPoints = 5'000'000;

// What the reader makes of a file's entities, in entity order, before the
// contours are assembled.
struct DxfEntities
{
    QList<QPointF> points;      // every point of every entity, after discretisation
    QList<Segment> segments;    // lines and the chords of open curves
    QList<QPolygonF> loops;     // closed entities, each ring closed
};

// Files one discretised entity: its points go to the cloud; an open one adds
// its chords as segments, a closed one adds itself as a closed ring. Fewer
// than two points add nothing but the points.
void appendPolyline(DxfEntities &entities, const QPolygonF &points, bool closed);

void appendSegment(DxfEntities &entities, QPointF start, QPointF end);

} // namespace tallero
