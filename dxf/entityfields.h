#pragma once

#include <QByteArrayView>
#include <QList>
#include <QPointF>

namespace tallero {

// Largest magnitude accepted for any number an entity is built from. Beyond
// it a value is absurd for a drawing in metres, and the products of the area
// sums and the chaining grid would lose all precision or overflow.
inline constexpr double dxfMaxMagnitude = 1e9;

// The group codes an entity is built from; the reader keeps only these, so
// that a record's text, comments, handles and hatch data cost no memory.
bool isEntityCode(int code);

// The values one record kept, converted as they were read: flags (codes 67 and
// 70) as integers, 0 when not an integer; every other code with dxfNumber, NaN
// when not a number. Two lists rather than one of pairs: a large polyline
// keeps millions of them, and this is the smallest way to hold them.
class RecordFields
{
public:
    void clear();
    void add(int code, QByteArrayView value);
    qsizetype size() const { return m_codes.size(); }
    bool contains(int code) const { return m_codes.contains(qint16(code)); }
    int code(qsizetype i) const { return m_codes[i]; }
    double value(qsizetype i) const { return m_values[i]; }

private:
    QList<qint16> m_codes;
    QList<double> m_values;
};

// The fields of one record, read by code. Every number read here is checked:
// a value that is not a number, not finite or exceeds dxfMaxMagnitude clears
// the shared `numbersValid` flag and reads as 0.0, so that later arithmetic
// stays bounded until the caller abandons the import.
class EntityFields
{
public:
    EntityFields(const RecordFields &fields, bool &numbersValid);

    qsizetype size() const { return m_fields.size(); }
    int code(qsizetype i) const { return m_fields.code(i); }
    // The i-th value as a checked number.
    double number(qsizetype i) { return check(m_fields.value(i)); }

    // The first field with `code`, or `fallback` when there is none.
    double number(int code, double fallback);
    QPointF point(int xCode, int yCode);
    QList<double> numbers(int code);

    // The first code-70 value; 0 when absent or not an integer.
    int flags() const;
    // Group code 67 is 1 for an entity of a paper-space layout, which shows
    // sheets and title blocks, never the work area.
    bool inPaperSpace() const;
    // The extrusion direction (210, 220, 230) is (0, 0, -1): the entity's own
    // coordinate system is the world's seen from below, its x mirrored.
    bool seenFromBelow();

private:
    double check(double number);
    int integer(int code) const;

    const RecordFields &m_fields;
    bool &m_numbersValid;
};

} // namespace tallero
