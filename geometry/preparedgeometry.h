#pragma once

#include "geometry/shape.h"

#include <memory>

namespace tallero {

// A geometry prepared by the engine for many predicate tests against other
// geometries: its edges are indexed once, so each test costs far less than
// an overlay. The geometry is kept alive as long as its preparation. When
// the engine cannot prepare it, every answer is the cautious one. Use it on
// one thread at a time.
class PreparedGeometry
{
public:
    explicit PreparedGeometry(GeometryHandle geometry);
    ~PreparedGeometry();
    PreparedGeometry(const PreparedGeometry &) = delete;
    PreparedGeometry &operator=(const PreparedGeometry &) = delete;

    bool isPrepared() const { return bool(m_prepared); }

    // False only when the engine says the two certainly do not meet; an
    // unprepared geometry or an engine failure answers true, so the caller
    // goes on to the exact test.
    bool mayIntersect(const GEOSGeometry *other) const;

    // True only when the engine says `other` lies in the interior of this
    // geometry; an unprepared geometry or an engine failure answers false.
    bool certainlyContainsProperly(const GEOSGeometry *other) const;

    // True only when the engine says every point of `other` lies in this
    // geometry, its boundary included; an unprepared geometry or an engine
    // failure answers false.
    bool certainlyCovers(const GEOSGeometry *other) const;

private:
    struct Deleter
    {
        void operator()(const GEOSPreparedGeometry *prepared) const;
    };
    GeometryHandle m_geometry;
    std::unique_ptr<const GEOSPreparedGeometry, Deleter> m_prepared;
};

} // namespace tallero
