#include "dxf/entityhandlers.h"

#include "dxf/curvepoints.h"
#include "dxf/dxfnumber.h"
#include "dxf/grouppairs.h"
#include "dxf/jointolerance.h"

#include <cmath>
#include <numbers>

namespace tallero {

namespace {

// An entity drawn in a coordinate system seen from below (extrusion direction
// (0, 0, -1)) has its x mirrored against the world's: CAD programs make such
// entities when a drawing is mirrored. Mirroring the points it makes puts it
// back where the CAD program shows it: centres, angles and bulges turn with
// them (an arc from s to e becomes one from 180 - e to 180 - s, a bulge
// changes sign).
void mirrorIntoWorld(QPolygonF &points)
{
    for (QPointF &p : points)
        p.setX(-p.x());
}

// A polyline beyond the points left is not filed at all: its points would
// only be copied into the collections to be refused there.
bool filePolyline(const QList<PolylineVertex> &vertices, bool closed, bool mirrored, DxfEntities &entities)
{
    const qsizetype budget = dxfMaxPoints - entities.points.size();
    QPolygonF points = expandBulges(vertices, closed, budget);
    if (points.size() > budget)
        return false;
    if (mirrored)
        mirrorIntoWorld(points);
    appendPolyline(entities, points, closed);
    return true;
}

void readLine(EntityFields &fields, DxfEntities &entities)
{
    // A LINE is always in world coordinates, whatever its extrusion.
    const QPointF start = fields.point(10, 20);
    appendSegment(entities, start, fields.point(11, 21));
}

void readArc(EntityFields &fields, DxfEntities &entities)
{
    const QPointF centre = fields.point(10, 20);
    const double radius = fields.number(40, 0.0);
    const double start = fields.number(50, 0.0);
    QPolygonF points = arcPoints(centre, radius, start, fields.number(51, 0.0));
    if (fields.seenFromBelow())
        mirrorIntoWorld(points);
    appendPolyline(entities, points, false);
}

void readCircle(EntityFields &fields, DxfEntities &entities)
{
    const QPointF centre = fields.point(10, 20);
    const double radius = fields.number(40, 0.0);
    QPolygonF points = circlePoints(centre, radius, fields.number(50, 0.0));
    if (fields.seenFromBelow())
        mirrorIntoWorld(points);
    appendPolyline(entities, points, true);
}

void readEllipse(EntityFields &fields, DxfEntities &entities)
{
    QPointF centre = fields.point(10, 20);
    QPointF major = fields.point(11, 21);
    const double ratio = fields.number(40, 1.0);
    const double start = fields.number(41, 0.0);
    const double end = fields.number(42, 2.0 * std::numbers::pi);
    // Unlike an arc, an ellipse has its centre and axis in world coordinates;
    // only its parameters run about the extrusion direction, clockwise when
    // seen from below. That is the ordinary ellipse of the mirrored centre
    // and axis, mirrored back.
    const bool mirrored = fields.seenFromBelow();
    if (mirrored) {
        centre.setX(-centre.x());
        major.setX(-major.x());
    }
    EllipsePoints ellipse = ellipsePoints(centre, major, ratio, start, end);
    if (mirrored)
        mirrorIntoWorld(ellipse.points);
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
// control points) are close enough for an outline drawn in metres. They are
// world coordinates.
void readSpline(EntityFields &fields, DxfEntities &entities)
{
    QPolygonF points = pairUp(fields.numbers(11), fields.numbers(21));
    if (points.size() < 2)
        points.append(pairUp(fields.numbers(10), fields.numbers(20)));
    const bool closed = points.size() > 3 && withinJoinTolerance(points.first(), points.last());
    appendPolyline(entities, points, closed);
}

} // namespace

EntityKind entityKind(QByteArrayView name)
{
    if (sameName(name, QLatin1StringView("LINE")))
        return EntityKind::Line;
    if (sameName(name, QLatin1StringView("LWPOLYLINE")))
        return EntityKind::LwPolyline;
    if (sameName(name, QLatin1StringView("POLYLINE")))
        return EntityKind::Polyline;
    if (sameName(name, QLatin1StringView("ARC")))
        return EntityKind::Arc;
    if (sameName(name, QLatin1StringView("CIRCLE")))
        return EntityKind::Circle;
    if (sameName(name, QLatin1StringView("ELLIPSE")))
        return EntityKind::Ellipse;
    if (sameName(name, QLatin1StringView("SPLINE")))
        return EntityKind::Spline;
    return EntityKind::Ignored;
}

void readEntity(EntityKind kind, EntityFields &fields, DxfEntities &entities)
{
    if (fields.inPaperSpace())
        return;
    switch (kind) {
    case EntityKind::Line:
        readLine(fields, entities);
        break;
    case EntityKind::Arc:
        readArc(fields, entities);
        break;
    case EntityKind::Circle:
        readCircle(fields, entities);
        break;
    case EntityKind::Ellipse:
        readEllipse(fields, entities);
        break;
    case EntityKind::Spline:
        readSpline(fields, entities);
        break;
    case EntityKind::LwPolyline:
    case EntityKind::Polyline:
    case EntityKind::Ignored:
        break;
    }
}

void LwPolylineReader::add(int code, QByteArrayView value)
{
    if (code != 10 && !m_started)
        return;
    double number = dxfNumber(value);
    if (!(std::abs(number) <= dxfMaxMagnitude)) {
        m_numbersValid = false;
        number = 0.0;
    }
    if (code == 10) {
        if (m_started)
            m_vertices.append(m_vertex);
        m_vertex = {number, 0.0, 0.0};
        m_started = true;
    } else if (code == 20) {
        m_vertex.y = number;
    } else if (code == 42) {
        m_vertex.bulge = number;
    }
}

bool LwPolylineReader::finish(EntityFields &fields, DxfEntities &entities, bool &numbersValid)
{
    if (m_started)
        m_vertices.append(m_vertex);
    bool fits = true;
    if (!fields.inPaperSpace()) {
        if (!m_numbersValid)
            numbersValid = false;
        const bool closed = fields.flags() & 1;
        fits = filePolyline(m_vertices, closed, fields.seenFromBelow(), entities);
    }
    m_vertices.clear();
    m_vertices.squeeze();
    m_started = false;
    m_numbersValid = true;
    return fits;
}

void PolylineReader::start(EntityFields &header)
{
    m_vertices.clear();
    const int flags = header.flags();
    m_closed = flags & 1;
    m_skipped = header.inPaperSpace();
    // A 3D polyline (8), a mesh (16) or a polyface (64) has its vertices in
    // world coordinates; only the plain 2D polyline lies in its own system.
    m_mirrored = !(flags & (8 | 16 | 64)) && header.seenFromBelow();
}

void PolylineReader::addVertex(EntityFields &vertex)
{
    if (m_skipped)
        return;
    const QPointF p = vertex.point(10, 20);
    m_vertices.append({p.x(), p.y(), vertex.number(42, 0.0)});
}

bool PolylineReader::finish(DxfEntities &entities)
{
    const bool fits = m_skipped || filePolyline(m_vertices, m_closed, m_mirrored, entities);
    m_vertices.clear();
    m_vertices.squeeze();
    return fits;
}

} // namespace tallero
