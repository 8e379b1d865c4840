#include "geometry/geometrycontext.h"

#include <cstdlib>

namespace tallero {

namespace {

GEOSContextHandle_t sharedContext = nullptr;

void finishSharedContext()
{
    if (sharedContext)
        GEOS_finish_r(sharedContext);
    sharedContext = nullptr;
}

struct GeometryDeleter
{
    void operator()(GEOSGeometry *geometry) const
    {
        GEOSGeom_destroy_r(geometryContext(), geometry);
    }
};

} // namespace

GEOSContextHandle_t geometryContext()
{
    // No message handlers are installed: the engine's diagnostics are not
    // ours to show, and every failure surfaces as a null result.
    static const GEOSContextHandle_t context = [] {
        sharedContext = GEOS_init_r();
        std::atexit(finishSharedContext);
        return sharedContext;
    }();
    return context;
}

GeometryHandle own(GEOSGeometry *geometry)
{
    GeometryHandle handle;
    if (geometry) {
        // shared_ptr destroys the geometry itself if allocating the control
        // block throws, so nothing leaks on that path.
        handle.m_geometry = std::shared_ptr<GEOSGeometry>(geometry, GeometryDeleter{});
    }
    return handle;
}

} // namespace tallero
