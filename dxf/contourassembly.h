#pragma once

#include "dxf/drawing.h"
#include "dxf/segment.h"

#include <QList>
#include <QPolygonF>
#include <QString>

namespace tallero {

// Completes the import: chains the segments into further loops, takes the
// largest loop as the outline and the loops that start inside it as holes.
// Without any loop the bounding rectangle of all points becomes the outline
// and the drawing is marked as a fallback. On failure `error` holds one of
// the Spanish messages of dxfmessages.h.
bool assembleContours(const QList<QPointF> &points, const QList<Segment> &segments,
                      QList<QPolygonF> loops, Drawing &drawing, QString &error);

} // namespace tallero
