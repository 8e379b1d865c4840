#include "dxf/endpointgrid.h"

#include "dxf/jointolerance.h"
#include "geometry/clampedinteger.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

constexpr double cellSize = 4.0 * joinTolerance;

// Any point the tolerance test accepts differs from the query by less than
// this in each coordinate, rounding of the test included.
constexpr double reach = 1.5 * joinTolerance;

// Far beyond any real drawing the outermost cells take every point, which
// keeps cell numbers integral; distances are still checked exactly.
qint64 cellCoordinate(double value)
{
    return clampedInteger<qint64>(std::floor(value / cellSize), qint64(-1e18), qint64(1e18));
}

} // namespace

size_t qHash(const EndpointGrid::CellKey &key, size_t seed)
{
    return qHashMulti(seed, key.x, key.y);
}

EndpointGrid::CellKey EndpointGrid::keyOf(QPointF point)
{
    return {cellCoordinate(point.x()), cellCoordinate(point.y())};
}

EndpointGrid::EndpointGrid(const QList<Segment> &segments)
    : m_segments(segments), m_endpoints(size_t(segments.size()) * 2),
      m_cellOf(size_t(segments.size()) * 2), m_removed(size_t(segments.size()), false)
{
    // Number the cells and count their end points, then lay the cells out
    // one after another in a single array, filled in end point order.
    const qsizetype count = segments.size() * 2;
    m_cellIndex.reserve(count);
    for (qsizetype id = 0; id < count; ++id) {
        auto it = m_cellIndex.find(keyOf(endpoint(id)));
        if (it == m_cellIndex.end()) {
            it = m_cellIndex.insert(keyOf(endpoint(id)), qsizetype(m_cells.size()));
            m_cells.emplace_back();
        }
        m_cellOf[size_t(id)] = size_t(*it);
        ++m_cells[size_t(*it)].end;
    }
    qsizetype offset = 0;
    for (Cell &cell : m_cells) {
        cell.begin = cell.head = offset;
        offset += cell.end;
        cell.end = cell.begin;
    }
    for (qsizetype id = 0; id < count; ++id)
        m_endpoints[size_t(m_cells[m_cellOf[size_t(id)]].end++)] = id;
}

QPointF EndpointGrid::endpoint(qsizetype id) const
{
    const Segment &segment = m_segments[id / 2];
    return id % 2 ? segment.end : segment.start;
}

// The first live segment of the cell, below `before`, with an end point
// within reach; -1 if none.
qsizetype EndpointGrid::firstInCell(Cell &cell, QPointF point, qsizetype before)
{
    while (cell.head < cell.end && isRemoved(m_endpoints[size_t(cell.head)] / 2))
        ++cell.head;
    for (qsizetype j = cell.head; j < cell.end; ++j) {
        const qsizetype id = m_endpoints[size_t(j)];
        const qsizetype segment = id / 2;
        if (before >= 0 && segment >= before)
            break;
        if (!isRemoved(segment) && withinJoinTolerance(point, endpoint(id)))
            return segment;
    }
    return -1;
}

EndpointGrid::Match EndpointGrid::firstNear(QPointF point)
{
    // Cell numbers grow monotonically with the coordinate, so every point
    // within reach lies in the cells between those of the reach's corners.
    const CellKey low = keyOf(point - QPointF(reach, reach));
    const CellKey high = keyOf(point + QPointF(reach, reach));
    Match match;
    for (qint64 x = low.x; x <= high.x; ++x) {
        for (qint64 y = low.y; y <= high.y; ++y) {
            const auto it = m_cellIndex.constFind({x, y});
            if (it == m_cellIndex.cend())
                continue;
            const qsizetype found = firstInCell(m_cells[size_t(*it)], point, match.segment);
            if (found >= 0)
                match.segment = found;
        }
    }
    if (match.segment >= 0)
        match.atStart = withinJoinTolerance(point, m_segments[match.segment].start);
    return match;
}

void EndpointGrid::remove(qsizetype segment)
{
    m_removed[size_t(segment)] = true;
    for (qsizetype id : {segment * 2, segment * 2 + 1}) {
        Cell &cell = m_cells[m_cellOf[size_t(id)]];
        // Dropping removed entries once they are the majority keeps every
        // scan proportional to the live end points, even where thousands of
        // segments meet at one point.
        if (++cell.removed * 2 > cell.end - cell.begin)
            compact(cell);
    }
}

void EndpointGrid::compact(Cell &cell)
{
    const auto first = m_endpoints.begin() + cell.begin;
    const auto last = std::remove_if(first, m_endpoints.begin() + cell.end,
                                     [this](qsizetype id) { return isRemoved(id / 2); });
    cell.end = cell.begin + (last - first);
    cell.head = cell.begin;
    cell.removed = 0;
}

} // namespace tallero
