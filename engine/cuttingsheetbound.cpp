#include "engine/cuttingsheetbound.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tallero {

namespace {

// What overlaps the placement search lets pass, summed over a sheet, stays
// far below this.
constexpr double areaSlack = 1e-6;

int sheetsFor(double area, double sheetArea)
{
    if (area <= areaSlack)
        return 0;
    return int(std::ceil(area / (sheetArea + areaSlack) - 1e-9));
}

} // namespace

int areaSheetBound(const QList<double> &areas, double sheetArea)
{
    if (!(sheetArea > 0.0))
        return 0;
    double total = 0.0;
    for (double a : areas)
        total += std::max(a, 0.0);
    return sheetsFor(total, sheetArea);
}

int largePieceSheetBound(const QList<double> &areas, double sheetArea)
{
    if (!(sheetArea > 0.0))
        return 0;
    // Two pieces share a sheet only if their areas add up to at most the
    // sheet's (with the slack); "large" means no two of them can.
    const auto exclusive = [&](double a, double b) { return a + b > sheetArea + areaSlack; };
    QList<double> thresholds{0.0};
    for (double a : areas) {
        if (a > 0.0 && !exclusive(a, a))
            thresholds.append(a);
    }
    std::sort(thresholds.begin(), thresholds.end());
    thresholds.erase(std::unique(thresholds.begin(), thresholds.end()), thresholds.end());

    int best = areaSheetBound(areas, sheetArea);
    for (double t : thresholds) {
        int alone = 0;       // large pieces no piece of area t or more can join
        int large = 0;       // the other large pieces
        double freeArea = 0; // what those leave on their sheets
        double medium = 0;   // pieces from t up to the large ones
        for (double a : areas) {
            if (exclusive(a, a)) {
                if (t > 0.0 && exclusive(a, t))
                    ++alone;
                else {
                    ++large;
                    freeArea += sheetArea - a;
                }
            } else if (a >= t && a > 0.0) {
                medium += a;
            }
        }
        const int bound = alone + large + sheetsFor(medium - freeArea, sheetArea);
        best = std::max(best, bound);
    }
    return best;
}

namespace {

constexpr double lengthSlack = 1e-4;

// What one piece needs of a sheet's three capacities.
struct Need
{
    double area = 0.0;
    double tallWidth = 0.0;
    double wideHeight = 0.0;
};

Need needOf(const Shape &piece, double width, double height)
{
    Need need;
    need.area = std::max(piece.area, 0.0);
    const double w = piece.bounds.width();
    const double h = piece.bounds.height();
    const bool rectangle = piece.rings.size() == 1 && w > 0.01 && h > 0.01
        && piece.area >= w * h - 1e-6;
    if (!rectangle)
        return need;
    // The rotations that fit: as drawn, and turned by a quarter.
    struct Turned { double w; double h; };
    QList<Turned> fitting;
    for (const Turned t : {Turned{w, h}, Turned{h, w}}) {
        if (t.w <= width + lengthSlack && t.h <= height + lengthSlack)
            fitting.append(t);
    }
    if (fitting.isEmpty())
        return need;
    bool tall = true;
    bool wide = true;
    double tallWidth = std::numeric_limits<double>::max();
    double wideHeight = std::numeric_limits<double>::max();
    for (const Turned &t : fitting) {
        tall = tall && t.h > height / 2.0 + lengthSlack;
        wide = wide && t.w > width / 2.0 + lengthSlack;
        tallWidth = std::min(tallWidth, t.w);
        wideHeight = std::min(wideHeight, t.h);
    }
    if (tall)
        need.tallWidth = std::max(tallWidth - lengthSlack, 0.0);
    if (wide)
        need.wideHeight = std::max(wideHeight - lengthSlack, 0.0);
    return need;
}

// Whether the needs fit into `count` sheets, by a depth-first search over
// the sheet of each need, largest area first. Equal sheets (empty ones in
// particular) are tried once. `steps` counts down; when it runs out the
// answer is "maybe" (true), which keeps the bound valid.
class NeedPacking
{
public:
    NeedPacking(const QList<Need> &needs, Need capacity, qint64 &steps)
        : m_needs(needs), m_capacity(capacity), m_steps(steps)
    {
        for (const Need &n : needs)
            m_areaLeft += n.area;
    }

    bool fits(int count)
    {
        m_loads = QList<Need>(count);
        return place(0, m_areaLeft);
    }

private:
    bool place(int k, double areaLeft)
    {
        if (k == m_needs.size())
            return true;
        if (--m_steps <= 0)
            return true;
        double free = 0.0;
        for (const Need &load : m_loads)
            free += m_capacity.area - load.area;
        if (areaLeft > free + areaSlack * m_loads.size())
            return false;
        const Need &n = m_needs[k];
        QList<Need> tried;
        for (Need &load : m_loads) {
            if (load.area + n.area > m_capacity.area + areaSlack
                || load.tallWidth + n.tallWidth > m_capacity.tallWidth
                || load.wideHeight + n.wideHeight > m_capacity.wideHeight)
                continue;
            const bool same = std::any_of(tried.begin(), tried.end(), [&](const Need &t) {
                return t.area == load.area && t.tallWidth == load.tallWidth
                    && t.wideHeight == load.wideHeight;
            });
            if (same)
                continue;
            tried.append(load);
            const Need before = load;
            load.area += n.area;
            load.tallWidth += n.tallWidth;
            load.wideHeight += n.wideHeight;
            const bool done = place(k + 1, areaLeft - n.area);
            load = before;
            if (done)
                return true;
        }
        return false;
    }

    const QList<Need> &m_needs;
    Need m_capacity;
    qint64 &m_steps;
    QList<Need> m_loads;
    double m_areaLeft = 0.0;
};

} // namespace

int rectangleSheetBound(const QList<Shape> &pieces, double width, double height,
                        qint64 searchLimit)
{
    if (!(width > 0.0) || !(height > 0.0))
        return 0;
    QList<Need> needs;
    for (const Shape &piece : pieces)
        needs.append(needOf(piece, width, height));
    std::stable_sort(needs.begin(), needs.end(), [](const Need &a, const Need &b) {
        return a.area > b.area;
    });
    const Need capacity{width * height, width, height};
    int count = std::max(largePieceSheetBound(pieceAreas(pieces), width * height), 1);
    if (pieces.isEmpty())
        return 0;
    qint64 steps = searchLimit;
    while (count < pieces.size() && steps > 0) {
        NeedPacking packing(needs, capacity, steps);
        if (packing.fits(count))
            break;
        ++count;
    }
    return count;
}

QList<double> pieceAreas(const QList<Shape> &pieces)
{
    QList<double> areas;
    areas.reserve(pieces.size());
    for (const Shape &piece : pieces)
        areas.append(piece.area);
    return areas;
}

} // namespace tallero
