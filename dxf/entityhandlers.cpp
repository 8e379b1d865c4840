#include "dxf/entityhandlers.h"

#include "dxf/bulges.h"
#include "dxf/curvepoints.h"
#include "dxf/entityfields.h"
#include "dxf/jointolerance.h"

#include <numbers>

namespace tallero {

namespace {

std::span<const GroupPair> slice(const GroupPairs &pairs, qsizetype begin, qsizetype end)
{
    return std::span<const GroupPair>(pairs.data() + begin, size_t(end - begin));
}

void readLine(EntityFields &fields, DxfEntities &entities)
{
    const QPointF start = fields.point(10, 20);
    appendSegment(entities, start, fields.point(11, 21));
}

void readLwPolyline(EntityFields &fields, DxfEntities &entities)
{
    // Each code 10 starts a vertex; 20 and 42 complete the one in progress.
    QList<PolylineVertex> vertices;
    PolylineVertex vertex;
    bool started = false;
    for (const GroupPair &pair : fields.pairs()) {
        if (pair.code == 10) {
            if (started)
                vertices.append(vertex);
            vertex = {fields.convert(pair.value), 0.0, 0.0};
            started = true;
        } else if (started && pair.code == 20) {
            vertex.y = fields.convert(pair.value);
        } else if (started && pair.code == 42) {
            vertex.bulge = fields.convert(pair.value);
        }
    }
    if (started)
        vertices.append(vertex);
    const bool closed = fields.flags() & 1;
    appendPolyline(entities, expandBulges(vertices, closed, dxfMaxPoints - entities.points.size()), closed);
}

// The vertices are records of their own after the header; everything up to
// SEQEND (or the end of the data) belongs to the polyline.
qsizetype readPolyline(EntityFields &header, const GroupPairs &pairs, qsizetype from,
                       DxfEntities &entities, bool &numbersValid)
{
    QList<PolylineVertex> vertices;
    qsizetype i = from;
    while (i < pairs.size()) {
        if (isRecord(pairs[i], QLatin1StringView("SEQEND"))) {
            ++i;
            break;
        }
        if (!isRecord(pairs[i], QLatin1StringView("VERTEX"))) {
            ++i;
            continue;
        }
        const qsizetype end = nextRecord(pairs, i + 1);
        EntityFields fields(slice(pairs, i + 1, end), numbersValid);
        const QPointF p = fields.point(10, 20);
        vertices.append({p.x(), p.y(), fields.number(42, 0.0)});
        i = end;
    }
    const bool closed = header.flags() & 1;
    appendPolyline(entities, expandBulges(vertices, closed, dxfMaxPoints - entities.points.size()), closed);
    return i;
}

void readArc(EntityFields &fields, DxfEntities &entities)
{
    const QPointF centre = fields.point(10, 20);
    const double radius = fields.number(40, 0.0);
    const double start = fields.number(50, 0.0);
    appendPolyline(entities, arcPoints(centre, radius, start, fields.number(51, 0.0)), false);
}

void readCircle(EntityFields &fields, DxfEntities &entities)
{
    const QPointF centre = fields.point(10, 20);
    const double radius = fields.number(40, 0.0);
    appendPolyline(entities, circlePoints(centre, radius, fields.number(50, 0.0)), true);
}

void readEllipse(EntityFields &fields, DxfEntities &entities)
{
    const QPointF centre = fields.point(10, 20);
    const QPointF major = fields.point(11, 21);
    const double ratio = fields.number(40, 1.0);
    const double start = fields.number(41, 0.0);
    const double end = fields.number(42, 2.0 * std::numbers::pi);
    const EllipsePoints ellipse = ellipsePoints(centre, major, ratio, start, end);
    appendPolyline(entities, ellipse.points, ellipse.closed);
}

QPolygonF pairUp(const QList<double> &xs, const QList<double> &ys)
{
    QPolygonF points;
    const qsizetype n = std::min(xs.size(), ys.size());
    for (qsizetype i = 0; i < n; ++i)
        points.append(QPointF(xs[i], ys[i]));
    return points;
}

// The curve itself is not evaluated: its fit points (or, lacking two, its
// control points) are close enough for an outline drawn in metres.
void readSpline(EntityFields &fields, DxfEntities &entities)
{
    QPolygonF points = pairUp(fields.numbers(11), fields.numbers(21));
    if (points.size() < 2)
        points.append(pairUp(fields.numbers(10), fields.numbers(20)));
    const bool closed = points.size() > 3 && withinJoinTolerance(points.first(), points.last());
    appendPolyline(entities, points, closed);
}

} // namespace

qsizetype readEntity(const QString &name, const GroupPairs &pairs, qsizetype begin,
                     qsizetype recordEnd, DxfEntities &entities, bool &numbersValid)
{
    EntityFields fields(slice(pairs, begin, recordEnd), numbersValid);
    if (name == QLatin1StringView("LINE"))
        readLine(fields, entities);
    else if (name == QLatin1StringView("LWPOLYLINE"))
        readLwPolyline(fields, entities);
    else if (name == QLatin1StringView("POLYLINE"))
        return readPolyline(fields, pairs, recordEnd, entities, numbersValid);
    else if (name == QLatin1StringView("ARC"))
        readArc(fields, entities);
    else if (name == QLatin1StringView("CIRCLE"))
        readCircle(fields, entities);
    else if (name == QLatin1StringView("ELLIPSE"))
        readEllipse(fields, entities);
    else if (name == QLatin1StringView("SPLINE"))
        readSpline(fields, entities);
    return recordEnd;
}

} // namespace tallero
