#pragma once

#include "geometry/geometrycontext.h"
#include "geometry/ring.h"

#include <QPainterPath>
#include <QRectF>

namespace tallero {

// Every planar figure of the program: the engine geometry next to the same
// figure as point lists, a painter path and its bounds, so drawing and
// bounding-box tests never need the engine. When `geometry` is present,
// `path`, `bounds` and `area` describe the same figure.
struct Shape
{
    QList<Polygon> polygons;   // exterior first, then holes
    QList<QPolygonF> rings;    // all rings of all polygons, flat
    QPainterPath path;         // odd-even fill
    QRectF bounds;             // bounding rectangle of `path`
    double area = 0.0;         // engine area, m²
    GeometryHandle geometry;
};

// The one test of whether a shape counts as something: a geometry, and an
// area, bounding width and bounding height above 1e-7.
bool isNonEmpty(const Shape &shape);

Shape shapeFromPolygons(const QList<Polygon> &polygons);
Shape shapeFromPolygon(const Polygon &polygon);
Shape rectangleShape(double x, double y, double w, double h);

// Turns an engine result into a shape; only polygonal parts are kept, and a
// result without any gives the empty shape.
Shape shapeFromGeometry(GeometryHandle handle);

void collectPolygons(const GEOSGeometry *geometry, QList<Polygon> &polygons);
QPolygonF ringPoints(const GEOSGeometry *ring);
QPainterPath pathFromRings(const QList<QPolygonF> &rings);

// Engine area of a geometry; 0 when the call fails.
double geometryArea(const GEOSGeometry *geometry);

} // namespace tallero
