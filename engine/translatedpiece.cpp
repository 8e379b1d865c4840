#include "engine/translatedpiece.h"

#include "geometry/wktrounding.h"

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace tallero {

namespace {

// Translated exteriors are re-tested against the 1e-7 m² floor; one this
// far above it cannot drop below through rounding of the shoelace sum.
constexpr double safeExteriorArea = 1.001e-7;
// Offsets stay within a sheet; coordinates below this keep roundAsWkt exact.
constexpr double largestCoordinate = 1e5;

struct GeometryDeleter
{
    void operator()(GEOSGeometry *geometry) const
    {
        GEOSGeom_destroy_r(geometryContext(), geometry);
    }
};
using OwnedGeometry = std::unique_ptr<GEOSGeometry, GeometryDeleter>;

bool ringIsExact(const QPolygonF &ring)
{
    if (ring.size() < 4)
        return false;
    const QPointF &first = ring.first();
    const QPointF &last = ring.last();
    return first.x() == last.x() && first.y() == last.y();
}

OwnedGeometry makeRing(const QPolygonF &ring, double x, double y)
{
    GEOSContextHandle_t context = geometryContext();
    const auto size = static_cast<unsigned int>(ring.size());
    GEOSCoordSequence *sequence = GEOSCoordSeq_create_r(context, size, 2);
    if (!sequence)
        return nullptr;
    for (unsigned int i = 0; i < size; ++i) {
        // The same sums QTransform makes for a translation, then the WKT
        // rounding.
        GEOSCoordSeq_setX_r(context, sequence, i, roundAsWkt(ring[i].x() + x));
        GEOSCoordSeq_setY_r(context, sequence, i, roundAsWkt(ring[i].y() + y));
    }
    // The ring takes the sequence, and frees it if it fails.
    return OwnedGeometry(GEOSGeom_createLinearRing_r(context, sequence));
}

OwnedGeometry makePolygon(const Polygon &polygon, double x, double y)
{
    GEOSContextHandle_t context = geometryContext();
    OwnedGeometry shell = makeRing(polygon.first(), x, y);
    if (!shell)
        return nullptr;
    std::vector<OwnedGeometry> holes;
    for (qsizetype h = 1; h < polygon.size(); ++h) {
        if (polygon[h].size() < 4)
            continue;   // the WKT leaves short holes out
        holes.push_back(makeRing(polygon[h], x, y));
        if (!holes.back())
            return nullptr;
    }
    // The engine takes over the rings with the call, whatever its outcome.
    std::vector<GEOSGeometry *> holePointers;
    for (OwnedGeometry &hole : holes)
        holePointers.push_back(hole.release());
    GEOSGeometry *made = GEOSGeom_createPolygon_r(context, shell.release(), holePointers.data(),
                                                  static_cast<unsigned int>(holePointers.size()));
    return OwnedGeometry(made);
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
    GEOSContextHandle_t context = geometryContext();
    std::vector<OwnedGeometry> parts;
    for (const Polygon &polygon : m_shape.polygons) {
        parts.push_back(makePolygon(polygon, x, y));
        if (!parts.back())
            return {};
    }
    if (parts.size() == 1)
        return own(parts.front().release());
    // The engine takes over the parts with the call, whatever its outcome.
    std::vector<GEOSGeometry *> pointers;
    for (OwnedGeometry &part : parts)
        pointers.push_back(part.release());
    GEOSGeometry *collection = GEOSGeom_createCollection_r(
        context, GEOS_MULTIPOLYGON, pointers.data(), static_cast<unsigned int>(pointers.size()));
    return own(collection);
}

} // namespace tallero
