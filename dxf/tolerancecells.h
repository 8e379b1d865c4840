#pragma once

#include "dxf/jointolerance.h"
#include "geometry/clampedinteger.h"

#include <QPointF>
#include <QtGlobal>

#include <cmath>
#include <compare>

namespace tallero {

// Square cells sixteen times the join tolerance wide: every point within
// the tolerance of a point lies in the point's own cell or, near a cell's
// edge, in one neighbour along each axis, so finding near points mostly
// means looking in one cell. Larger cells would gather more points that are
// not near; smaller ones would make every query look in four.
struct ToleranceCell
{
    qint64 x = 0;
    qint64 y = 0;
    bool operator==(const ToleranceCell &) const = default;
    auto operator<=>(const ToleranceCell &) const = default;
};

inline constexpr double toleranceCellSize = 16.0 * joinTolerance;

// Far beyond any real drawing the outermost cells take every point (and NaN
// the lowest), which keeps cell numbers integral; distances are still
// checked exactly by whoever asks.
inline qint64 toleranceCellCoordinate(double value)
{
    return clampedInteger<qint64>(std::floor(value / toleranceCellSize), qint64(-1e18),
                                  qint64(1e18));
}

inline ToleranceCell toleranceCellOf(QPointF point)
{
    return {toleranceCellCoordinate(point.x()), toleranceCellCoordinate(point.y())};
}

// The cells that may hold a point within the tolerance of `point`: one to
// four (nine if rounding ever widened the span by a cell), in a fixed array
// so that asking costs no allocation.
struct ToleranceCellsNear
{
    ToleranceCell cells[9];
    int count = 0;

    const ToleranceCell *begin() const { return cells; }
    const ToleranceCell *end() const { return cells + count; }
};

inline ToleranceCellsNear toleranceCellsNear(QPointF point)
{
    const ToleranceCell low = toleranceCellOf(point - QPointF(joinTolerance, joinTolerance));
    const ToleranceCell high = toleranceCellOf(point + QPointF(joinTolerance, joinTolerance));
    ToleranceCellsNear near;
    // A span of twice the tolerance reaches at most one neighbour per axis;
    // the bound holds even if rounding made it reach a second.
    for (qint64 x = low.x; x <= high.x && x <= low.x + 2; ++x) {
        for (qint64 y = low.y; y <= high.y && y <= low.y + 2; ++y)
            near.cells[near.count++] = {x, y};
    }
    return near;
}

} // namespace tallero
