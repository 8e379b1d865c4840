#pragma once

#include "geometry/geometrycontext.h"
#include "geometry/ring.h"

#include <QString>

namespace tallero {

// Polygons go to the engine as WKT with ten decimals, so coordinates are
// rounded to 1e-10 m on the way in.
QString ringToWkt(const QPolygonF &ring);

struct PolygonsWkt
{
    QString text;              // empty when no polygon was accepted
    QList<Polygon> accepted;   // accepted polygons, rings closed, short holes kept
};

// Closes every ring and keeps the polygons whose exterior has at least four
// points and an area of at least 1e-7 (short holes included).
QList<Polygon> acceptPolygons(const QList<Polygon> &polygons);

// WKT of polygons already accepted; holes shorter than four points are left
// out. Empty for no polygon.
QString acceptedPolygonsToWkt(const QList<Polygon> &accepted);

// Closes every ring and writes the polygons whose exterior has at least four
// points and an area of at least 1e-7; holes shorter than four points are
// left out of the text but kept in the accepted polygon.
PolygonsWkt polygonsToWkt(const QList<Polygon> &polygons);

// Reads WKT with the engine; unparsable text gives an empty handle.
GeometryHandle readWkt(const QString &text);

} // namespace tallero
