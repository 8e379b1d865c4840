#include "engine/internal/surveyorigin.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

constexpr double originStep = 1000.0;

} // namespace

QPointF planningOrigin(const QRectF &bounds)
{
    const double reach = std::max({std::abs(bounds.left()), std::abs(bounds.right()),
                                   std::abs(bounds.top()), std::abs(bounds.bottom())});
    if (!(reach >= surveyDistance))
        return QPointF(0.0, 0.0);
    // QRectF's top is the smallest y.
    return QPointF(std::floor(bounds.left() / originStep) * originStep,
                   std::floor(bounds.top() / originStep) * originStep);
}

} // namespace tallero
