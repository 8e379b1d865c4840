#include "dxf/segmentchainer.h"

#include "dxf/endpointgrid.h"

namespace tallero {

QList<QPolygonF> chainSegments(const QList<Segment> &segments)
{
    QList<QPolygonF> chains;
    EndpointGrid grid(segments);
    for (qsizetype last = segments.size() - 1; last >= 0; --last) {
        if (grid.isRemoved(last))
            continue;
        grid.remove(last);
        QPolygonF chain{segments[last].start, segments[last].end};
        for (;;) {
            const EndpointGrid::Match match = grid.firstNear(chain.last());
            if (match.segment < 0)
                break;
            grid.remove(match.segment);
            const Segment &next = segments[match.segment];
            chain.append(match.atStart ? next.end : next.start);
        }
        chains.append(chain);
    }
    return chains;
}

} // namespace tallero
