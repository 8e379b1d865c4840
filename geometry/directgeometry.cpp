#include "geometry/directgeometry.h"

#include "geometry/internal/wktrounding.h"

#include <cmath>
#include <memory>
#include <vector>

namespace tallero {

namespace {

// Below this magnitude roundAsWkt reproduces the text's rounding exactly.
constexpr double largestCoordinate = 4.0e5;

struct GeometryDeleter
{
    void operator()(GEOSGeometry *geometry) const
    {
        GEOSGeom_destroy_r(geometryContext(), geometry);
    }
};
using OwnedGeometry = std::unique_ptr<GEOSGeometry, GeometryDeleter>;

bool withinExactRange(const QList<Polygon> &polygons, double dx, double dy)
{
    for (const Polygon &polygon : polygons) {
        for (const QPolygonF &ring : polygon) {
            for (const QPointF &point : ring) {
                // Written so that NaN fails too.
                if (!(std::abs(point.x() + dx) < largestCoordinate
                      && std::abs(point.y() + dy) < largestCoordinate))
                    return false;
            }
        }
    }
    return true;
}

OwnedGeometry makeRing(const QPolygonF &ring, double dx, double dy)
{
    GEOSContextHandle_t context = geometryContext();
    const auto size = static_cast<unsigned int>(ring.size());
    GEOSCoordSequence *sequence = GEOSCoordSeq_create_r(context, size, 2);
    if (!sequence)
        return nullptr;
    for (unsigned int i = 0; i < size; ++i) {
        GEOSCoordSeq_setX_r(context, sequence, i, roundAsWkt(ring[i].x() + dx));
        GEOSCoordSeq_setY_r(context, sequence, i, roundAsWkt(ring[i].y() + dy));
    }
    // The ring takes the sequence, and frees it if it fails (an unclosed
    // ring fails here exactly as it fails the WKT reader).
    return OwnedGeometry(GEOSGeom_createLinearRing_r(context, sequence));
}

OwnedGeometry makePolygon(const Polygon &polygon, double dx, double dy)
{
    OwnedGeometry shell = makeRing(polygon.first(), dx, dy);
    if (!shell)
        return nullptr;
    std::vector<OwnedGeometry> holes;
    for (qsizetype h = 1; h < polygon.size(); ++h) {
        if (polygon[h].size() < 4)
            continue;   // the WKT leaves short holes out
        holes.push_back(makeRing(polygon[h], dx, dy));
        if (!holes.back())
            return nullptr;
    }
    // The engine takes over the rings with the call, whatever its outcome.
    std::vector<GEOSGeometry *> holePointers;
    for (OwnedGeometry &hole : holes)
        holePointers.push_back(hole.release());
    return OwnedGeometry(GEOSGeom_createPolygon_r(geometryContext(), shell.release(),
                                                  holePointers.data(),
                                                  static_cast<unsigned int>(holePointers.size())));
}

} // namespace

std::optional<GeometryHandle> buildPolygonsGeometry(const QList<Polygon> &accepted, double dx,
                                                    double dy)
{
    if (!withinExactRange(accepted, dx, dy))
        return std::nullopt;
    if (accepted.isEmpty())
        return GeometryHandle();
    std::vector<OwnedGeometry> parts;
    for (const Polygon &polygon : accepted) {
        parts.push_back(makePolygon(polygon, dx, dy));
        if (!parts.back())
            return GeometryHandle();
    }
    if (parts.size() == 1)
        return own(parts.front().release());
    // The engine takes over the parts with the call, whatever its outcome.
    std::vector<GEOSGeometry *> pointers;
    for (OwnedGeometry &part : parts)
        pointers.push_back(part.release());
    return own(GEOSGeom_createCollection_r(geometryContext(), GEOS_MULTIPOLYGON, pointers.data(),
                                           static_cast<unsigned int>(pointers.size())));
}

} // namespace tallero
