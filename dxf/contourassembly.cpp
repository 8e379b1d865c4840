#include "dxf/contourassembly.h"

#include "dxf/dxfmessages.h"
#include "dxf/jointolerance.h"
#include "dxf/outlinecontainment.h"
#include "dxf/segmentchainer.h"
#include "geometry/ring.h"
#include "geometry/shape.h"

#include <algorithm>
#include <numeric>

namespace tallero {

namespace {

constexpr double eps = 1e-7;

// About half a minute of edge tests at worst; real drawings need a tiny
// fraction of this even with hundreds of thousands of loops.
constexpr qint64 maximumHoleEdgeTests = 4'000'000'000LL;

// A chain of at least three segments that comes back to its start.
bool closesOnItself(const QPolygonF &chain)
{
    return chain.size() > 3 && withinJoinTolerance(chain.last(), chain.first());
}

bool boundingRectangleDrawing(const QList<QPointF> &points, Drawing &drawing, QString &error)
{
    if (points.isEmpty()) {
        error = dxfNoEntitiesMessage.toString();
        return false;
    }
    double minX = points.first().x(), maxX = minX;
    double minY = points.first().y(), maxY = minY;
    for (const QPointF &p : points) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const double width = maxX - minX;
    const double height = maxY - minY;
    if (width > eps && height > eps) {
        static_cast<Shape &>(drawing) = rectangleShape(minX, minY, width, height);
        drawing.boundingBoxFallback = true;
        // Width and height above the tolerance can still leave an area below
        // it, which the geometry kernel refuses; such a drawing has no
        // usable size either.
        if (isNonEmpty(drawing))
            return true;
    }
    error = dxfNoDimensionsMessage.toString();
    return false;
}

} // namespace

bool assembleContours(const QList<QPointF> &points, const QList<Segment> &segments,
                      QList<QPolygonF> loops, Drawing &drawing, QString &error)
{
    for (const QPolygonF &chain : chainSegments(segments)) {
        if (closesOnItself(chain))
            loops.append(closeRing(chain));
    }
    if (loops.isEmpty())
        return boundingRectangleDrawing(points, drawing, error);

    QList<double> areas;
    areas.reserve(loops.size());
    for (const QPolygonF &loop : loops)
        areas.append(ringArea(loop));
    QList<qsizetype> order(loops.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return areas[a] > areas[b]; });

    // Holes are tested against the outline only, by their first point: a
    // loop inside a hole is a hole too.
    const QPolygonF &outline = loops[order.first()];
    OutlineContainment containment(outline);
    Polygon rings{outline};
    for (qsizetype k = 1; k < order.size(); ++k) {
        const QPolygonF &loop = loops[order[k]];
        if (!loop.isEmpty() && containment.containsPoint(loop.first()))
            rings.append(loop);
        // Only an outline made to defeat the index gets here: refuse it
        // rather than hang.
        if (containment.edgeTests() > maximumHoleEdgeTests) {
            error = dxfTooLargeMessage.toString();
            return false;
        }
    }
    static_cast<Shape &>(drawing) = shapeFromPolygon(rings);
    drawing.boundingBoxFallback = false;
    if (!isNonEmpty(drawing)) {
        error = dxfInvalidOutlineMessage.toString();
        return false;
    }
    return true;
}

} // namespace tallero
