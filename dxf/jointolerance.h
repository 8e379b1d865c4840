#pragma once

#include <QPointF>

#include <cmath>

namespace tallero {

// End points of different entities closer than this are one point: CAD
// exports often write a shared corner with slightly different rounding.
inline constexpr double joinTolerance = 1e-5;

inline bool withinJoinTolerance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y()) < joinTolerance;
}

} // namespace tallero
