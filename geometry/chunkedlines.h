#pragma once

#include "geometry/geometrycontext.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

namespace tallero {

// The lines of a geometry (the boundary of a sheet's contents, say) cut into
// short runs of their own segments, each with its bounds. The length that a
// small figure shares with the lines lies wholly on the runs near it, so it
// can be measured against those few runs instead of the whole, which for a
// full sheet holds thousands of segments. The runs keep every vertex as it
// is, so the shared length is the same set of segments either way. Use it on
// one thread at a time.
class ChunkedLines
{
public:
    explicit ChunkedLines(const GEOSGeometry *lines);

    // False when the lines could not be read or cut; callers then measure
    // against the whole geometry.
    bool isUsable() const { return m_usable; }

    // Engine length of the intersection of `other` with the runs whose
    // bounds meet `near`, which must hold every point of `other`. Nothing
    // when the engine fails. When neither `other` nor the lines run over
    // themselves (`simple`: boundaries of valid shapes, say) and every
    // segment of both is horizontal or vertical, the length is summed from
    // their coordinates instead, which gives the engine's length but for the
    // order of the additions.
    std::optional<double> sharedLength(const GEOSGeometry *other, const QRectF &near,
                                       bool simple = false) const;

private:
    struct Run
    {
        QRectF bounds;
        GeometryHandle line;
        std::vector<QPointF> points;
        bool square = true;   // every segment horizontal or vertical
    };
    bool addLines(const GEOSGeometry *geometry);
    bool addLineString(const GEOSGeometry *line);

    std::vector<Run> m_runs;
    bool m_usable = false;
};

} // namespace tallero
