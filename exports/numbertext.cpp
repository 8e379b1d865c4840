#include "exports/numbertext.h"

#include <charconv>
#include <cmath>

namespace tallero {

QByteArray exactNumberText(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QByteArrayLiteral("0");
    // Fixed notation of the largest double needs a little over 300 digits.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return QByteArrayLiteral("0");
    return QByteArray(buffer, int(result.ptr - buffer));
}

} // namespace tallero
