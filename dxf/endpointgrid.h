#pragma once

#include "dxf/segment.h"

#include <QHash>
#include <QList>

#include <vector>

namespace tallero {

// Finds, among the segments not yet removed, the first in list order with an
// end point within joinTolerance of a given point, without scanning the
// list. End points are filed in square cells four times the tolerance wide,
// so a query looks at one to four cells. Each cell keeps its end points in
// list order, so the first live one within reach is that cell's answer.
class EndpointGrid
{
public:
    explicit EndpointGrid(const QList<Segment> &segments);

    struct Match
    {
        qsizetype segment = -1;   // -1: none
        bool atStart = false;     // the start matched; the end is checked only otherwise
    };

    Match firstNear(QPointF point);
    void remove(qsizetype segment);
    bool isRemoved(qsizetype segment) const { return m_removed[size_t(segment)]; }

    struct CellKey
    {
        qint64 x = 0;
        qint64 y = 0;
        bool operator==(const CellKey &) const = default;
    };

private:
    // End points are numbered 2 × segment (start) and 2 × segment + 1 (end).
    // A cell's end points are the slice [begin, end) of m_endpoints, in
    // ascending order.
    struct Cell
    {
        qsizetype begin = 0;
        qsizetype end = 0;
        qsizetype head = 0;      // all before it are removed
        qsizetype removed = 0;
    };

    static CellKey keyOf(QPointF point);
    QPointF endpoint(qsizetype id) const;
    qsizetype firstInCell(Cell &cell, QPointF point, qsizetype before);
    void compact(Cell &cell);

    const QList<Segment> &m_segments;
    QHash<CellKey, qsizetype> m_cellIndex;
    std::vector<Cell> m_cells;
    std::vector<qsizetype> m_endpoints;
    std::vector<qsizetype> m_cellOf;   // per end point
    std::vector<bool> m_removed;       // per segment
};

size_t qHash(const EndpointGrid::CellKey &key, size_t seed = 0);

} // namespace tallero
