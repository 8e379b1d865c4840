#include "geometry/geometrycontext.h"


namespace tallero {

namespace {

// A context together with the record its handlers write to; the handlers
// reach the record through their user data, never through a global, so each
// thread's context keeps its messages to itself.
struct ContextState
{
    GEOSContextHandle_t handle = nullptr;
    GeometryDiagnostics diagnostics;
};

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

// The context of one thread: made on the thread's first engine call,
// finished when the thread ends.
struct ThreadContext
{
    ThreadContext()
    {
        state.handle = GEOS_init_r();
        if (state.handle) {
            // Without handlers the engine would drop the reason of every
            // failure; with them each failure is still a null result, and its
            // reason is kept for whoever reports it.
            GEOSContext_setErrorMessageHandler_r(state.handle, recordError, &state.diagnostics);
            GEOSContext_setNoticeMessageHandler_r(state.handle, recordNotice, &state.diagnostics);
        }
    }

    ~ThreadContext()
    {
        finished = true;
        if (state.handle)
            GEOS_finish_r(state.handle);
    }

    ThreadContext(const ThreadContext &) = delete;
    ThreadContext &operator=(const ThreadContext &) = delete;

    ContextState state;
    // Plain data, still readable after the context is gone.
    static thread_local bool finished;
};

thread_local bool ThreadContext::finished = false;

// The context for the few calls made after this thread's context ended: a
// geometry held by a static object and released at process exit, after the
// thread-local objects of the main thread are gone. It is made once and never
// finished, since no later point is safe to finish it; it only ever destroys
// geometries, which reads nothing from a context but its error handler, so
// sharing it between threads is harmless.
GEOSContextHandle_t lateContext()
{
    static ContextState *const state = [] {
        auto *late = new ContextState;   // deliberately never freed
        late->handle = GEOS_init_r();
        if (late->handle) {
            GEOSContext_setErrorMessageHandler_r(late->handle, recordError, &late->diagnostics);
            GEOSContext_setNoticeMessageHandler_r(late->handle, recordNotice, &late->diagnostics);
        }
        return late;
    }();
    return state->handle;
}

ContextState *threadState()
{
    if (ThreadContext::finished)
        return nullptr;
    thread_local ThreadContext context;
    return &context.state;
}

// Destroying a geometry only frees its memory; the context passed is used for
// nothing but reporting an error. So the destroying thread's own context
// serves, whichever thread made the geometry: a plan computed on a worker
// thread is released on the window's.
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
    ContextState *state = threadState();
    return state ? state->handle : lateContext();
}

const GeometryDiagnostics &geometryDiagnostics()
{
    static const GeometryDiagnostics none;
    const ContextState *state = threadState();
    return state ? state->diagnostics : none;
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
