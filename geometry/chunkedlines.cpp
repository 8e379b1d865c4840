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

bool squareSegment(const QPointF &a, const QPointF &b)
{
    return a.x() == b.x() || a.y() == b.y();
}

// Calls `visit` on every line of a linear geometry, parts in order. False
// when a part is not a line (points or areas have no length to share in
// the way runs measure it), cannot be read, or `visit` says false.
template <typename Visit>
bool forEachLine(const GEOSGeometry *geometry, const Visit &visit)
{
    GEOSContextHandle_t context = geometryContext();
    if (GEOSisEmpty_r(context, geometry) == 1)
        return true;
    switch (GEOSGeomTypeId_r(context, geometry)) {
    case GEOS_LINESTRING:
    case GEOS_LINEARRING:
        return visit(geometry);
    case GEOS_MULTILINESTRING:
    case GEOS_GEOMETRYCOLLECTION: {
        const int parts = GEOSGetNumGeometries_r(context, geometry);
        if (parts < 0)
            return false;
        for (int n = 0; n < parts; ++n) {
            if (!forEachLine(GEOSGetGeometryN_r(context, geometry, n), visit))
                return false;
        }
        return true;
    }
    default:
        return false;
    }
}

// The vertices of every line of a geometry, one list a line; false when a
// segment is neither horizontal nor vertical, or a line cannot be read.
bool squareLines(const GEOSGeometry *geometry, std::vector<std::vector<QPointF>> &lines)
{
    return forEachLine(geometry, [&lines](const GEOSGeometry *line) {
        GEOSContextHandle_t context = geometryContext();
        const GEOSCoordSequence *sequence = GEOSGeom_getCoordSeq_r(context, line);
        unsigned int size = 0;
        if (!sequence || !GEOSCoordSeq_getSize_r(context, sequence, &size))
            return false;
        std::vector<QPointF> &points = lines.emplace_back();
        points.reserve(size);
        for (unsigned int i = 0; i < size; ++i) {
            double x = 0.0;
            double y = 0.0;
            if (!GEOSCoordSeq_getXY_r(context, sequence, i, &x, &y))
                return false;
            points.emplace_back(x, y);
            if (i > 0 && !squareSegment(points[i - 1], points[i]))
                return false;
        }
        return true;
    });
}

// The length two horizontal or vertical segments share: only collinear
// ones share any, over the overlap of their spans.
double sharedSpan(const QPointF &a1, const QPointF &a2, const QPointF &b1, const QPointF &b2)
{
    const auto overlap = [](double u1, double u2, double v1, double v2) {
        return std::max(0.0, std::min(std::max(u1, u2), std::max(v1, v2))
                                 - std::max(std::min(u1, u2), std::min(v1, v2)));
    };
    if (a1.y() == a2.y() && b1.y() == b2.y() && a1.y() == b1.y())
        return overlap(a1.x(), a2.x(), b1.x(), b2.x());
    if (a1.x() == a2.x() && b1.x() == b2.x() && a1.x() == b1.x())
        return overlap(a1.y(), a2.y(), b1.y(), b2.y());
    return 0.0;
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
    return forEachLine(geometry, [this](const GEOSGeometry *line) { return addLineString(line); });
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
        std::vector<QPointF> points;
        points.reserve(last - first + 1);
        for (unsigned int i = first; i <= last; ++i) {
            double x = 0.0;
            double y = 0.0;
            if (!GEOSCoordSeq_getXY_r(context, sequence, i, &x, &y)
                || !GEOSCoordSeq_setXY_r(context, run, i - first, x, y)) {
                GEOSCoordSeq_destroy_r(context, run);
                return false;
            }
            points.emplace_back(x, y);
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
        bool square = true;
        for (std::size_t i = 1; i < points.size() && square; ++i)
            square = squareSegment(points[i - 1], points[i]);
        m_runs.push_back({QRectF(left, bottom, right - left, top - bottom), std::move(handle),
                          std::move(points), square});
    }
    return true;
}

std::optional<double> ChunkedLines::sharedLength(const GEOSGeometry *other,
                                                 const QRectF &near, bool simple) const
{
    if (!m_usable || !other)
        return std::nullopt;
    std::vector<const Run *> nearRuns;
    bool square = true;
    for (const Run &run : m_runs) {
        if (meets(run.bounds, near)) {
            nearRuns.push_back(&run);
            square = square && run.square;
        }
    }
    if (nearRuns.empty())
        return 0.0;

    // Lines of horizontal and vertical segments only share collinear
    // stretches, whose lengths are differences of coordinates; lines that
    // do not run over themselves have no stretch counted twice.
    std::vector<std::vector<QPointF>> lines;
    if (simple && square && squareLines(other, lines)) {
        double length = 0.0;
        for (const std::vector<QPointF> &line : lines) {
            for (std::size_t i = 1; i < line.size(); ++i) {
                for (const Run *run : nearRuns) {
                    for (std::size_t j = 1; j < run->points.size(); ++j)
                        length += sharedSpan(line[i - 1], line[i], run->points[j - 1],
                                             run->points[j]);
                }
            }
        }
        return length;
    }

    GEOSContextHandle_t context = geometryContext();
    std::vector<GEOSGeometry *> parts;
    const auto release = [&parts, context] {
        for (GEOSGeometry *part : parts)
            GEOSGeom_destroy_r(context, part);
        parts.clear();
    };
    for (const Run *run : nearRuns) {
        GEOSGeometry *copy = GEOSGeom_clone_r(context, run->line.get());
        if (!copy) {
            release();
            return std::nullopt;
        }
        parts.push_back(copy);
    }
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
