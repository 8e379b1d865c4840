#include "geometry/preparedoutline.h"

#include "geometry/geometrydefect.h"

namespace tallero {

PreparedOutline::PreparedOutline(const Shape &outline)
{
    if (outline.geometry && isValidGeometry(outline))
        m_prepared.emplace(outline.geometry);
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

} // namespace tallero
