#include "engine/cuttingsheetbound.h"

#include "geometry/crosssection.h"
#include "geometry/shapeops.h"

#include <QRectF>
#include <QSizeF>

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

// A piece longer than half the sheet along one axis, in every rotation
// that fits, has little play along it: wherever it lies, every line across
// the sheet in a column near the middle meets it, over a length that can
// be bounded in advance. Such pieces are described by the least length a
// line in each of this many columns of the sheet can meet (the turn by
// half reverses the columns).
constexpr int spanColumns = 128;

// Overlap the placement search lets pass between two pieces, far below this.
constexpr double spanOverlapSlack = 1e-5;

// What one piece needs of a sheet's three capacities, and the rectangle
// it surely holds (its core), by the rotations that fit the sheet.
struct Need
{
    double area = 0.0;
    double tallWidth = 0.0;
    double wideHeight = 0.0;
    QList<QSizeF> cores; // the core in each rotation the piece fits in
    // For a piece wider than half the sheet in every rotation that fits:
    // per such rotation, the least length a vertical line meets in each
    // column.
    QList<QList<double>> columns;
    // Likewise for a piece higher than half the sheet, along horizontal lines.
    QList<QList<double>> rows;
};

// Whether the rectangle lies in the piece, but for the overlap the
// placement search tolerates.
bool holds(const Shape &piece, const QRectF &r)
{
    const Shape box = rectangleShape(r.left(), r.top(), r.width(), r.height());
    const std::optional<Shape> common = intersectShapes(piece, box);
    return common && common->area >= box.area - 1e-7;
}

// The largest rectangle found in the piece among those that span its whole
// width from its lower or upper edge, or its whole height from its left or
// right edge (found by halving); the bounding rectangle itself when the
// piece is one. Pieces along a wall, curved or wavy, hold such a band.
QSizeF coreOf(const Shape &piece)
{
    const QRectF b = piece.bounds;
    if (b.width() < 0.01 || b.height() < 0.01)
        return {};
    if (piece.rings.size() == 1 && piece.area >= b.width() * b.height() - 1e-6)
        return b.size();
    QSizeF best;
    double bestArea = 0.0;
    for (int side = 0; side < 4; ++side) {
        const bool band = side < 2; // full width
        const double span = band ? b.height() : b.width();
        const auto rect = [&](double depth) {
            switch (side) {
            case 0: return QRectF(b.left(), b.top(), b.width(), depth);
            case 1: return QRectF(b.left(), b.bottom() - depth, b.width(), depth);
            case 2: return QRectF(b.left(), b.top(), depth, b.height());
            default: return QRectF(b.right() - depth, b.top(), depth, b.height());
            }
        };
        double low = 0.0;
        double high = span;
        for (int step = 0; step < 14 && high - low > 1e-3; ++step) {
            const double mid = (low + high) / 2.0;
            if (holds(piece, rect(mid)))
                low = mid;
            else
                high = mid;
        }
        if (low < 0.01)
            continue;
        const QSizeF size = rect(low).size();
        if (size.width() * size.height() > bestArea) {
            best = size;
            bestArea = size.width() * size.height();
        }
    }
    return best;
}

// The least length that lines across the axis meet in each column, for a
// figure whose extent along the axis is `extent` from `low`, lying anywhere
// the sheet's `length` allows (with the fitting slack at both ends).
QList<double> columnMinima(const QList<QPolygonF> &rings, double low, double extent,
                           double length)
{
    const CrossSections sections(rings);
    const double step = length / spanColumns;
    const double play = length - extent + lengthSlack;
    QList<double> minima(spanColumns);
    for (int k = 0; k < spanColumns; ++k)
        minima[k] = sections.least(low + k * step - play, low + (k + 1) * step + lengthSlack);
    return minima;
}

Need needOf(const Shape &piece, double width, double height)
{
    Need need;
    need.area = std::max(piece.area, 0.0);
    const double w = piece.bounds.width();
    const double h = piece.bounds.height();
    // The rotations the piece fits in: as drawn, and turned by a quarter.
    const bool drawnFits = w <= width + lengthSlack && h <= height + lengthSlack;
    const bool turnedFits = h <= width + lengthSlack && w <= height + lengthSlack;
    const int fitting = int(drawnFits) + int(turnedFits);
    // A piece less than half as long as the sheet can lie clear of any
    // column, so no line is sure to meet it.
    const auto spans = [&](double extent, double length) { return extent > length / 2.0; };
    const double left = piece.bounds.left();
    const double bottom = piece.bounds.top();
    const auto along = [&](bool acrossX, double length) {
        return acrossX ? columnMinima(piece.rings, left, w, length)
                       : columnMinima(transposedRings(piece.rings), bottom, h, length);
    };
    if (drawnFits && spans(w, width))
        need.columns.append(along(true, width));
    if (turnedFits && spans(h, width))
        need.columns.append(along(false, width));
    if (need.columns.size() < fitting)
        need.columns.clear();
    if (drawnFits && spans(h, height))
        need.rows.append(along(false, height));
    if (turnedFits && spans(w, height))
        need.rows.append(along(true, height));
    if (need.rows.size() < fitting)
        need.rows.clear();

    const QSizeF core = coreOf(piece);
    if (core.isEmpty())
        return need;
    if (drawnFits)
        need.cores.append(core);
    if (turnedFits)
        need.cores.append(core.transposed());
    if (need.cores.isEmpty())
        return need;
    bool tall = true;
    bool wide = true;
    double tallWidth = std::numeric_limits<double>::max();
    double wideHeight = std::numeric_limits<double>::max();
    for (const QSizeF &c : need.cores) {
        tall = tall && c.height() > height / 2.0 + lengthSlack;
        wide = wide && c.width() > width / 2.0 + lengthSlack;
        tallWidth = std::min(tallWidth, c.width());
        wideHeight = std::min(wideHeight, c.height());
    }
    if (tall)
        need.tallWidth = std::max(tallWidth - lengthSlack, 0.0);
    if (wide)
        need.wideHeight = std::max(wideHeight - lengthSlack, 0.0);
    return need;
}

// Two pieces that are both long along one axis cannot share a sheet when,
// in every rotation of the two, the lines across meet more of them together
// than the sheet holds, over more area than overlaps may take. Each line
// meets the two in parts of one sheet's length, so where its lengths add up
// to more, the two overlap by at least the difference.
bool spansClash(const QList<QList<double>> &a, const QList<QList<double>> &b, double length,
                double across)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const double step = length / spanColumns;
    const double room = across + 2 * lengthSlack;
    for (const QList<double> &p : a) {
        for (const QList<double> &q : b) {
            for (const bool reversed : {false, true}) {
                double excess = 0.0;
                for (int k = 0; k < spanColumns; ++k) {
                    const double together = p[k] + q[reversed ? spanColumns - 1 - k : k];
                    excess += step * std::max(together - room, 0.0);
                }
                if (excess <= spanOverlapSlack)
                    return false;
            }
        }
    }
    return true;
}

// Two pieces cannot share a sheet when in no rotations of the two their
// cores stand side by side or one above the other within the sheet, or
// when both are long along one axis and clash there.
bool conflict(const Need &a, const Need &b, double width, double height)
{
    if (spansClash(a.columns, b.columns, width, height)
        || spansClash(a.rows, b.rows, height, width))
        return true;
    if (a.cores.isEmpty() || b.cores.isEmpty())
        return false;
    for (const QSizeF &p : a.cores) {
        for (const QSizeF &q : b.cores) {
            if (p.width() + q.width() <= width + 2 * lengthSlack)
                return false;
            if (p.height() + q.height() <= height + 2 * lengthSlack)
                return false;
        }
    }
    return true;
}

// Whether the needs fit into `count` sheets, by a depth-first search over
// the sheet of each need, largest area first. Equal sheets (empty ones in
// particular) are tried once. `steps` counts down; when it runs out the
// answer is "maybe" (true), which keeps the bound valid.
class NeedPacking
{
public:
    NeedPacking(const QList<Need> &needs, const QList<QList<bool>> &conflicts, Need capacity,
                qint64 &steps)
        : m_needs(needs), m_conflicts(conflicts), m_capacity(capacity), m_steps(steps)
    {
        for (const Need &n : needs)
            m_areaLeft += n.area;
    }

    bool fits(int count)
    {
        m_loads = QList<Need>(count);
        m_members = QList<QList<int>>(count);
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
        bool emptyTried = false;
        for (qsizetype s = 0; s < m_loads.size(); ++s) {
            Need &load = m_loads[s];
            if (load.area + n.area > m_capacity.area + areaSlack
                || load.tallWidth + n.tallWidth > m_capacity.tallWidth
                || load.wideHeight + n.wideHeight > m_capacity.wideHeight)
                continue;
            // Empty sheets are all alike.
            if (m_members[s].isEmpty()) {
                if (emptyTried)
                    continue;
                emptyTried = true;
            }
            if (std::any_of(m_members[s].begin(), m_members[s].end(),
                            [&](int other) { return m_conflicts[k][other]; }))
                continue;
            const Need before = load;
            load.area += n.area;
            load.tallWidth += n.tallWidth;
            load.wideHeight += n.wideHeight;
            m_members[s].append(k);
            const bool done = place(k + 1, areaLeft - n.area);
            m_members[s].removeLast();
            load = before;
            if (done)
                return true;
        }
        return false;
    }

    const QList<Need> &m_needs;
    const QList<QList<bool>> &m_conflicts;
    Need m_capacity;
    qint64 &m_steps;
    QList<Need> m_loads;
    QList<QList<int>> m_members;
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
    QList<QList<bool>> conflicts(needs.size(), QList<bool>(needs.size(), false));
    for (qsizetype i = 0; i < needs.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j)
            conflicts[i][j] = conflicts[j][i] = conflict(needs[i], needs[j], width, height);
    }
    Need capacity;
    capacity.area = width * height;
    capacity.tallWidth = width;
    capacity.wideHeight = height;
    int count = std::max(largePieceSheetBound(pieceAreas(pieces), width * height), 1);
    if (pieces.isEmpty())
        return 0;
    qint64 steps = searchLimit;
    while (count < pieces.size() && steps > 0) {
        NeedPacking packing(needs, conflicts, capacity, steps);
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
