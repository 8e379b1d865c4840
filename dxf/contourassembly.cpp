#include "dxf/contourassembly.h"

#include "dxf/dxfmessages.h"
#include "dxf/duplicateloops.h"
#include "dxf/duplicatesegments.h"
#include "dxf/jointolerance.h"
#include "geometry/ringindex.h"
#include "dxf/segmentchainer.h"
#include "geometry/geometrydefect.h"
#include "geometry/regionsubtraction.h"
#include "geometry/ring.h"
#include "geometry/shape.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace tallero {

namespace {

constexpr double eps = 1e-7;

// About half a minute of edge tests at worst; real drawings need a tiny
// fraction of this even with hundreds of thousands of loops.
constexpr qint64 maximumHoleEdgeTests = 4'000'000'000LL;

// Beyond this distance from the origin the products of the shoelace sum
// carry rounding errors of square metres, enough to make a column look
// larger than its room.
constexpr double nearOrigin = 1e4;

// A chain of at least three segments that comes back to its start.
bool closesOnItself(const QPolygonF &chain)
{
    return chain.size() > 3 && withinJoinTolerance(chain.last(), chain.first());
}

// The area loops are ranked by. Near the origin it is the plain shoelace
// sum; far from it the sum is taken about the loop's first point, whose
// differences are exact for any loop of a real size.
double loopArea(const QPolygonF &loop)
{
    const bool near = std::all_of(loop.begin(), loop.end(), [](const QPointF &p) {
        return std::abs(p.x()) < nearOrigin && std::abs(p.y()) < nearOrigin;
    });
    if (near || loop.isEmpty())
        return ringArea(loop);
    const QPointF origin = loop.first();
    QPolygonF relative;
    relative.reserve(loop.size());
    for (const QPointF &p : loop)
        relative.append(p - origin);
    return ringArea(relative);
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

QString selfIntersectionMessage(QPointF location)
{
    return dxfSelfIntersectingContourMessage.toString().arg(QString::number(location.x(), 'f', 3),
                                                            QString::number(location.y(), 'f', 3));
}

// Refuses a contour the engine finds invalid; true when it is sound.
bool soundContour(const Shape &contour, QString &error)
{
    const GeometryDefect defect = findGeometryDefect(contour);
    switch (defect.kind) {
    case GeometryDefect::Kind::None:
        return true;
    case GeometryDefect::Kind::SelfIntersection:
        error = selfIntersectionMessage(defect.location);
        return false;
    case GeometryDefect::Kind::Other:
    case GeometryDefect::Kind::EngineFailure:
        break;
    }
    error = dxfInvalidOutlineMessage.toString();
    return false;
}

// The outline minus the union of its holes, for drawings whose rings do not
// make a valid polygon as they stand: holes that overlap, nest, or cross the
// outline's wall. Each is removed once, and a hole across the wall leaves a
// notch. A contour that crosses itself is refused.
bool subtractHoles(const Polygon &rings, Shape &region, QString &error)
{
    const Shape outline = shapeFromPolygon({rings.first()});
    if (!isNonEmpty(outline)) {
        error = dxfInvalidOutlineMessage.toString();
        return false;
    }
    if (!soundContour(outline, error))
        return false;
    QList<Shape> holes;
    for (qsizetype k = 1; k < rings.size(); ++k) {
        Shape hole = shapeFromPolygon({rings[k]});
        // A hole too small for the kernel takes nothing away.
        if (!hole.geometry)
            continue;
        if (!soundContour(hole, error))
            return false;
        holes.append(std::move(hole));
    }
    const std::optional<Shape> difference = subtractUnion(outline, holes);
    if (!difference || !isNonEmpty(*difference) || !isValidGeometry(*difference)) {
        error = dxfInvalidOutlineMessage.toString();
        return false;
    }
    region = *difference;
    return true;
}

} // namespace

bool assembleContours(const QList<QPointF> &points, const QList<Segment> &segments,
                      QList<QPolygonF> loops, Drawing &drawing, QString &error)
{
    for (const QPolygonF &chain : chainSegments(withoutDuplicateSegments(segments))) {
        if (closesOnItself(chain))
            loops.append(closeRing(chain));
    }
    loops = withoutDuplicateLoops(loops);
    if (loops.isEmpty())
        return boundingRectangleDrawing(points, drawing, error);

    QList<double> areas;
    areas.reserve(loops.size());
    for (const QPolygonF &loop : loops)
        areas.append(loopArea(loop));
    QList<qsizetype> order(loops.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return areas[a] > areas[b]; });

    // Holes are tested against the outline only, by their first point: a
    // loop inside a hole is a hole too, and the union of the holes below
    // takes it in.
    const QPolygonF &outline = loops[order.first()];
    // Scanning every outline edge for every loop made a traced outline with
    // many small loops take hours; the index looks only at the edges near
    // the point's height and counts its edge tests.
    RingIndex containment(outline);
    Polygon rings{outline};
    int ignored = 0;
    for (qsizetype k = 1; k < order.size(); ++k) {
        const QPolygonF &loop = loops[order[k]];
        if (!loop.isEmpty() && containment.containsPoint(loop.first()))
            rings.append(loop);
        else
            ++ignored;
        // Only an outline made to defeat the index gets here: refuse it
        // rather than hang.
        if (containment.edgeTests() > maximumHoleEdgeTests) {
            error = dxfTooLargeMessage.toString();
            return false;
        }
    }

    // Rings that already make a valid polygon are taken as they are; only
    // the others are rebuilt by subtraction, which the engine answers with
    // rings of its own order.
    Shape region = shapeFromPolygon(rings);
    if (!isNonEmpty(region) || !isValidGeometry(region)) {
        if (!subtractHoles(rings, region, error))
            return false;
    }
    static_cast<Shape &>(drawing) = region;
    drawing.boundingBoxFallback = false;
    drawing.ignoredContourCount = ignored;
    return true;
}

} // namespace tallero
