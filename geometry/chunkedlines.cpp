#include "geometry/chunkedlines.h"

#include <algorithm>

namespace tallero {

namespace {

// Segments per run: short enough that a piece meets only a few runs, long
// enough that building the query collection stays cheap.
constexpr unsigned int segmentsPerRun = 8;

bool meets(const QRectF &a, const QRectF &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom()
        && b.top() <= a.bottom();
}

} // namespace

ChunkedLines::ChunkedLines(const GEOSGeometry *lines)
{
    m_usable = lines && addLines(lines);
    if (!m_usable)
        m_runs.clear();
}

bool ChunkedLines::addLines(const GEOSGeometry *geometry)
{
    GEOSContextHandle_t context = geometryContext();
    if (GEOSisEmpty_r(context, geometry) == 1)
        return true;
    switch (GEOSGeomTypeId_r(context, geometry)) {
    case GEOS_LINESTRING:
    case GEOS_LINEARRING:
        return addLineString(geometry);
    case GEOS_MULTILINESTRING:
    case GEOS_GEOMETRYCOLLECTION: {
        const int parts = GEOSGetNumGeometries_r(context, geometry);
        if (parts < 0)
            return false;
        for (int n = 0; n < parts; ++n) {
            if (!addLines(GEOSGetGeometryN_r(context, geometry, n)))
                return false;
        }
        return true;
    }
    default:
        // Points or areas have no length to share in the way runs measure it.
        return false;
    }
}

bool ChunkedLines::addLineString(const GEOSGeometry *line)
{
    GEOSContextHandle_t context = geometryContext();
    const GEOSCoordSequence *sequence = GEOSGeom_getCoordSeq_r(context, line);
    unsigned int size = 0;
    if (!sequence || !GEOSCoordSeq_getSize_r(context, sequence, &size))
        return false;
    if (size < 2)
        return true;
    for (unsigned int first = 0; first + 1 < size; first += segmentsPerRun) {
        const unsigned int last = std::min(first + segmentsPerRun, size - 1);
        GEOSCoordSequence *run = GEOSCoordSeq_create_r(context, last - first + 1, 2);
        if (!run)
            return false;
        double left = 0.0, right = 0.0, bottom = 0.0, top = 0.0;
        for (unsigned int i = first; i <= last; ++i) {
            double x = 0.0;
            double y = 0.0;
            if (!GEOSCoordSeq_getXY_r(context, sequence, i, &x, &y)
                || !GEOSCoordSeq_setXY_r(context, run, i - first, x, y)) {
                GEOSCoordSeq_destroy_r(context, run);
                return false;
            }
            if (i == first) {
                left = right = x;
                bottom = top = y;
            } else {
                left = std::min(left, x);
                right = std::max(right, x);
                bottom = std::min(bottom, y);
                top = std::max(top, y);
            }
        }
        // The line takes the sequence, also when it fails.
        GeometryHandle handle = own(GEOSGeom_createLineString_r(context, run));
        if (!handle)
            return false;
        m_runs.push_back({QRectF(left, bottom, right - left, top - bottom), std::move(handle)});
    }
    return true;
}

std::optional<double> ChunkedLines::sharedLength(const GEOSGeometry *other,
                                                 const QRectF &near) const
{
    if (!m_usable || !other)
        return std::nullopt;
    GEOSContextHandle_t context = geometryContext();
    std::vector<GEOSGeometry *> parts;
    const auto release = [&parts, context] {
        for (GEOSGeometry *part : parts)
            GEOSGeom_destroy_r(context, part);
        parts.clear();
    };
    for (const Run &run : m_runs) {
        if (!meets(run.bounds, near))
            continue;
        GEOSGeometry *copy = GEOSGeom_clone_r(context, run.line.get());
        if (!copy) {
            release();
            return std::nullopt;
        }
        parts.push_back(copy);
    }
    if (parts.empty())
        return 0.0;
    // The collection takes the copies, and destroys them when it fails.
    GeometryHandle nearby = own(GEOSGeom_createCollection_r(
        context, GEOS_MULTILINESTRING, parts.data(), static_cast<unsigned int>(parts.size())));
    parts.clear();
    if (!nearby)
        return std::nullopt;
    const GeometryHandle common = own(GEOSIntersection_r(context, other, nearby.get()));
    double length = 0.0;
    if (!common || !GEOSLength_r(context, common.get(), &length))
        return std::nullopt;
    return length;
}

} // namespace tallero
