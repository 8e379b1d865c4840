#pragma once

#include "dxf/grouppairs.h"

#include <QPointF>

#include <span>

namespace tallero {

// Largest magnitude accepted for any number an entity is built from. Beyond
// it a value is absurd for a drawing in metres, and the products of the area
// sums and the chaining grid would lose all precision or overflow.
inline constexpr double dxfMaxMagnitude = 1e9;

// The pairs of one record (those after its code-0 pair, up to the next one),
// read in place. Every number converted here is checked: a value that is not
// finite or exceeds dxfMaxMagnitude clears the shared `numbersValid` flag and
// reads as 0.0, so that later arithmetic stays bounded until the caller
// abandons the import.
class EntityFields
{
public:
    EntityFields(std::span<const GroupPair> pairs, bool &numbersValid);

    std::span<const GroupPair> pairs() const { return m_pairs; }

    // The first pair with `code`, or `fallback` when there is none. A value
    // that is not a number reads as 0.0.
    double number(int code, double fallback);
    QPointF point(int xCode, int yCode);
    QList<double> numbers(int code);

    // The first code-70 value as an integer; 0 when absent or not a number.
    int flags() const;

    double convert(QStringView value);

private:
    std::span<const GroupPair> m_pairs;
    bool &m_numbersValid;
};

} // namespace tallero
