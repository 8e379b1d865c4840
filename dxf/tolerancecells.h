#pragma once

#include "dxf/jointolerance.h"
#include "geometry/clampedinteger.h"

#include <QList>
#include <QPointF>
#include <QtGlobal>

#include <cmath>
#include <compare>

namespace tallero {

// Square cells twice the join tolerance wide: every point within the
// tolerance of a point lies in one of at most two cells along each axis, so
// finding near points means looking in at most four cells.
struct ToleranceCell
{
    qint64 x = 0;
    qint64 y = 0;
    bool operator==(const ToleranceCell &) const = default;
    auto operator<=>(const ToleranceCell &) const = default;
};

inline constexpr double toleranceCellSize = 2.0 * joinTolerance;

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

// The cells that may hold a point within the tolerance of `point`.
inline QList<ToleranceCell> toleranceCellsNear(QPointF point)
{
    const ToleranceCell low = toleranceCellOf(point - QPointF(joinTolerance, joinTolerance));
    const ToleranceCell high = toleranceCellOf(point + QPointF(joinTolerance, joinTolerance));
    QList<ToleranceCell> cells;
    for (qint64 x = low.x; x <= high.x; ++x) {
        for (qint64 y = low.y; y <= high.y; ++y)
            cells.append({x, y});
    }
    return cells;
}

} // namespace tallero
