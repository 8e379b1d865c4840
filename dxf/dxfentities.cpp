#include "dxf/dxfentities.h"

#include "geometry/ring.h"

namespace tallero {

void appendPolyline(DxfEntities &entities, const QPolygonF &points, bool closed)
{
    entities.points.append(points);
    if (points.size() < 2)
        return;
    if (closed) {
        entities.loops.append(closeRing(points));
        return;
    }
    entities.segments.reserve(entities.segments.size() + points.size() - 1);
    for (qsizetype k = 1; k < points.size(); ++k)
        entities.segments.append({points[k - 1], points[k]});
}

void appendSegment(DxfEntities &entities, QPointF start, QPointF end)
{
    entities.points.append(start);
    entities.points.append(end);
    entities.segments.append({start, end});
}

} // namespace tallero
