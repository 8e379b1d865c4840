#pragma once

#include "geometry/geometrycontext.h"
#include "geometry/ring.h"

#include <QPainterPath>
#include <QRectF>

#include <optional>

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

// An engine operation's result as a shape, or nothing when the operation
// failed: a null result, or one whose area the engine cannot measure. A
// result that is merely empty (two shapes that do not meet) is the empty
// shape, never a failure. Takes ownership of the result.
std::optional<Shape> shapeFromResult(GEOSGeometry *result);

// The shape moved by (dx, dy), for taking a figure from one frame into
// another: the same rings moved, the same area (a move does not change it,
// and far from the origin the engine measures it less exactly than it was
// measured near). Unlike shapeFromPolygons it filters nothing, so a sliver
// survives the move. Nothing when the engine cannot read the moved rings.
std::optional<Shape> translatedShape(const Shape &shape, double dx, double dy);

// The shape with every coordinate multiplied by `factor` (> 0, finite), for a
// drawing made in another unit: the same rings scaled about the origin, the
// area measured anew. Like translatedShape it filters nothing. Nothing when
// the factor is not usable or the engine cannot read the scaled rings.
std::optional<Shape> scaledShape(const Shape &shape, double factor);

void collectPolygons(const GEOSGeometry *geometry, QList<Polygon> &polygons);

// The bounds of the polygons' exterior rings, as (left, bottom, width,
// height) from the exact extreme coordinates; nothing when no polygon has a
// point.
std::optional<QRectF> exteriorBounds(const QList<Polygon> &polygons);
QPolygonF ringPoints(const GEOSGeometry *ring);
QPainterPath pathFromRings(const QList<QPolygonF> &rings);

// Engine area of a geometry; nothing when there is no geometry or the call
// fails.
std::optional<double> geometryArea(const GEOSGeometry *geometry);

} // namespace tallero
