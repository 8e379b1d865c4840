#include "engine/internal/translatedpiece.h"

#include "engine/internal/shapetransform.h"
#include "geometry/directgeometry.h"

#include <cmath>
#include <limits>

namespace tallero {

namespace {

// Translated exteriors are re-tested against the 1e-7 m² floor; one this
// far above it cannot drop below through rounding of the shoelace sum.
constexpr double safeExteriorArea = 1.001e-7;
// Offsets stay within a sheet; coordinates below this keep roundAsWkt exact.
constexpr double largestCoordinate = 1e5;

bool ringIsExact(const QPolygonF &ring)
{
    if (ring.size() < 4)
        return false;
    const QPointF &first = ring.first();
    const QPointF &last = ring.last();
    return first.x() == last.x() && first.y() == last.y();
}

} // namespace

TranslatedPiece::TranslatedPiece(const Shape &shape) : m_shape(shape)
{
    m_exact = bool(shape.geometry) && !shape.polygons.isEmpty();
    m_minX = m_minY = std::numeric_limits<double>::infinity();
    m_maxX = m_maxY = -std::numeric_limits<double>::infinity();
    for (const Polygon &polygon : shape.polygons) {
        if (polygon.isEmpty() || ringArea(polygon.first()) < safeExteriorArea)
            m_exact = false;
        for (const QPolygonF &ring : polygon) {
            if (!ringIsExact(ring))
                m_exact = false;
            for (qsizetype i = 0; i < ring.size(); ++i) {
                const QPointF &p = ring[i];
                m_minX = std::min(m_minX, p.x());
                m_maxX = std::max(m_maxX, p.x());
                m_minY = std::min(m_minY, p.y());
                m_maxY = std::max(m_maxY, p.y());
                if (i > 0)
                    m_perimeter += std::hypot(p.x() - ring[i - 1].x(), p.y() - ring[i - 1].y());
            }
        }
    }
    if (!(std::abs(m_minX) < largestCoordinate && std::abs(m_maxX) < largestCoordinate
          && std::abs(m_minY) < largestCoordinate && std::abs(m_maxY) < largestCoordinate))
        m_exact = false;
}

QRectF TranslatedPiece::boundsAt(double x, double y) const
{
    // Adding an offset is monotonic, so the extremes of the moved points are
    // the moved extremes; the painter path then stores the rectangle as its
    // corner and the differences, as built here.
    const double left = m_minX + x;
    const double right = m_maxX + x;
    const double bottom = m_minY + y;
    const double top = m_maxY + y;
    return QRectF(left, bottom, right - left, top - bottom);
}

GeometryHandle TranslatedPiece::geometryAt(double x, double y) const
{
    // The same sums QTransform makes for a translation, then the WKT
    // rounding; a moved piece out of that rounding's exact range takes the
    // WKT road.
    if (std::optional<GeometryHandle> geometry = buildPolygonsGeometry(m_shape.polygons, x, y))
        return *geometry;
    return transformShape(m_shape, QTransform::fromTranslate(x, y)).geometry;
}

} // namespace tallero
