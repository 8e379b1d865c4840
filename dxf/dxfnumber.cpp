#include "dxf/dxfnumber.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>

namespace tallero {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Whether `text` is [+-]?(d+(.d*)?|.d+)([eE][+-]?d+)?
bool isDecimal(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && isDigit(text[i]))
            ++i;
        return i - from;
    };
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < n && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == n;
}

} // namespace

double dxfNumber(QByteArrayView value)
{
    if (!isDecimal(value))
        return std::numeric_limits<double>::quiet_NaN();
    // toDouble is exact but slow, and a file holds a great many numbers.
    // from_chars rounds correctly just as toDouble does; a result out of the
    // ordinary range (overflow, underflow, subnormals) is left to toDouble,
    // which gives infinity for an overflow.
    const char *begin = value.data();
    const char *end = begin + value.size();
    if (*begin == '+')
        ++begin;
    double number = 0.0;
    const auto [stop, status] = std::from_chars(begin, end, number);
    if (status == std::errc() && stop == end && (number == 0.0 || std::abs(number) >= 1e-300))
        return number;
    return QString::fromLatin1(value).toDouble();
}

} // namespace tallero
