#include "dxf/entityfields.h"

#include "dxf/dxfnumber.h"

#include <cmath>

namespace tallero {

EntityFields::EntityFields(std::span<const GroupPair> pairs, bool &numbersValid)
    : m_pairs(pairs), m_numbersValid(numbersValid)
{
}

double EntityFields::convert(QStringView value)
{
    const double number = dxfNumber(value);
    if (!(std::abs(number) <= dxfMaxMagnitude)) {
        m_numbersValid = false;
        return 0.0;
    }
    return number;
}

double EntityFields::number(int code, double fallback)
{
    for (const GroupPair &pair : m_pairs) {
        if (pair.code == code)
            return convert(pair.value);
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
    for (const GroupPair &pair : m_pairs) {
        if (pair.code == code)
            values.append(convert(pair.value));
    }
    return values;
}

int EntityFields::flags() const
{
    for (const GroupPair &pair : m_pairs) {
        if (pair.code == 70)
            return pair.value.toInt(nullptr, 10);
    }
    return 0;
}

} // namespace tallero
