#include "engine/cuttingsheetbound.h"

#include "geometry/crosssection.h"
#include "geometry/ring.h"

#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

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

// How a piece meets the lines across one axis of the sheet. The axis is
// cut into this many columns, and the piece's places along it into steps of
// a column (or one step, when its play is less): for each place, each line
// in a column meets the piece over at least a length known in advance.
// Where two pieces' lengths on the lines of a column add up to more than
// the sheet holds across, they overlap by at least the difference.
constexpr int profileColumns = 128;

// Overlap the placement search lets pass between two pieces, far below this.
constexpr double profileOverlapSlack = 1e-5;

// The pairs of places two profiles are compared in, at most; pieces with
// more play than that are not told apart this way.
constexpr qint64 profilePlacePairs = 2048;

// One rotation of a piece along one axis.
struct Profile
{
    int places = 1;
    // By column less place: the least length a line in that column meets
    // with the piece in that place, as it lies and turned by half.
    QList<double> forward;
    QList<double> turned;
    int first = 0; // the first and last index with a length in either
    int last = -1;
    double peak = 0.0; // the greatest of those lengths
};

// What one piece needs of a sheet's three capacities, and the rectangle
// it surely holds (its core), by the rotations that fit the sheet.
struct Need
{
    double area = 0.0;
    double tallWidth = 0.0;
    double wideHeight = 0.0;
    QList<QSizeF> cores; // the core in each rotation the piece fits in
    // Per rotation that fits: how it meets the vertical lines, and the
    // horizontal ones.
    QList<Profile> columns;
    QList<Profile> rows;
};

// Whether the rectangle lies in the piece, but for the overlap the
// placement search tolerates: the area of the piece within it, each
// polygon's exterior less its holes, clipped ring by ring (a traced piece
// has hundreds of vertices, and this is asked some fifty times a piece).
bool holds(const Shape &piece, const QRectF &r)
{
    double within = 0.0;
    for (const Polygon &polygon : piece.polygons) {
        for (qsizetype i = 0; i < polygon.size(); ++i)
            within += (i == 0 ? 1.0 : -1.0) * ringAreaWithin(polygon[i], r);
    }
    return within >= r.width() * r.height() - 1e-7;
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

// The profile of a figure, from its cross-sections along the axis, whose
// extent along it is `extent` from `low`, lying anywhere the sheet's
// `length` allows (with the fitting slack at both ends). With the places a column apart, the lines of column
// k meet the piece in place j within the same stretch of it for every
// k - j; with one place, that stretch is the column widened by the play.
Profile profileOf(const CrossSections &sections, double low, double extent, double length)
{
    const double step = length / profileColumns;
    const double play = std::max(length - extent, 0.0) + 2 * lengthSlack;
    Profile profile;
    profile.places = play <= step ? 1 : int(std::ceil(play / step));
    const double placeStep = std::min(play, step);
    profile.forward.resize(profileColumns);
    profile.turned.resize(profileColumns);
    for (int d = 0; d < profileColumns; ++d) {
        // Where a line of column d + j meets the piece placed from
        // -slack + j * placeStep up to a step further.
        const double from = d * step + lengthSlack - placeStep;
        const double to = (d + 1) * step + lengthSlack;
        profile.forward[d] = sections.least(low + from, low + to);
        profile.turned[d] = sections.least(low + extent - to, low + extent - from);
        profile.peak = std::max({profile.peak, profile.forward[d], profile.turned[d]});
        if (profile.forward[d] > 0.0 || profile.turned[d] > 0.0) {
            if (profile.last < 0)
                profile.first = d;
            profile.last = d;
        }
    }
    return profile;
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
    const double left = piece.bounds.left();
    const double bottom = piece.bounds.top();
    // Lines across the piece's width and across its height, whichever
    // way it is turned.
    const CrossSections alongX(piece.rings);
    const CrossSections alongY(transposedRings(piece.rings));
    if (drawnFits) {
        need.columns.append(profileOf(alongX, left, w, width));
        need.rows.append(profileOf(alongY, bottom, h, height));
    }
    if (turnedFits) {
        need.columns.append(profileOf(alongY, bottom, h, width));
        need.rows.append(profileOf(alongX, left, w, height));
    }

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

// Two pieces cannot share a sheet when, in every rotation and place of the
// two, the lines across one axis meet more of them together than the sheet
// holds, over more area than overlaps may take. Pieces with much play on
// both sides are not compared (the answer is then that they may share).
bool profilesClash(const QList<Profile> &a, const QList<Profile> &b, double length,
                   double across)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const double step = length / profileColumns;
    const double room = across + 2 * lengthSlack;
    for (const Profile &p : a) {
        for (const Profile &q : b) {
            if (qint64(p.places) * q.places > profilePlacePairs || p.peak + q.peak <= room)
                return false;
            for (const bool turned : {false, true}) {
                const QList<double> &other = turned ? q.turned : q.forward;
                // The pieces far apart first: that settles most pairs at once.
                for (int i = 0; i < p.places; ++i) {
                    for (int j = q.places - 1; j >= 0; --j) {
                        const int from = std::max(i + p.first, j + q.first);
                        const int to = std::min({i + p.last, j + q.last, profileColumns - 1});
                        double excess = 0.0;
                        for (int k = from; k <= to && excess <= profileOverlapSlack; ++k) {
                            const double together = p.forward[k - i] + other[k - j];
                            excess += step * std::max(together - room, 0.0);
                        }
                        if (excess <= profileOverlapSlack)
                            return false;
                    }
                }
            }
        }
    }
    return true;
}

// Two pieces cannot share a sheet when in no rotations of the two their
// cores stand side by side or one above the other within the sheet, or
// when the lines across one axis meet more of them than the sheet holds.
bool conflict(const Need &a, const Need &b, double width, double height)
{
    const auto coresClash = [&] {
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
    };
    // The cores first: they settle the pieces that fill most of a sheet at
    // once, which would clash at every place.
    return coresClash() || profilesClash(a.columns, b.columns, width, height)
        || profilesClash(a.rows, b.rows, height, width);
}

// What decides a piece's conflicts, rounded to 1e-9 m: pieces with the same
// key are compared as one. The rounding moves a profile's lengths by at
// most 1e-9 m, and so two pieces' excess by far less than the overlap
// slack, which is what keeps the comparison of the one for the other sound.
std::vector<double> shapeKey(const Need &need)
{
    std::vector<double> key;
    const auto add = [&](double value) { key.push_back(std::round(value * 1e9)); };
    for (const QSizeF &core : need.cores) {
        add(core.width());
        add(core.height());
    }
    key.push_back(-1.0);
    for (const QList<Profile> *profiles : {&need.columns, &need.rows}) {
        for (const Profile &profile : *profiles) {
            key.push_back(profile.places);
            for (double v : profile.forward)
                add(v);
            for (double v : profile.turned)
                add(v);
        }
        key.push_back(-1.0);
    }
    return key;
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
    // Pieces of one shape (the strips along a straight wall, the cells
    // around equal columns) are compared once.
    std::map<std::vector<double>, int> kinds;
    QList<int> kindOf;
    QList<qsizetype> example;
    for (qsizetype i = 0; i < needs.size(); ++i) {
        const auto [at, added] = kinds.emplace(shapeKey(needs[i]), int(kinds.size()));
        kindOf.append(at->second);
        if (added)
            example.append(i);
    }
    QList<QList<signed char>> kindConflicts(example.size(), QList<signed char>(example.size(), -1));
    QList<QList<bool>> conflicts(needs.size(), QList<bool>(needs.size(), false));
    for (qsizetype i = 0; i < needs.size(); ++i) {
        for (qsizetype j = 0; j < i; ++j) {
            signed char &known = kindConflicts[kindOf[i]][kindOf[j]];
            if (known < 0) {
                known = conflict(needs[example[kindOf[i]]], needs[example[kindOf[j]]], width,
                                 height);
                kindConflicts[kindOf[j]][kindOf[i]] = known;
            }
            conflicts[i][j] = conflicts[j][i] = known == 1;
        }
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
