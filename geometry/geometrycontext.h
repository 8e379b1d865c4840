#pragma once

#include <geos_c.h>

#include <QString>

#include <memory>

namespace tallero {

// The one engine context of the process. Created on first use and finished
// at process exit; every engine call of the program goes through it.
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

// The record of the context geometryContext() returns.
const GeometryDiagnostics &geometryDiagnostics();

// Shared owner of one engine geometry. Copies share the geometry, and the
// last copy destroys it on the shared context. An empty handle owns nothing.
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
