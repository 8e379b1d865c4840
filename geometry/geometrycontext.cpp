#include "geometry/geometrycontext.h"

#include <cstdlib>

namespace tallero {

namespace {

// A context together with the record its handlers write to; the handlers
// reach the record through their user data, never through a global, so a
// context made for another thread keeps its messages to itself.
struct ContextState
{
    GEOSContextHandle_t handle = nullptr;
    GeometryDiagnostics diagnostics;
};

ContextState sharedState;

void recordError(const char *message, void *userData)
{
    auto *diagnostics = static_cast<GeometryDiagnostics *>(userData);
    diagnostics->lastError = QString::fromUtf8(message);
    ++diagnostics->errorCount;
}

void recordNotice(const char *message, void *userData)
{
    auto *diagnostics = static_cast<GeometryDiagnostics *>(userData);
    diagnostics->lastNotice = QString::fromUtf8(message);
    ++diagnostics->noticeCount;
}

void finishSharedContext()
{
    if (sharedState.handle)
        GEOS_finish_r(sharedState.handle);
    sharedState.handle = nullptr;
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
    static const GEOSContextHandle_t context = [] {
        sharedState.handle = GEOS_init_r();
        if (sharedState.handle) {
            // Without handlers the engine would drop the reason of every
            // failure; with them each failure is still a null result, and its
            // reason is kept for whoever reports it.
            GEOSContext_setErrorMessageHandler_r(sharedState.handle, recordError,
                                                 &sharedState.diagnostics);
            GEOSContext_setNoticeMessageHandler_r(sharedState.handle, recordNotice,
                                                  &sharedState.diagnostics);
        }
        std::atexit(finishSharedContext);
        return sharedState.handle;
    }();
    return context;
}

const GeometryDiagnostics &geometryDiagnostics()
{
    geometryContext();
    return sharedState.diagnostics;
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
