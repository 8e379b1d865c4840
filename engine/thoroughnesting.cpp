#include "engine/thoroughnesting.h"

#include "engine/cuttingsheetbound.h"
#include "engine/internal/nesting.h"
#include "engine/placementsearch.h"
#include "engine/plancontrol.h"
#include "engine/internal/requiredresult.h"
#include "engine/internal/searchfacts.h"
#include "geometry/shapeops.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace tallero {

namespace {

// A placement search on a sheet holding k pieces counts 1 + k: its cost
// grows with what lies on the sheet, and one unit is about one search on
// an empty sheet.
using Units = qint64;

// The search may spend this many times what one greedy pass over all the
// pieces cost, and never more than the cap: on the floors this program is
// for that keeps the eight layouts of a thorough optimisation within a few
// seconds on two cores.
constexpr Units passesOfBudget = 80;
constexpr Units budgetCap = 20000;
// Percent of the budget the greedy passes may use.
constexpr Units passShare = 60;

// The work of one placement search also grows with the vertices it handles,
// the piece's and those already on the sheet: a traced outline of 5 mm
// steps gives pieces of hundreds of vertices, and with them each search
// costs a hundred times one on a plain floor. So the vertices handled are
// counted as well, and capped at what keeps the eight layouts of such a
// drawing within about five seconds on two cores. The plain floors, decks
// and halls this program is mostly for stay below it.
constexpr qint64 vertexBudget = 140000;

// Pieces of a sheet that is to be emptied are first poured into the holes
// of the other sheets; what does not fit is repacked onto fewer fresh ones.
// Emptying more than three sheets at once rarely saves one more.
// Steps of the search for the lower bound: a few milliseconds.
constexpr int largestGroupEmptied = 3;
constexpr qint64 boundSearchSteps = 200000;
// Placement searches the filling of one fresh sheet may spend.
constexpr int searchesPerFilledSheet = 120;
// Refills of the emptiest sheet with another one, between attempts to
// empty it.
constexpr int maximumExchanges = 12;
// How many of the emptiest sheets are candidates for emptying.
constexpr int emptiestConsidered = 5;

enum class SheetRule {
    Fullest,     // the fullest sheet that takes the piece, as the standard nesting
    FirstOpened  // the first sheet opened that takes it
};

struct BudgetExhausted
{
};

// Which rotations a piece may take. The placement search picks, on an
// empty sheet, the rotation with the lowest top, so a strip as high as the
// sheet is laid on its side; standing it up can leave room for another.
// Standing keeps the rotations of the largest height that fits the sheet,
// Lying those of the smallest; between them they hold every rotation.
enum class Turn { Any, Standing, Lying };

class ThoroughPacker
{
public:
    ThoroughPacker(const QList<Shape> &pieces, double width, double height,
                   const std::function<void(double)> &progress)
        : m_pieces(pieces), m_width(width), m_height(height), m_progress(progress)
    {
        m_orientations.reserve(pieces.size());
        for (const Shape &piece : pieces) {
            qint64 vertices = 0;
            for (const QPolygonF &ring : piece.rings)
                vertices += ring.size();
            m_vertexCounts.append(vertices);
            const QList<PieceOrientation> all = pieceOrientations(piece, width, height);
            double lowest = std::numeric_limits<double>::max();
            double highest = 0.0;
            for (const PieceOrientation &o : all) {
                lowest = std::min(lowest, o.shape.bounds.height());
                highest = std::max(highest, o.shape.bounds.height());
            }
            Turns turns;
            turns.any = all;
            for (const PieceOrientation &o : all) {
                if (o.shape.bounds.height() >= highest - 1e-9)
                    turns.standing.append(o);
                if (o.shape.bounds.height() <= lowest + 1e-9)
                    turns.lying.append(o);
            }
            turns.choice = highest - lowest > 1e-9;
            m_orientations.append(turns);
        }
    }

    Units used() const { return m_used; }
    // The searches and the vertices the work may reach, each in all.
    void setBudget(Units budget, qint64 vertices)
    {
        m_budget = budget;
        m_vertexBudget = vertices;
    }
    bool exhausted() const { return m_used >= m_budget || m_vertices >= m_vertexBudget; }
    void setTurn(Turn turn) { m_turn = turn; }
    // True when some piece would rotate differently standing and lying.
    bool turnsMatter() const
    {
        return std::any_of(m_orientations.begin(), m_orientations.end(),
                           [](const Turns &t) { return t.choice; });
    }

    // Packs the pieces in `order` onto `sheets` (which may already hold
    // pieces), opening new sheets as needed but never more than
    // `sheetLimit` sheets in all. None when the limit is passed or a piece
    // cannot be placed at all.
    std::optional<QList<CuttingSheet>> pack(const QList<int> &order, SheetRule rule,
                                            QList<CuttingSheet> sheets, int sheetLimit)
    {
        for (int pieceIndex : order) {
            if (!place(pieceIndex, rule, sheets, sheets.size())) {
                if (sheets.size() >= sheetLimit)
                    return std::nullopt;
                sheets.append(CuttingSheet{});
                if (!placeOn(pieceIndex, m_turn, sheets.last(), int(sheets.size()) - 1)
                    && !placeOn(pieceIndex, Turn::Any, sheets.last(), int(sheets.size()) - 1))
                    return std::nullopt;
            }
        }
        return sheets;
    }

    // Places the piece on one of the first `count` sheets by the rule; false
    // when none of them takes it.
    bool place(int pieceIndex, SheetRule rule, QList<CuttingSheet> &sheets, qsizetype count)
    {
        const double sheetArea = m_width * m_height;
        const double area = m_pieces[pieceIndex].area;
        QList<int> candidates;
        for (int s = 0; s < count; ++s) {
            // A sheet without the area left cannot take the piece.
            if (sheets[s].usedArea + area <= sheetArea + 1e-9)
                candidates.append(s);
        }
        if (rule == SheetRule::Fullest) {
            std::stable_sort(candidates.begin(), candidates.end(), [&](int a, int b) {
                return sheets[a].usedArea > sheets[b].usedArea;
            });
        }
        for (int s : candidates) {
            if (placeOn(pieceIndex, m_turn, sheets[s], s))
                return true;
        }
        return false;
    }

    // Packs the pieces sheet by sheet: each fresh sheet gets the largest
    // piece left and then the set of other pieces that fills it most, found
    // depth first over the pieces left (largest first), each standing and
    // lying, with at most `searchesPerSheet` placement searches. A greedy
    // pass puts each piece on the sheet that suits it then; this finds
    // pieces that fill a sheet together, which a greedy pass misses when a
    // larger piece took the room first. None when more than `sheetLimit`
    // sheets are needed.
    std::optional<QList<CuttingSheet>> fill(QList<int> left, int sheetLimit, int searchesPerSheet)
    {
        std::stable_sort(left.begin(), left.end(),
                         [&](int a, int b) { return pieceArea(a) > pieceArea(b); });
        QList<CuttingSheet> sheets;
        while (!left.isEmpty()) {
            if (sheets.size() >= sheetLimit)
                return std::nullopt;
            const int sheetIndex = int(sheets.size());
            const QList<int> rest = left.mid(1);
            FillSearch search{CuttingSheet{}, searchesPerSheet};
            for (Turn turn : turnsOf(left.first())) {
                CuttingSheet fresh;
                if (placeOn(left.first(), turn, fresh, sheetIndex))
                    extend(search, fresh, rest, 0, sheetIndex);
            }
            if (search.best.placements.isEmpty())
                return std::nullopt;
            QSet<int> used;
            for (const PiecePlacement &placement : search.best.placements)
                used.insert(placement.pieceIndex);
            left.removeIf([&](int pieceIndex) { return used.contains(pieceIndex); });
            sheets.append(search.best);
        }
        return sheets;
    }

    double pieceArea(int pieceIndex) const { return m_pieces[pieceIndex].area; }
    const QList<Shape> &pieces() const { return m_pieces; }

private:
    struct Turns
    {
        QList<PieceOrientation> any;
        QList<PieceOrientation> standing;
        QList<PieceOrientation> lying;
        bool choice = false;
    };

    struct FillSearch
    {
        CuttingSheet best;
        int searchesLeft;
    };

    QList<Turn> turnsOf(int pieceIndex) const
    {
        if (m_orientations[pieceIndex].choice)
            return {Turn::Standing, Turn::Lying};
        return {Turn::Any};
    }

    // Tries the pieces of `rest` from `from` on, each standing and lying on
    // a copy of `sheet`, and goes deeper from every one that fits; the
    // fullest sheet seen becomes the search's best.
    void extend(FillSearch &search, const CuttingSheet &sheet, const QList<int> &rest, int from,
                int sheetIndex)
    {
        const double sheetArea = m_width * m_height;
        if (sheet.usedArea > search.best.usedArea)
            search.best = sheet;
        double smallest = std::numeric_limits<double>::max();
        for (int j = from; j < rest.size(); ++j)
            smallest = std::min(smallest, pieceArea(rest[j]));
        // Nothing left that could still fit.
        if (sheet.usedArea + smallest > sheetArea + 1e-9)
            return;
        QSet<QPair<qint64, qint64>> triedHere;
        for (int j = from; j < rest.size() && search.searchesLeft > 0; ++j) {
            const int pieceIndex = rest[j];
            if (sheet.usedArea + pieceArea(pieceIndex) > sheetArea + 1e-9)
                continue;
            // Pieces alike to the millimetre and square millimetre (the many
            // equal strips of a floor's edges) would mostly lead to the same
            // sheets; one of them is tried at each depth.
            const QRectF &b = m_pieces[pieceIndex].bounds;
            const QPair<qint64, qint64> key{qRound64(b.width() * 1000.0) * 100000
                                                + qRound64(b.height() * 1000.0),
                                            qRound64(pieceArea(pieceIndex) * 1e6)};
            if (triedHere.contains(key))
                continue;
            triedHere.insert(key);
            for (Turn turn : turnsOf(pieceIndex)) {
                if (search.searchesLeft <= 0)
                    break;
                --search.searchesLeft;
                CuttingSheet trial = sheet;
                if (!placeOn(pieceIndex, turn, trial, sheetIndex))
                    continue;
                extend(search, trial, rest, j + 1, sheetIndex);
                // A full sheet cannot be bettered.
                if (search.best.usedArea >= sheetArea - 1e-9)
                    return;
            }
        }
    }

    bool placeOn(int pieceIndex, Turn turn, CuttingSheet &sheet, int sheetIndex)
    {
        if (exhausted())
            throw BudgetExhausted{};
        checkCancellation();
        m_used += 1 + sheet.placements.size();
        m_vertices += m_vertexCounts[pieceIndex];
        for (const PiecePlacement &placed : sheet.placements)
            m_vertices += m_vertexCounts[placed.pieceIndex];
        report();
        const Turns &turns = m_orientations[pieceIndex];
        const QList<PieceOrientation> &orientations = turn == Turn::Standing ? turns.standing
            : turn == Turn::Lying                                            ? turns.lying
                                                                             : turns.any;
        const std::optional<ScoredPlacement> found =
            findBestPlacement(pieceIndex, orientations, m_width, m_height, sheet, sheetIndex,
                              nullptr, &m_cache);
        if (!found)
            return false;
        sheet.placements.append(found->placement);
        sheet.usedArea += m_pieces[pieceIndex].area;
        sheet.occupied = isNonEmpty(sheet.occupied)
            ? requiredResult(uniteShapes(sheet.occupied, found->placement.shape))
            : found->placement.shape;
        return true;
    }

    void report()
    {
        if (!m_progress || m_budget <= 0)
            return;
        const double fraction = std::min(
            1.0, std::max(double(m_used) / double(m_budget),
                          double(m_vertices) / double(std::max<qint64>(m_vertexBudget, 1))));
        if (fraction >= m_reported + 0.01) {
            m_reported = fraction;
            m_progress(fraction);
        }
    }

    const QList<Shape> &m_pieces;
    double m_width;
    double m_height;
    const std::function<void(double)> &m_progress;
    QList<Turns> m_orientations;
    PlacementSearchCache m_cache;
    QList<qint64> m_vertexCounts; // of each piece's rings
    Units m_used = 0;
    Units m_budget = budgetCap;
    qint64 m_vertices = 0;
    qint64 m_vertexBudget = vertexBudget;
    Turn m_turn = Turn::Any;
    double m_reported = 0.0;
};

// Piece orders, each a stable sort of the grid order by a key, largest
// first.
QList<int> orderBy(const QList<Shape> &pieces, const std::function<double(const Shape &)> &key)
{
    QList<double> keys;
    keys.reserve(pieces.size());
    for (const Shape &piece : pieces)
        keys.append(key(piece));
    QList<int> order(pieces.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] > keys[b]; });
    return order;
}

QList<QList<int>> pieceOrders(const QList<Shape> &pieces)
{
    const auto longer = [](const Shape &s) { return std::max(s.bounds.width(), s.bounds.height()); };
    const auto shorter = [](const Shape &s) { return std::min(s.bounds.width(), s.bounds.height()); };
    // Keys of equal size at the millimetre are ordered by area, so strips of
    // one width come largest first.
    const auto withArea = [](double length, const Shape &s) {
        return std::round(length * 1000.0) * 1e3 + s.area;
    };
    QList<QList<int>> orders;
    orders.append(orderBy(pieces, [](const Shape &s) { return s.area; }));
    orders.append(orderBy(pieces, [&](const Shape &s) { return withArea(shorter(s), s); }));
    orders.append(orderBy(pieces, [&](const Shape &s) { return withArea(longer(s), s); }));
    orders.append(orderBy(pieces, [&](const Shape &s) { return withArea(s.bounds.height(), s); }));
    orders.append(orderBy(pieces, [&](const Shape &s) { return withArea(s.bounds.width(), s); }));
    // Difficulty: pieces that fill their bounding rectangle badly leave
    // awkward space beside them, so they go first while sheets are empty.
    orders.append(orderBy(pieces, [](const Shape &s) {
        const double box = s.bounds.width() * s.bounds.height();
        return box - s.area + 0.25 * box;
    }));
    return orders;
}

// The indexes of the sheets, emptiest first; equal ones in opening order.
QList<int> emptiestFirst(const QList<CuttingSheet> &sheets)
{
    QList<int> order(sheets.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return sheets[a].usedArea < sheets[b].usedArea;
    });
    return order;
}

// Every group of `size` sheets among the first `pool` emptiest, in order.
void groupsOf(int size, int pool, int from, QList<int> &current, QList<QList<int>> &groups)
{
    if (current.size() == size) {
        groups.append(current);
        return;
    }
    for (int i = from; i < pool; ++i) {
        current.append(i);
        groupsOf(size, pool, i + 1, current, groups);
        current.removeLast();
    }
}

// Empties the sheets of `group` (indexes into `sheets`): their pieces go,
// largest first, into the holes of the other sheets, and what is left onto
// fewer fresh sheets than the group had. None when that fails.
std::optional<QList<CuttingSheet>> emptyGroup(ThoroughPacker &packer,
                                              const QList<CuttingSheet> &sheets,
                                              const QList<int> &group)
{
    QList<CuttingSheet> kept;
    QList<int> moving;
    for (int s = 0; s < sheets.size(); ++s) {
        if (group.contains(s)) {
            for (const PiecePlacement &placement : sheets[s].placements)
                moving.append(placement.pieceIndex);
        } else {
            kept.append(sheets[s]);
        }
    }
    std::stable_sort(moving.begin(), moving.end(), [&](int a, int b) {
        return packer.pieceArea(a) > packer.pieceArea(b);
    });
    const qsizetype keptCount = kept.size();
    QList<int> left;
    for (int pieceIndex : moving) {
        if (!packer.place(pieceIndex, SheetRule::Fullest, kept, keptCount))
            left.append(pieceIndex);
    }
    if (left.isEmpty())
        return kept;
    const int freshLimit = int(keptCount) + int(group.size()) - 1;
    if (freshLimit <= keptCount)
        return std::nullopt;
    // The pieces left are few: first the sheets they fill best, then the
    // orders of the passes.
    if (std::optional<QList<CuttingSheet>> filled =
            packer.fill(left, int(group.size()) - 1, searchesPerFilledSheet)) {
        kept.append(*filled);
        return kept;
    }
    QList<Shape> leftShapes;
    for (int pieceIndex : left)
        leftShapes.append(packer.pieces()[pieceIndex]);
    for (const QList<int> &localOrder : pieceOrders(leftShapes)) {
        QList<int> order;
        for (int i : localOrder)
            order.append(left[i]);
        std::optional<QList<CuttingSheet>> packed =
            packer.pack(order, SheetRule::Fullest, {}, int(group.size()) - 1);
        if (packed) {
            kept.append(*packed);
            return kept;
        }
    }
    return std::nullopt;
}

// Tries to save a sheet by emptying single sheets, then pairs, then
// triples among the emptiest. True when one was saved.
bool emptyOnce(ThoroughPacker &packer, QList<CuttingSheet> &sheets)
{
    const QList<int> emptiest = emptiestFirst(sheets);
    const int pool = int(std::min<qsizetype>(emptiestConsidered, sheets.size()));
    for (int size = 1; size <= largestGroupEmptied && size <= pool; ++size) {
        QList<QList<int>> groups;
        QList<int> current;
        groupsOf(size, pool, 0, current, groups);
        for (const QList<int> &ranks : groups) {
            QList<int> group;
            for (int rank : ranks)
                group.append(emptiest[rank]);
            if (std::optional<QList<CuttingSheet>> emptied = emptyGroup(packer, sheets, group)) {
                sheets = std::move(*emptied);
                return true;
            }
        }
    }
    return false;
}

// Refills the emptiest sheet together with another one: their pieces are
// packed again, the first sheet as full as the fill finds, the second with
// the rest. Taken when the emptier of the two comes out emptier than the
// emptiest was, so its pieces are fewer and smaller for the next attempt
// at emptying it. True when a pair was refilled.
bool exchangeOnce(ThoroughPacker &packer, QList<CuttingSheet> &sheets)
{
    const QList<int> emptiest = emptiestFirst(sheets);
    const int e = emptiest.first();
    for (qsizetype rank = emptiest.size() - 1; rank > 0; --rank) {
        const int other = emptiest[rank];
        QList<int> pieces;
        for (int s : {other, e}) {
            for (const PiecePlacement &placement : sheets[s].placements)
                pieces.append(placement.pieceIndex);
        }
        std::optional<QList<CuttingSheet>> refilled =
            packer.fill(pieces, 2, searchesPerFilledSheet);
        if (!refilled)
            continue;
        if (refilled->size() == 1) {
            sheets[other] = refilled->first();
            sheets.removeAt(e);
            return true;
        }
        const CuttingSheet &a = (*refilled)[0];
        const CuttingSheet &b = (*refilled)[1];
        const bool aFuller = a.usedArea >= b.usedArea;
        const CuttingSheet &emptier = aFuller ? b : a;
        if (emptier.usedArea < sheets[e].usedArea - 1e-6) {
            const CuttingSheet fuller = aFuller ? a : b;
            sheets[e] = emptier;
            sheets[other] = fuller;
            return true;
        }
    }
    return false;
}

// Empties sheets while that saves them, and between attempts refills the
// emptiest sheet with others to make it easier to empty. `sheets` changes
// only to a packing with fewer sheets, so it holds the best found when the
// budget runs out.
void emptySheets(ThoroughPacker &packer, QList<CuttingSheet> &sheets, int lowerBound)
{
    QList<CuttingSheet> work = sheets;
    int exchanges = 0;
    while (work.size() > lowerBound) {
        const qsizetype before = work.size();
        if (emptyOnce(packer, work)) {
            sheets = work;
            continue;
        }
        if (exchanges >= maximumExchanges || !exchangeOnce(packer, work))
            return;
        ++exchanges;
        if (work.size() < before)
            sheets = work;
    }
}

// Placements name the sheet that holds them.
void renumber(QList<CuttingSheet> &sheets)
{
    for (int s = 0; s < sheets.size(); ++s) {
        for (PiecePlacement &placement : sheets[s].placements)
            placement.sheetIndex = s;
    }
}

} // namespace

QList<CuttingSheet> nestCutPiecesThoroughly(const QList<Shape> &cutPieces, double sheetWidth,
                                            double sheetHeight,
                                            const QList<CuttingSheet> &standard,
                                            const std::function<void(double)> &progress,
                                            ThoroughNestingReport *report)
{
    // Each piece moved to start at the origin first: the nesting turns
    // pieces about the origin, and so the same pieces give the same
    // packing wherever the caller has them (a far drawing's cells lie in
    // its own large coordinates).
    QList<Shape> pieces;
    pieces.reserve(cutPieces.size());
    for (const Shape &piece : cutPieces)
        pieces.append(requiredResult(
            translatedShape(piece, -piece.bounds.left(), -piece.bounds.top())));

    ThoroughNestingReport facts;
    facts.standardSheets = int(standard.size());
    facts.lowerBound = rectangleSheetBound(pieces, sheetWidth, sheetHeight, boundSearchSteps);
    facts.sheets = facts.standardSheets;
    const auto finish = [&](QList<CuttingSheet> sheets) {
        if (report)
            *report = facts;
        if (progress)
            progress(1.0);
        return sheets;
    };
    if (standard.size() <= std::max(1, facts.lowerBound))
        return finish(standard);

    ThoroughPacker packer(pieces, sheetWidth, sheetHeight, progress);
    QList<CuttingSheet> best = standard;
    const auto record = [&](QList<CuttingSheet> sheets, int &improvement) {
        improvement += int(best.size() - sheets.size());
        best = std::move(sheets);
    };

    // The passes may spend most of the budget; emptying sheets, which
    // saves sheets the passes could not, always keeps its share.
    Units total = budgetCap;
    try {
        // Greedy passes in other orders and with the other sheet rule. A
        // pass stops as soon as it needs as many sheets as the best, so the
        // hopeless ones cost little. The first pass, run without that limit,
        // sets the budget.
        bool budgetSet = false;
        const auto pass = [&](const QList<int> &order, SheetRule rule, Turn turn) {
            if (best.size() <= facts.lowerBound)
                return;
            packer.setTurn(turn);
            const int limit = budgetSet ? int(best.size()) - 1 : int(pieces.size());
            std::optional<QList<CuttingSheet>> packed = packer.pack(order, rule, {}, limit);
            if (!budgetSet) {
                total = std::min(budgetCap, std::max<Units>(packer.used(), 1) * passesOfBudget);
                packer.setBudget(total * passShare / 100, vertexBudget * passShare / 100);
                budgetSet = true;
            }
            if (packed && packed->size() < best.size())
                record(std::move(*packed), facts.improvedByOrders);
        };
        const QList<QList<int>> orders = pieceOrders(pieces);
        const QList<Turn> turns = packer.turnsMatter()
            ? QList<Turn>{Turn::Standing, Turn::Any, Turn::Lying}
            : QList<Turn>{Turn::Any};
        pass(orders.first(), SheetRule::Fullest, turns.first());

        // Sheet by sheet, each filled as full as the search finds.
        if (best.size() > facts.lowerBound) {
            packer.setTurn(Turn::Any);
            QList<int> all(pieces.size());
            std::iota(all.begin(), all.end(), 0);
            std::optional<QList<CuttingSheet>> filled =
                packer.fill(all, int(best.size()) - 1, searchesPerFilledSheet);
            if (filled)
                record(std::move(*filled), facts.improvedByFilling);
        }

        for (Turn turn : turns) {
            for (const QList<int> &order : orders) {
                for (SheetRule rule : {SheetRule::Fullest, SheetRule::FirstOpened}) {
                    if (turn != turns.first() || &order != &orders.first()
                        || rule != SheetRule::Fullest)
                        pass(order, rule, turn);
                }
            }
        }
    } catch (const BudgetExhausted &) {
        // The best pass so far stands.
    }
    packer.setBudget(total, vertexBudget);
    packer.setTurn(Turn::Any);
    QList<CuttingSheet> emptied = best;
    try {
        // Then sheets of the best packing are emptied into the others.
        emptySheets(packer, emptied, facts.lowerBound);
    } catch (const BudgetExhausted &) {
        // `emptied` holds the fewest sheets reached.
    }
    if (emptied.size() < best.size())
        record(std::move(emptied), facts.improvedByRepacking);

    facts.searchesUsed = int(std::min<Units>(packer.used(), std::numeric_limits<int>::max()));
    if (best.size() >= standard.size())
        return finish(standard);
    renumber(best);
    facts.sheets = int(best.size());
    return finish(best);
}

} // namespace tallero
