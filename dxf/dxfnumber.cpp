#include "dxf/dxfnumber.h"

#include <charconv>
#include <cmath>

namespace tallero {

namespace {

// Copies a plain decimal number, -?d+(.d+)?([eE][+-]?d+)?, into `buffer`;
// false for any other text.
bool copyPlainNumber(QStringView text, char *buffer, qsizetype capacity)
{
    if (text.isEmpty() || text.size() > capacity)
        return false;
    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype from = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            ++i;
        return i > from;
    };
    if (text[i] == u'-')
        ++i;
    bool plain = digits();
    if (plain && i < text.size() && text[i] == u'.') {
        ++i;
        plain = digits();
    }
    if (plain && i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        plain = digits();
    }
    if (!plain || i != text.size())
        return false;
    for (qsizetype k = 0; k < text.size(); ++k)
        buffer[k] = char(text[k].unicode());
    return true;
}

} // namespace

double dxfNumber(QStringView value)
{
    // toDouble is exact but slow, and a file holds a great many numbers.
    // Plain decimals go through from_chars, which rounds correctly just as
    // toDouble does; every other form, and any result out of the ordinary
    // range (overflow, underflow, subnormals), is left to toDouble.
    char buffer[64];
    if (copyPlainNumber(value, buffer, qsizetype(sizeof buffer))) {
        double number = 0.0;
        const auto [end, status] = std::from_chars(buffer, buffer + value.size(), number);
        if (status == std::errc() && end == buffer + value.size()
            && (number == 0.0 || std::abs(number) >= 1e-300))
            return number;
    }
    return value.toDouble();
}

} // namespace tallero
