#include "geometry/preparedoutline.h"

#include "geometry/geometrydefect.h"

#include <algorithm>

namespace tallero {

namespace {

// Fewer holes than this are cheaper to pass along than to sort out.
constexpr int fewestHolesWorthSorting = 8;

bool ringBounds(const GEOSGeometry *ring, double &left, double &bottom, double &right,
                double &top)
{
    GEOSContextHandle_t context = geometryContext();
    return GEOSGeom_getXMin_r(context, ring, &left) && GEOSGeom_getYMin_r(context, ring, &bottom)
        && GEOSGeom_getXMax_r(context, ring, &right) && GEOSGeom_getYMax_r(context, ring, &top);
}

} // namespace

PreparedOutline::PreparedOutline(const Shape &outline) : m_outline(outline.geometry)
{
    if (outline.geometry && isValidGeometry(outline))
        m_prepared.emplace(outline.geometry);
    GEOSContextHandle_t context = geometryContext();
    if (!m_outline || GEOSGeomTypeId_r(context, m_outline.get()) != GEOS_POLYGON)
        return;
    const int holes = GEOSGetNumInteriorRings_r(context, m_outline.get());
    if (holes < fewestHolesWorthSorting)
        return;
    for (int n = 0; n < holes; ++n) {
        Hole hole{0.0, 0.0, 0.0, 0.0, GEOSGetInteriorRingN_r(context, m_outline.get(), n)};
        if (!hole.ring || !ringBounds(hole.ring, hole.left, hole.bottom, hole.right, hole.top)) {
            m_holes.clear();
            return;
        }
        m_holes.push_back(hole);
    }
}

PreparedOutline::~PreparedOutline() = default;

bool PreparedOutline::missesCell(const Shape &cell) const
{
    return m_prepared && m_prepared->isPrepared() && cell.geometry
        && !m_prepared->mayIntersect(cell.geometry.get());
}

bool PreparedOutline::holdsCell(const Shape &cell) const
{
    return m_prepared && cell.geometry
        && m_prepared->certainlyContainsProperly(cell.geometry.get());
}

std::optional<Shape> PreparedOutline::clipCell(const Shape &cell) const
{
    if (!m_outline || !cell.geometry)
        return std::nullopt;
    GEOSContextHandle_t context = geometryContext();
    double left = 0.0, bottom = 0.0, right = 0.0, top = 0.0;
    if (m_holes.empty() || !ringBounds(cell.geometry.get(), left, bottom, right, top))
        return shapeFromResult(GEOSIntersection_r(context, m_outline.get(), cell.geometry.get()));
    // The engine widens the common bounds of the two by a tenth of their
    // smaller side; a whole side is room to spare. The polygon keeps its
    // exterior, hence its bounds, and its holes in their order.
    const double reach = std::max(right - left, top - bottom);
    std::vector<GEOSGeometry *> kept;
    const auto release = [&kept, context] {
        for (GEOSGeometry *ring : kept)
            GEOSGeom_destroy_r(context, ring);
        kept.clear();
    };
    for (const Hole &hole : m_holes) {
        if (hole.right < left - reach || hole.left > right + reach || hole.top < bottom - reach
            || hole.bottom > top + reach)
            continue;
        GEOSGeometry *copy = GEOSGeom_clone_r(context, hole.ring);
        if (!copy) {
            release();
            return shapeFromResult(GEOSIntersection_r(context, m_outline.get(), cell.geometry.get()));
        }
        kept.push_back(copy);
    }
    GEOSGeometry *shell = GEOSGeom_clone_r(context, GEOSGetExteriorRing_r(context, m_outline.get()));
    if (!shell) {
        release();
        return shapeFromResult(GEOSIntersection_r(context, m_outline.get(), cell.geometry.get()));
    }
    // The polygon takes the rings.
    const GeometryHandle nearby = own(GEOSGeom_createPolygon_r(
        context, shell, kept.data(), static_cast<unsigned int>(kept.size())));
    kept.clear();
    if (!nearby)
        return shapeFromResult(GEOSIntersection_r(context, m_outline.get(), cell.geometry.get()));
    return shapeFromResult(GEOSIntersection_r(context, nearby.get(), cell.geometry.get()));
}

} // namespace tallero
