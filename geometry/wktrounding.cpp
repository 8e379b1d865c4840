#include "geometry/internal/wktrounding.h"

#include <cmath>

namespace tallero {

namespace {

constexpr double scale = 1e10;
// Beyond 2^52 / 1e10 the scaled value has no fraction bits left to round and
// the integer count of 1e-10 steps stops being exact.
constexpr double largestExact = 4.5e5;

// Number of 1e-10 steps in `magnitude` (>= 0), rounded half up on the exact
// product: fma gives the sign of magnitude * 1e10 - (n +/- 0.5) with a single
// rounding, so a product that the plain multiplication rounds onto a half is
// still decided correctly.
double stepCount(double magnitude)
{
    double n = std::round(magnitude * scale);
    if (std::fma(magnitude, scale, -(n + 0.5)) >= 0.0)
        n += 1.0;
    else if (std::fma(magnitude, scale, -(n - 0.5)) < 0.0)
        n -= 1.0;
    return n;
}

} // namespace

double roundAsWkt(double value)
{
    if (!std::isfinite(value) || std::abs(value) >= largestExact)
        return value;   // callers check the range before relying on this
    if (value == 0.0)
        return 0.0;     // a negative zero is written without its sign
    // n / 1e10 with both exact is the correctly rounded quotient, which is
    // what parsing the decimal text gives.
    const double rounded = stepCount(std::abs(value)) / scale;
    return std::signbit(value) ? -rounded : rounded;
}

} // namespace tallero
