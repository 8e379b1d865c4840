#include "dxf/entityfields.h"

#include "dxf/dxfnumber.h"

#include <charconv>
#include <cmath>

namespace tallero {

namespace {

bool isFlagCode(int code)
{
    return code == 67 || code == 70;
}

int parseInteger(QByteArrayView text)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    int value = 0;
    const auto [stop, status] = std::from_chars(begin, end, value);
    return status == std::errc() && stop == end ? value : 0;
}

} // namespace

bool isEntityCode(int code)
{
    switch (code) {
    case 10: case 20: case 11: case 21:
    case 40: case 41: case 42: case 50: case 51:
    case 67: case 70:
    case 210: case 220: case 230:
        return true;
    default:
        return false;
    }
}

void RecordFields::clear()
{
    m_codes.clear();
    m_values.clear();
}

void RecordFields::add(int code, QByteArrayView value)
{
    m_codes.append(qint16(code));
    m_values.append(isFlagCode(code) ? double(parseInteger(value)) : dxfNumber(value));
}

EntityFields::EntityFields(const RecordFields &fields, bool &numbersValid)
    : m_fields(fields), m_numbersValid(numbersValid)
{
}

double EntityFields::check(double number)
{
    if (!(std::abs(number) <= dxfMaxMagnitude)) {
        m_numbersValid = false;
        return 0.0;
    }
    return number;
}

double EntityFields::number(int code, double fallback)
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.code(i) == code)
            return check(m_fields.value(i));
    }
    return fallback;
}

QPointF EntityFields::point(int xCode, int yCode)
{
    const double x = number(xCode, 0.0);
    return QPointF(x, number(yCode, 0.0));
}

QList<double> EntityFields::numbers(int code)
{
    QList<double> values;
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.code(i) == code)
            values.append(check(m_fields.value(i)));
    }
    return values;
}

int EntityFields::integer(int code) const
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.code(i) == code)
            return int(m_fields.value(i));
    }
    return 0;
}

int EntityFields::flags() const
{
    return integer(70);
}

bool EntityFields::inPaperSpace() const
{
    return integer(67) == 1;
}

bool EntityFields::seenFromBelow()
{
    const double x = number(210, 0.0);
    const double y = number(220, 0.0);
    const double z = number(230, 1.0);
    // CAD programs write the direction as a unit vector; a mirrored one has
    // x and y exactly 0 or within rounding of it.
    return z < 0.0 && std::abs(x) < 1e-9 && std::abs(y) < 1e-9;
}

} // namespace tallero
