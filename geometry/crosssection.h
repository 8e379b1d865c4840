#pragma once

#include <QList>
#include <QPolygonF>

#include <vector>

namespace tallero {

// How much of a figure the vertical lines x = t cross: the length its rings
// enclose on each line (odd-even, as a shape's rings do). Lines beyond the
// rings cross nothing.
//
// Between two consecutive vertex abscissae the same edges cross every line
// and the length is linear in t, so it is kept as its values at the two ends
// of each such stretch, and the least length over any range of lines is
// found exactly (up to rounding) among those ends, however the edges run.
// The value on a line through a vertex does not count on its own: what is
// asked of it is the length over a range of lines, which one line does not
// change. A ring is closed by its implicit last edge.
class CrossSections
{
public:
    explicit CrossSections(const QList<QPolygonF> &rings);

    // The least length over the lines from `from` to `to`; 0 when the range
    // reaches past the rings or `to` < `from`.
    double least(double from, double to) const;

private:
    double valueAt(std::size_t stretch, double t) const;

    std::vector<double> m_stops; // vertex abscissae, sorted, distinct
    std::vector<double> m_start; // length at the low end of each stretch
    std::vector<double> m_end;   // and at its high end
};

// The rings with x and y exchanged, for the same question along the other axis.
QList<QPolygonF> transposedRings(const QList<QPolygonF> &rings);

} // namespace tallero
