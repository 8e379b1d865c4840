#include "geometry/shape.h"

#include "geometry/directgeometry.h"
#include "geometry/internal/wkt.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tallero {

namespace {

constexpr double eps = 1e-7;

QList<QPolygonF> flattenRings(const QList<Polygon> &polygons)
{
    QList<QPolygonF> rings;
    for (const Polygon &polygon : polygons)
        rings.append(polygon);
    return rings;
}

} // namespace

bool isNonEmpty(const Shape &shape)
{
    return shape.geometry && shape.area > eps && shape.bounds.width() > eps
        && shape.bounds.height() > eps;
}

std::optional<double> geometryArea(const GEOSGeometry *geometry)
{
    double area = 0.0;
    if (!geometry || !GEOSArea_r(geometryContext(), geometry, &area))
        return std::nullopt;
    return area;
}

Shape shapeFromPolygons(const QList<Polygon> &polygons)
{
    Shape shape;
    if (polygons.isEmpty())
        return shape;
    shape.polygons = acceptPolygons(polygons);
    shape.rings = flattenRings(shape.polygons);
    if (!shape.polygons.isEmpty()) {
        // The engine sees the polygons as their ten-decimal WKT would give
        // them; building that geometry directly skips the text.
        std::optional<GeometryHandle> direct = buildPolygonsGeometry(shape.polygons);
        shape.geometry = direct ? *direct : readWkt(acceptedPolygonsToWkt(shape.polygons));
    }
    if (shape.geometry) {
        shape.path = pathFromRings(shape.rings);
        shape.bounds = shape.path.boundingRect();
        shape.area = geometryArea(shape.geometry.get()).value_or(0.0);
    }
    return shape;
}

Shape shapeFromPolygon(const Polygon &polygon)
{
    return shapeFromPolygons({polygon});
}

Shape rectangleShape(double x, double y, double w, double h)
{
    const QPolygonF ring{QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + h),
                         QPointF(x, y + h), QPointF(x, y)};
    return shapeFromPolygon({ring});
}

Shape shapeFromGeometry(GeometryHandle handle)
{
    Shape shape;
    if (!handle)
        return shape;
    collectPolygons(handle.get(), shape.polygons);
    if (shape.polygons.isEmpty())
        return shape;
    shape.rings = flattenRings(shape.polygons);
    shape.area = geometryArea(handle.get()).value_or(0.0);
    shape.geometry = std::move(handle);
    shape.path = pathFromRings(shape.rings);
    shape.bounds = shape.path.boundingRect();
    return shape;
}

std::optional<Shape> shapeFromResult(GEOSGeometry *result)
{
    GeometryHandle handle = own(result);
    if (!handle || !geometryArea(handle.get()))
        return std::nullopt;
    return shapeFromGeometry(std::move(handle));
}

std::optional<Shape> translatedShape(const Shape &shape, double dx, double dy)
{
    Shape moved;
    if (!shape.geometry)
        return moved;
    const QPointF offset(dx, dy);
    for (const Polygon &polygon : shape.polygons) {
        Polygon rings;
        rings.reserve(polygon.size());
        for (const QPolygonF &ring : polygon)
            rings.append(ring.translated(offset));
        moved.polygons.append(rings);
    }
    moved.rings = flattenRings(moved.polygons);
    std::optional<GeometryHandle> direct = buildPolygonsGeometry(moved.polygons);
    moved.geometry = direct ? *direct : readWkt(acceptedPolygonsToWkt(moved.polygons));
    if (!moved.geometry)
        return std::nullopt;
    moved.path = pathFromRings(moved.rings);
    moved.bounds = moved.path.boundingRect();
    moved.area = shape.area;
    return moved;
}

std::optional<Shape> scaledShape(const Shape &shape, double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return std::nullopt;
    Shape scaled;
    if (!shape.geometry)
        return scaled;
    for (const Polygon &polygon : shape.polygons) {
        Polygon rings;
        rings.reserve(polygon.size());
        for (const QPolygonF &ring : polygon) {
            QPolygonF points;
            points.reserve(ring.size());
            for (const QPointF &point : ring)
                points.append(point * factor);
            rings.append(points);
        }
        scaled.polygons.append(rings);
    }
    scaled.rings = flattenRings(scaled.polygons);
    std::optional<GeometryHandle> direct = buildPolygonsGeometry(scaled.polygons);
    scaled.geometry = direct ? *direct : readWkt(acceptedPolygonsToWkt(scaled.polygons));
    const std::optional<double> area = geometryArea(scaled.geometry.get());
    if (!scaled.geometry || !area)
        return std::nullopt;
    scaled.path = pathFromRings(scaled.rings);
    scaled.bounds = scaled.path.boundingRect();
    scaled.area = *area;
    return scaled;
}

void collectPolygons(const GEOSGeometry *geometry, QList<Polygon> &polygons)
{
    if (!geometry)
        return;
    GEOSContextHandle_t context = geometryContext();
    // An empty result ("POLYGON EMPTY" of a disjoint intersection) has no
    // polygon to contribute, not one polygon without points.
    if (GEOSisEmpty_r(context, geometry) == 1)
        return;
    switch (GEOSGeomTypeId_r(context, geometry)) {
    case GEOS_POLYGON: {
        Polygon polygon;
        polygon.append(ringPoints(GEOSGetExteriorRing_r(context, geometry)));
        const int holes = GEOSGetNumInteriorRings_r(context, geometry);
        for (int n = 0; n < holes; ++n)
            polygon.append(ringPoints(GEOSGetInteriorRingN_r(context, geometry, n)));
        polygons.append(polygon);
        break;
    }
    case GEOS_MULTIPOLYGON:
    case GEOS_GEOMETRYCOLLECTION: {
        const int parts = GEOSGetNumGeometries_r(context, geometry);
        for (int n = 0; n < parts; ++n)
            collectPolygons(GEOSGetGeometryN_r(context, geometry, n), polygons);
        break;
    }
    default:
        break;
    }
}

QPolygonF ringPoints(const GEOSGeometry *ring)
{
    QPolygonF points;
    if (!ring)
        return points;
    GEOSContextHandle_t context = geometryContext();
    const GEOSCoordSequence *sequence = GEOSGeom_getCoordSeq_r(context, ring);
    unsigned int size = 0;
    if (!sequence || !GEOSCoordSeq_getSize_r(context, sequence, &size) || size == 0)
        return points;
    points.reserve(size);
    for (unsigned int i = 0; i < size; ++i) {
        double x = 0.0;
        double y = 0.0;
        GEOSCoordSeq_getX_r(context, sequence, i, &x);
        GEOSCoordSeq_getY_r(context, sequence, i, &y);
        points.append(QPointF(x, y));
    }
    return points;
}

QPainterPath pathFromRings(const QList<QPolygonF> &rings)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF &ring : rings) {
        if (ring.size() >= 4)
            path.addPolygon(ring);
    }
    return path;
}

std::optional<QRectF> exteriorBounds(const QList<Polygon> &polygons)
{
    double left = std::numeric_limits<double>::infinity();
    double bottom = left;
    double right = -left;
    double top = -left;
    for (const Polygon &polygon : polygons) {
        if (polygon.isEmpty())
            continue;
        for (const QPointF &p : polygon.first()) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            bottom = std::min(bottom, p.y());
            top = std::max(top, p.y());
        }
    }
    if (!(left <= right && bottom <= top))
        return std::nullopt;
    return QRectF(left, bottom, right - left, top - bottom);
}

} // namespace tallero
