#pragma once

#include <QtGlobal>

namespace tallero {

// A count or index computed in floating point, brought into [low, high]
// before it becomes an integer: converting NaN or a value beyond the
// integer's range is undefined behaviour, and a degenerate drawing (a span of
// a few denormals, a radius of 1e300) produces exactly such values. NaN
// counts as `low`.
template <typename Integer>
Integer clampedInteger(double value, Integer low, Integer high)
{
    if (!(value > double(low)))
        return low;
    if (!(value < double(high)))
        return high;
    return Integer(value);
}

inline int clampedInt(double value, int low, int high)
{
    return clampedInteger<int>(value, low, high);
}

} // namespace tallero
