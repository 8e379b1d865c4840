#include "engine/interiorprobe.h"

#include "geometry/ringindex.h"

namespace tallero {

QList<QPointF> interiorProbes(const QList<QPolygonF> &rings, const QRectF &bounds,
                              double clearance, int limit)
{
    const RingIndex index(rings);
    QList<QPointF> inside;
    for (int i = 0; i < interiorProbeGrid; ++i) {
        for (int j = 0; j < interiorProbeGrid; ++j) {
            const QPointF point(bounds.left() + bounds.width() * (i + 0.5) / interiorProbeGrid,
                                bounds.top() + bounds.height() * (j + 0.5) / interiorProbeGrid);
            if (index.containsWithClearance(point, clearance))
                inside.append(point);
        }
    }
    if (inside.size() <= limit)
        return inside;
    QList<QPointF> spread;
    for (int k = 0; k < limit; ++k)
        spread.append(inside[k * inside.size() / limit]);
    return spread;
}

} // namespace tallero
