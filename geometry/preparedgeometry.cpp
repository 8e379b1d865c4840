#include "geometry/preparedgeometry.h"

namespace tallero {

void PreparedGeometry::Deleter::operator()(const GEOSPreparedGeometry *prepared) const
{
    GEOSPreparedGeom_destroy_r(geometryContext(), prepared);
}

PreparedGeometry::PreparedGeometry(GeometryHandle geometry) : m_geometry(std::move(geometry))
{
    if (m_geometry)
        m_prepared.reset(GEOSPrepare_r(geometryContext(), m_geometry.get()));
}

PreparedGeometry::~PreparedGeometry() = default;

bool PreparedGeometry::mayIntersect(const GEOSGeometry *other) const
{
    if (!m_prepared || !other)
        return true;
    return GEOSPreparedIntersects_r(geometryContext(), m_prepared.get(), other) != 0;
}

bool PreparedGeometry::certainlyContainsProperly(const GEOSGeometry *other) const
{
    return m_prepared && other
        && GEOSPreparedContainsProperly_r(geometryContext(), m_prepared.get(), other) == 1;
}

bool PreparedGeometry::certainlyCovers(const GEOSGeometry *other) const
{
    return m_prepared && other
        && GEOSPreparedCovers_r(geometryContext(), m_prepared.get(), other) == 1;
}

} // namespace tallero
