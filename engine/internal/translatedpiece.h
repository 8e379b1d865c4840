#pragma once

#include "geometry/shape.h"

#include <QRectF>

namespace tallero {

// A piece prepared for being tried at many offsets. Moving it with
// transformShape writes and reads WKT for every offset; when the piece
// allows it, the bounds and the engine geometry of the moved piece are
// built here straight from its coordinates, bit for bit the ones
// transformShape would give.
class TranslatedPiece
{
public:
    explicit TranslatedPiece(const Shape &shape);

    // False when the piece has a feature on which the shortcut could differ
    // from transformShape: a ring not closed exactly or shorter than four
    // points, an exterior near the kernel's area floor, or coordinates too
    // large for exact ten-decimal rounding. Callers then use transformShape.
    bool isExact() const { return m_exact; }

    // bounds of transformShape(shape, translation by (x, y)).
    QRectF boundsAt(double x, double y) const;

    // geometry of transformShape(shape, translation by (x, y)).
    GeometryHandle geometryAt(double x, double y) const;

    const Shape &shape() const { return m_shape; }
    double perimeter() const { return m_perimeter; }

private:
    Shape m_shape;
    bool m_exact = false;
    double m_minX = 0.0;
    double m_maxX = 0.0;
    double m_minY = 0.0;
    double m_maxY = 0.0;
    double m_perimeter = 0.0;
};

} // namespace tallero
