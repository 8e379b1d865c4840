#include "geometry/preparedoutline.h"

#include "geometry/geometrydefect.h"

namespace tallero {

void PreparedOutline::Deleter::operator()(const GEOSPreparedGeometry *prepared) const
{
    GEOSPreparedGeom_destroy_r(geometryContext(), prepared);
}

PreparedOutline::PreparedOutline(const Shape &outline) : m_outline(outline.geometry)
{
    if (m_outline && isValidGeometry(outline))
        m_prepared.reset(GEOSPrepare_r(geometryContext(), m_outline.get()));
}

PreparedOutline::~PreparedOutline() = default;

bool PreparedOutline::missesCell(const Shape &cell) const
{
    return m_prepared && cell.geometry
        && GEOSPreparedIntersects_r(geometryContext(), m_prepared.get(), cell.geometry.get()) == 0;
}

bool PreparedOutline::holdsCell(const Shape &cell) const
{
    return m_prepared && cell.geometry
        && GEOSPreparedContainsProperly_r(geometryContext(), m_prepared.get(), cell.geometry.get())
        == 1;
}

} // namespace tallero
