#pragma once

#include <geos_c.h>

#include <QString>

#include <memory>

namespace tallero {

// The engine context of the calling thread. Each thread gets its own on its
// first engine call, and it is finished when the thread ends; every engine
// call of the program goes through the context of the thread making it.
// Geometries are not tied to a context: one made on a worker thread may be
// used and destroyed on another, as long as no two threads use it at once
// (see shapecopy.h).
GEOSContextHandle_t geometryContext();

// What the engine has said on a context: its error and notice handlers
// write here. An operation that fails returns null (or 0) and leaves its
// reason as the last error; notices are what the engine reports without
// failing (the reason a geometry is invalid, for example). Each context
// has its own record, so contexts never see each other's messages.
struct GeometryDiagnostics
{
    QString lastError;
    QString lastNotice;
    quint64 errorCount = 0;
    quint64 noticeCount = 0;
};

// The record of the calling thread's context.
const GeometryDiagnostics &geometryDiagnostics();

// Shared owner of one engine geometry. Copies share the geometry, and the
// last copy destroys it, on whichever thread that happens. An empty handle owns nothing.
// Handles never modify their geometry: every operation makes a new one.
class GeometryHandle
{
public:
    GeometryHandle() = default;

    const GEOSGeometry *get() const { return m_geometry.get(); }
    explicit operator bool() const { return m_geometry != nullptr; }

private:
    friend GeometryHandle own(GEOSGeometry *geometry);
    std::shared_ptr<GEOSGeometry> m_geometry;
};

// Takes ownership of a geometry returned by the engine; null gives an empty
// handle. Should creating the shared owner fail, the geometry is destroyed
// before the failure propagates.
GeometryHandle own(GEOSGeometry *geometry);

} // namespace tallero
