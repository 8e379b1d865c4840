#include "engine/placementsearch.h"
#include "engine/plancontrol.h"

#include "engine/internal/placementcandidates.h"
#include "engine/internal/requiredresult.h"
#include "engine/internal/searchfacts.h"
#include "engine/internal/shapetransform.h"
#include "geometry/convexhull.h"
#include "geometry/ring.h"
#include "geometry/shapeops.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <limits>

// The fast search returns exactly what findBestPlacementReference returns.
// That one keeps the first candidate, in orientation and list order, with the
// smallest score: the minimum of (score, orientation, position). Any order of
// evaluation finds that minimum if it compares the same triple, so the
// candidates here are taken in the order of a lower bound of their score
// worked out from bounding boxes alone, and the search stops at the first
// candidate whose bound cannot beat the best found. Components are computed
// one at a time, cheapest first, and a candidate is dropped as soon as what
// is known of it cannot win. Every shortcut is taken only where it provably
// gives the engine's own answer; the margins below are far above the
// engine's rounding and far below anything a score can tell apart.

namespace tallero {

namespace {

using namespace searchtolerance;

constexpr double unbounded = -std::numeric_limits<double>::infinity();
// How far the engine's union area, hull area and bounds may lie from the
// same figures worked out from the two shapes apart. They differ by the
// roundings of sums of coordinate products on a sheet: over 16,000 unions
// of the benchmark drawings with 2.44 x 1.22 and 2.0 x 1.2 m sheets, the
// largest difference was 2.7e-15 m² (a few roundings), so this margin
// leaves a factor of several hundred. Score components are kept to 1e-10,
// and a component this close to a rounding edge needs the engine's union:
// on the tab strip that is one candidate in about 27 of those that reach
// the figures, against one in 13 with a margin of 1e-11.
constexpr double areaCertainty = 1e-12;
constexpr double lengthCertainty = 1e-12;

struct CandidateOrder
{
    int orientation = 0;
    qint64 position = 0;
};

// (a, order a) strictly before (b, order b), lexicographically.
bool ranksBefore(const PlacementScore &a, CandidateOrder orderA, const PlacementScore &b,
                 CandidateOrder orderB)
{
    for (std::size_t rank = 0; rank < a.values.size(); ++rank) {
        if (a.values[rank] != b.values[rank])
            return a.values[rank] < b.values[rank];
    }
    if (orderA.orientation != orderB.orientation)
        return orderA.orientation < orderB.orientation;
    return orderA.position < orderB.position;
}

struct Candidate
{
    CandidateOrder order;
    double x = 0.0;
    double y = 0.0;
    QRectF bounds;            // of the placed piece, when its orientation is exact
    PlacementScore lowest;    // no score of this candidate is smaller
};

struct Best
{
    CandidateOrder order;
    double x = 0.0;
    double y = 0.0;
    PlacementScore score;
};

// Whether a candidate may be admissible at all, from the placed piece's
// bounds and the occupied shape's, before any engine call: false when it is
// known not to be.
bool mayBeAdmissible(const Candidate &candidate, const OrientationFacts &facts,
                     const SheetFacts &sheet)
{
    const QRectF &placed = candidate.bounds;
    if (!insideSheet(placed, sheet.width, sheet.height))
        return false;
    // Two shapes whose areas exceed their common box by more than a tolerated
    // overlap must overlap; only valid shapes, for which the engine's
    // intersection cannot fail, are judged this way.
    if (!sheet.scoring.occupiedNonEmpty || !facts.valid || !sheet.occupiedValid)
        return true;
    const double contents = facts.piece.shape().area + sheet.occupiedArea;
    return contents - boxArea(boxUnion(placed, sheet.occupiedBounds))
        <= sheet.overlapAllowance + areaMargin;
}

// Lower bounds of the score of an admissible candidate from the same
// bounds.
void boundCandidate(Candidate &candidate, const OrientationFacts &facts, const SheetFacts &sheet)
{
    const QRectF &placed = candidate.bounds;
    const double pieceArea = facts.piece.shape().area;
    const bool occupied = sheet.scoring.occupiedNonEmpty;
    const QRectF united = occupied ? boxUnion(placed, sheet.occupiedBounds) : placed;
    const double unitedBox = boxArea(united);
    const double contents = pieceArea + sheet.occupiedArea;

    const bool noEdgeContact = placed.left() > lengthMargin && placed.top() > lengthMargin
        && placed.right() < sheet.width - lengthMargin
        && placed.bottom() < sheet.height - lengthMargin;
    const bool noPieceContact = !occupied || separated(placed, sheet.occupiedBounds);
    // The placed piece's boundary holds every contact, so neither contact is
    // longer than its perimeter.
    const double contact = noEdgeContact && noPieceContact
        ? -(0.25 * 0.0 + 0.0)
        : -1.25 * facts.piece.perimeter() * (1.0 + 1e-6) - lengthMargin;
    // The content's bounds are the candidate's box exactly when the sheet is
    // empty; otherwise the union's vertices may sit a rounding off the boxes.
    const double extentMargin = occupied ? lengthMargin : 0.0;

    // In the order of scorerank.
    candidate.lowest.values = {
        std::max(unitedBox - contents - areaMargin, 0.0),
        0.0,
        std::max(unitedBox - sheet.scoring.previousBoundingArea - (occupied ? areaMargin : 0.0),
                 0.0),
        united.bottom() - extentMargin,
        united.right() - extentMargin,
        contact,
        candidate.y,
        candidate.x,
    };
    for (double &value : candidate.lowest.values)
        value = roundScoreComponent(value);
}

// A piece fills its sheet region too much to leave room when, even allowing
// the tolerated overlap, the two areas exceed the box that holds them both.
bool noRoomOnSheet(const OrientationFacts &facts, const SheetFacts &sheet)
{
    if (!sheet.scoring.occupiedNonEmpty || !facts.valid || !sheet.occupiedValid)
        return false;
    const double reach = eps + lengthMargin;
    const QRectF region(-reach, -reach, sheet.width + 2.0 * reach, sheet.height + 2.0 * reach);
    const double holder = boxArea(boxUnion(region, sheet.occupiedBounds));
    return facts.piece.shape().area + sheet.occupiedArea - sheet.overlapAllowance - holder
        > areaMargin;
}

// A probe of the piece deep inside a cell the occupied shape covers with room
// to spare proves the same overlap the evaluation's probe test proves, at
// the cost of a table look-up; such candidates never enter the queue.
// `probes` are the piece's, or null when the deep cells cannot be asked:
// for a piece or a sheet whose shape is not exact or valid.
const OrientationFacts::ProbeCoordinates *deepCellProbes(const OrientationFacts &facts,
                                                         const SheetFacts &sheet)
{
    if (!facts.piece.isExact() || !sheet.scoring.occupiedNonEmpty || !facts.valid
        || !sheet.occupiedValid)
        return nullptr;
    return &facts.probeCoordinates();
}

bool overlapsDeepCell(const Candidate &candidate,
                      const OrientationFacts::ProbeCoordinates *deepProbes,
                      const SheetFacts &sheet)
{
    if (!deepProbes || separated(candidate.bounds, sheet.occupiedBounds))
        return false;
    // The cells of the translated probes, column by column, from their few
    // distinct coordinates: each row is placed on the grid when first needed
    // (a bit of `placed` says which), and a cell just found shallow is not
    // asked again.
    const OrientationFacts::ProbeCoordinates &probes = *deepProbes;
    std::array<int, interiorProbeGrid> rows;
    static_assert(interiorProbeGrid <= 32);
    if (probes.ys.size() > rows.size())
        return false;
    std::uint32_t placed = 0;
    for (std::size_t i = 0; i < probes.xs.size(); ++i) {
        const int column = sheet.deepColumn(probes.xs[i] + candidate.x);
        if (column < 0)
            continue;
        int lastRow = -2;
        for (int k = probes.rowsFrom[i]; k < probes.rowsFrom[i + 1]; ++k) {
            const int yIndex = probes.rows[std::size_t(k)];
            const std::uint32_t bit = std::uint32_t(1) << yIndex;
            if (!(placed & bit)) {
                rows[std::size_t(yIndex)] =
                    sheet.deepRow(probes.ys[std::size_t(yIndex)] + candidate.y);
                placed |= bit;
            }
            const int row = rows[std::size_t(yIndex)];
            if (row == lastRow)
                continue;
            if (sheet.deepCell(column, row))
                return true;
            lastRow = row;
        }
    }
    return false;
}

std::vector<Candidate> collectCandidates(const QList<PieceOrientation> &orientations,
                                   const QList<std::shared_ptr<const OrientationFacts>> &facts,
                                   const SheetFacts &sheet, const CuttingSheet &cuttingSheet,
                                   PlacementSearchStatistics &counts)
{
    std::vector<Candidate> candidates;
    for (int o = 0; o < orientations.size(); ++o) {
        const PieceOrientation &orientation = orientations[o];
        if (noRoomOnSheet(*facts[o], sheet))
            continue;
        const double pw = orientation.shape.bounds.width();
        const double ph = orientation.shape.bounds.height();
        const DistinctOffsets offsets(orientation, sheet.width, sheet.height, cuttingSheet,
                                      sheet.references);
        counts.candidates += int(offsets.generated());
        counts.distinct += int(offsets.distinct());
        const OrientationFacts::ProbeCoordinates *deepProbes = deepCellProbes(*facts[o], sheet);
        offsets.forEach([&](const QPointF &offset, qint64 position) {
            Candidate candidate;
            candidate.order = {o, position};
            candidate.x = offset.x();
            candidate.y = offset.y();
            if (candidate.x > sheet.width - pw + eps || candidate.y > sheet.height - ph + eps)
                return;
            if (facts[o]->piece.isExact()) {
                candidate.bounds = facts[o]->piece.boundsAt(candidate.x, candidate.y);
                if (!mayBeAdmissible(candidate, *facts[o], sheet)
                    || overlapsDeepCell(candidate, deepProbes, sheet))
                    return;
                boundCandidate(candidate, *facts[o], sheet);
            } else {
                candidate.lowest.values.fill(unbounded);
            }
            candidates.push_back(candidate);
        });
    }
    return candidates;
}

class CandidateEvaluation
{
public:
    CandidateEvaluation(const Candidate &candidate, const PieceOrientation &orientation,
                        const OrientationFacts &facts, const SheetFacts &sheet)
        : m_candidate(candidate), m_orientation(orientation), m_facts(facts), m_sheet(sheet)
    {
    }

    // The candidate's full score if it beats `best`, else nothing.
    std::optional<PlacementScore> scoreIfBetter(const std::optional<Best> &best)
    {
        if (provenOverlap())
            return std::nullopt;
        if (!placePiece())
            return std::nullopt;
        const ScoringSheet &scoring = m_sheet.scoring;
        const ContactShortcuts shortcuts{
            !(m_bounds.left() <= lengthMargin || m_bounds.top() <= lengthMargin
              || m_bounds.right() >= m_sheet.width - lengthMargin
              || m_bounds.bottom() >= m_sheet.height - lengthMargin),
            !scoring.occupiedNonEmpty || separated(m_bounds, m_sheet.occupiedBounds)};
        // A candidate that cannot win whatever it overlaps is dropped before
        // the engine measures the overlap, the costliest test of all.
        std::optional<double> knownContact;
        double overlapArea = 0.0;
        if (scoring.occupiedNonEmpty) {
            std::optional<PlacementScore> lowest = scoreBeforeOverlap();
            if (lowest && !canBeat(*lowest, best))
                return std::nullopt;
            const Overlap overlap = overlapBeforeMeasure();
            if (overlap == Overlap::Proven)
                return std::nullopt;
            if (overlap == Overlap::Unknown) {
                // Most candidates that get this far lose on the contact,
                // which does not depend on the overlap; every component
                // before it is at or below its value in `lowest`.
                if (lowest) {
                    if (const std::optional<double> measured = measuredContact(shortcuts)) {
                        knownContact = roundScoreComponent(*measured);
                        lowest->values[scorerank::contact] = *knownContact;
                        if (!canBeat(*lowest, best))
                            return std::nullopt;
                    }
                }
                if (measuredOverlap(overlapArea))
                    return std::nullopt;
            }
        }

        std::optional<PlacementScore> score;
        if (scoring.occupiedNonEmpty) {
            if (const std::optional<UnionFigures> &figures = unionFigures()) {
                bool exact = false;
                PlacementScore figured = scoreFromFigures(*figures, overlapArea, exact);
                // Uncertain components are at their lower ends: a candidate
                // that loses even so needs no union.
                if (!canBeat(figured, best))
                    return std::nullopt;
                if (exact) {
                    score = figured;
                } else {
                    // Only the union settles the uncertain components. The
                    // contact, which ranks after them, costs less and often
                    // shows first that the candidate loses even at their
                    // lower ends; every other component is at or below its
                    // value, so the candidate loses with its true score too.
                    if (!knownContact)
                        knownContact = roundScoreComponent(contact(shortcuts));
                    figured.values[scorerank::contact] = *knownContact;
                    if (!canBeat(figured, best))
                        return std::nullopt;
                }
            }
        }
        if (!score)
            score = scoreFromUnion();
        if (shortcuts.noEdgeContact && shortcuts.noPieceContact)
            score->values[scorerank::contact] = roundScoreComponent(-(0.25 * 0.0 + 0.0));
        if (!canBeat(*score, best))
            return std::nullopt;
        // The hull waste is left at zero by scoreFromUnion until the
        // candidate has shown it can win without it.
        if (m_united.geometry) {
            score->values[scorerank::hullWaste] = unitedHullWaste();
            if (!canBeat(*score, best))
                return std::nullopt;
        }
        score->values[scorerank::contact] =
            knownContact ? *knownContact : roundScoreComponent(contact(shortcuts));
        if (!canBeat(*score, best))
            return std::nullopt;
        return score;
    }

private:
    bool canBeat(const PlacementScore &lowest, const std::optional<Best> &best) const
    {
        return !best || ranksBefore(lowest, m_candidate.order, best->score, best->order);
    }

    // A point deep inside both shapes proves an overlap the engine would
    // measure as one; valid shapes only, so the engine could not fail.
    bool provenOverlap() const
    {
        if (!m_facts.piece.isExact() || !m_sheet.scoring.occupiedNonEmpty || !m_facts.valid
            || !m_sheet.occupiedValid || separated(m_candidate.bounds, m_sheet.occupiedBounds))
            return false;
        const QPointF offset(m_candidate.x, m_candidate.y);
        // The occupied shape is the union of the placed pieces, so a disc
        // inside it lies, but for a rounding, inside one of them or across
        // two or more. Probes are looked for in the pieces the candidate
        // reaches into, first in the piece's own few rings, and only those
        // inside one are tested against the whole occupied shape. (Leaving
        // a probe out can only leave an overlap to the engine to measure,
        // never change the answer; a disc across pieces is left so.)
        struct Reach
        {
            QRectF box;   // in the candidate's own coordinates
            int piece;
        };
        QVarLengthArray<Reach, 16> reaches;
        double widest = 0.0;
        const QRectF &bounds = m_candidate.bounds;
        for (int i = 0; i < m_sheet.placedCount(); ++i) {
            if (separated(bounds, m_sheet.placedBounds(i)))
                continue;
            // Each ring's box apart: the parts of a piece cut in two leave
            // a gap between them.
            for (const QRectF &other : m_sheet.placedRingBounds(i)) {
                const double left = std::max(bounds.left(), other.left());
                const double right = std::min(bounds.right(), other.right());
                const double top = std::max(bounds.top(), other.top());
                const double bottom = std::min(bounds.bottom(), other.bottom());
                const double across = std::min(right - left, bottom - top);
                if (across > 2.0 * edgeProbeClearance) {
                    reaches.append({QRectF(left - offset.x(), top - offset.y(), right - left,
                                           bottom - top),
                                    i});
                    widest = std::max(widest, across);
                }
            }
        }
        const RingIndex &occupied = m_sheet.occupiedIndex();
        const auto proves = [&](const Reach &reach, const QPointF &probe, double clearance) {
            const QRectF &box = reach.box;
            if (probe.x() < box.left() || probe.x() > box.right() || probe.y() < box.top()
                || probe.y() > box.bottom())
                return false;
            const QPointF point = probe + offset;
            return m_sheet.placedIndex(reach.piece).containsWithClearance(point, clearance)
                && occupied.containsWithClearance(point, clearance);
        };
        if (widest > 2.0 * probeClearance) {
            for (const QPointF &probe : m_facts.probes()) {
                for (const Reach &reach : reaches) {
                    if (proves(reach, probe, probeClearance + lengthMargin))
                        return true;
                }
            }
        }
        // Two traced edges that run into each other overlap in a strip a
        // few millimetres wide, which only probes along the edges find.
        const std::vector<QPointF> &edgeProbes = m_facts.edgeProbes();
        for (const Reach &reach : reaches) {
            for (const QPointF &probe : edgeProbes) {
                if (proves(reach, probe, edgeProbeClearance + lengthMargin))
                    return true;
            }
        }
        return false;
    }

    bool placePiece()
    {
        if (m_facts.piece.isExact()) {
            m_geometry = m_facts.piece.geometryAt(m_candidate.x, m_candidate.y);
            m_bounds = m_candidate.bounds;
            return bool(m_geometry);
        }
        const Shape placed = transformShape(
            m_orientation.shape, QTransform::fromTranslate(m_candidate.x, m_candidate.y));
        m_geometry = placed.geometry;
        m_bounds = placed.bounds;
        return m_geometry && insideSheet(m_bounds, m_sheet.width, m_sheet.height);
    }

    // What is known of the piece's overlap with the occupied shape before
    // the engine measures it: none at all, one above the tolerance, or only
    // the measure can tell.
    enum class Overlap { None, Proven, Unknown };
    Overlap overlapBeforeMeasure() const
    {
        // Disjoint boxes have an empty intersection; the engine returns it
        // without any computation.
        if (separated(m_bounds, m_sheet.occupiedBounds))
            return Overlap::None;
        // Shapes that do not meet have an empty intersection, whatever the
        // engine's overlay would make of them.
        if (!m_sheet.preparedOccupied().mayIntersect(m_geometry.get()))
            return Overlap::None;
        return overlapsPlacedPiece() ? Overlap::Proven : Overlap::Unknown;
    }

    // True when the engine measures an overlap above the tolerance;
    // otherwise `overlapArea` is the area the piece shares with the occupied
    // shape.
    bool measuredOverlap(double &overlapArea) const
    {
        // A failed intersection is an error, not a free position.
        const Shape common = requiredResult(
            intersectGeometries(m_geometry.get(), m_sheet.scoring.occupied.geometry.get()));
        overlapArea = common.area;
        return isNonEmpty(common);
    }

    // The contact component. The piece's contact with the other pieces is
    // measured against the runs of the occupied boundary near the piece,
    // which hold all of it; the sum may differ from the whole measure by the
    // order of its additions, far below lengthCertainty, so it stands when
    // both ends of that margin round alike, and the whole is measured when
    // they do not.
    double contact(ContactShortcuts shortcuts) const
    {
        if (const std::optional<double> value = measuredContact(shortcuts))
            return *value;
        return contactComponent(m_geometry.get(), m_sheet.scoring, shortcuts);
    }

    // The contact measured against the runs of the occupied boundary near
    // the piece, or nothing when only the whole measure settles it. Never
    // throws, so it may be asked before the piece is known not to overlap.
    std::optional<double> measuredContact(ContactShortcuts shortcuts) const
    {
        const ScoringSheet &scoring = m_sheet.scoring;
        if (shortcuts.noEdgeContact && shortcuts.noPieceContact)
            return -(0.25 * 0.0 + 0.0);
        const bool wantPieceContact = !shortcuts.noPieceContact && scoring.occupiedNonEmpty;
        const ChunkedLines *runs = wantPieceContact ? &m_sheet.occupiedBoundaryRuns() : nullptr;
        if (!runs || !runs->isUsable())
            return std::nullopt;
        const GeometryHandle boundary = geometryBoundary(m_geometry.get());
        if (!boundary)
            return std::nullopt;
        double edgeContact = 0.0;
        if (!shortcuts.noEdgeContact && scoring.sheetBoundary) {
            const std::optional<double> length =
                intersectionLength(boundary.get(), scoring.sheetBoundary.get());
            if (!length)
                return std::nullopt;
            edgeContact = *length;
        }
        const QRectF near = m_bounds.adjusted(-lengthMargin, -lengthMargin, lengthMargin,
                                              lengthMargin);
        const std::optional<double> pieceContact = runs->sharedLength(
            boundary.get(), near, m_facts.valid && m_sheet.occupiedValid);
        if (!pieceContact)
            return std::nullopt;
        const double value = -(0.25 * edgeContact + *pieceContact);
        if (roundScoreComponent(value - lengthCertainty)
            != roundScoreComponent(value + lengthCertainty))
            return std::nullopt;
        return value;
    }

    // True when the piece overlaps one of the pieces on the sheet by so much
    // more than the tolerance that its overlap with the occupied shape is
    // above the tolerance too: when the engine confirms that the occupied
    // shape covers that piece, or when what the piece shares with it is more
    // than the part of it outside the occupied shape. The margins dwarf the
    // engine's rounding of the union's vertices. Measured against a few small
    // pieces instead of the whole occupied shape.
    bool overlapsPlacedPiece() const
    {
        constexpr double areaSurplus = 1e-10;
        constexpr double extentSurplus = 4.0 * lengthMargin;
        // The pieces whose bounds the piece reaches furthest into first: an
        // overlap, if there is one, is most likely found there.
        // What the piece shares with another lies in both boxes, but for the
        // rounding of the coordinates: a piece that reaches too little into
        // another's box to share more than eps with it (the tolerated overlap
        // is larger) is not asked about.
        std::vector<std::pair<double, int>> near;
        for (int i = 0; i < m_sheet.placedCount(); ++i) {
            const QRectF &other = m_sheet.placedBounds(i);
            if (separated(m_bounds, other))
                continue;
            const double width = std::min(m_bounds.right(), other.right())
                - std::max(m_bounds.left(), other.left()) + 2.0 * lengthMargin;
            const double height = std::min(m_bounds.bottom(), other.bottom())
                - std::max(m_bounds.top(), other.top()) + 2.0 * lengthMargin;
            if (width > eps + extentSurplus && height > eps + extentSurplus
                && width * height > eps + areaSurplus)
                near.emplace_back(-width * height, i);
        }
        std::sort(near.begin(), near.end());
        const QRectF box = m_bounds.adjusted(-lengthMargin, -lengthMargin, lengthMargin,
                                             lengthMargin);
        for (const auto &[reach, i] : near) {
            // What the piece shares with another lies in the part of that
            // one inside its box, whose area is at most that of its rings
            // inside the box (holes only take area away). A part too small
            // to share an overlap (between the parts of a piece cut in two,
            // or in the notch of an L) needs no overlay. The margin dwarfs
            // the rounding of the clipping.
            double within = 0.0;
            for (const QPolygonF &ring : m_sheet.placedRings(i))
                within += ringAreaWithin(ring, box);
            if (within + 1e-12 <= eps + areaSurplus)
                continue;
            const std::optional<Shape> common =
                intersectGeometries(m_geometry.get(), m_sheet.placedGeometry(i));
            if (!common || !common->geometry)
                continue;
            if (common->area > eps + areaSurplus && common->bounds.width() > eps + extentSurplus
                && common->bounds.height() > eps + extentSurplus && m_sheet.coveredPiece(i))
                return true;
            // Of a piece the occupied shape may not wholly cover, the part
            // outside it is taken off; what is left is shared with the
            // occupied shape. An area above the tolerated overlap is, within
            // the sheet, more than 1e-7 wide and high too.
            if (common->area > m_sheet.overlapAllowance + areaSurplus) {
                const std::optional<double> uncovered = m_sheet.uncoveredArea(i);
                if (uncovered && common->area - *uncovered > m_sheet.overlapAllowance + areaSurplus)
                    return true;
            }
        }
        return false;
    }

    // The union's figures worked out from the two shapes apart: the union's
    // bounds are both bounds, its hull the hull of both hulls, and its area
    // both areas less the shared one; the engine's own figures for them
    // differ from these by rounding only, far below the certainties.
    struct UnionFigures
    {
        double placedArea = 0.0;
        QRectF box;
        double hullArea = 0.0;
    };

    const std::optional<UnionFigures> &unionFigures()
    {
        if (m_figuresKnown)
            return m_figures;
        m_figuresKnown = true;
        const std::optional<double> placedArea = geometryArea(m_geometry.get());
        if (!placedArea)
            return m_figures;
        // The engine's coordinates of the placed piece, which its bounds
        // (taken before the ten-decimal rounding) may miss by 5e-11.
        QList<Polygon> polygons;
        collectPolygons(m_geometry.get(), polygons);
        std::vector<QPointF> corners = m_sheet.occupiedHull();
        for (const Polygon &polygon : polygons) {
            if (!polygon.isEmpty())
                corners.insert(corners.end(), polygon.first().begin(), polygon.first().end());
        }
        const std::optional<QRectF> placedBox = exteriorBounds(polygons);
        const std::optional<QRectF> &occupiedBox = m_sheet.occupiedGeometryBounds();
        if (!placedBox || !occupiedBox)
            return m_figures;
        m_figures = UnionFigures{
            *placedArea,
            boxUnion(*placedBox, *occupiedBox),
            convexHullArea(convexHullPoints(std::move(corners)))};
        return m_figures;
    }

    // The first five components as the engine's union would give them, for
    // a shared area of `overlapArea`, and the rest at their lower bounds. A
    // component is certain when both ends of its margin round to the same
    // value; one that is not is given the lower end, so the result is a
    // lower bound of the score, and `exact` says whether it is the score.
    PlacementScore scoreFromFigures(const UnionFigures &figures, double overlapArea,
                                    bool &exact) const
    {
        const ScoringSheet &scoring = m_sheet.scoring;
        const double unionArea = scoring.occupied.area + figures.placedArea - overlapArea;
        exact = true;
        const auto certain = [&exact](double value, double certainty) {
            const double low = roundScoreComponent(value - certainty);
            if (low != roundScoreComponent(value + certainty))
                exact = false;
            return low;
        };
        static_assert(scorerank::boundingWaste == 0 && scorerank::hullWaste == 1
                      && scorerank::boundingGrowth == 2 && scorerank::upperExtent == 3
                      && scorerank::rightExtent == 4);
        PlacementScore score = m_candidate.lowest;
        score.values[scorerank::boundingWaste] =
            certain(std::max(boxArea(figures.box) - unionArea, 0.0), areaCertainty);
        score.values[scorerank::hullWaste] =
            certain(std::max(figures.hullArea - unionArea, 0.0), areaCertainty);
        score.values[scorerank::boundingGrowth] = certain(
            std::max(boxArea(figures.box) - scoring.previousBoundingArea, 0.0), areaCertainty);
        score.values[scorerank::upperExtent] = certain(figures.box.bottom(), lengthCertainty);
        score.values[scorerank::rightExtent] = certain(figures.box.right(), lengthCertainty);
        score.values[scorerank::offsetY] = roundScoreComponent(m_candidate.y);
        score.values[scorerank::offsetX] = roundScoreComponent(m_candidate.x);
        return score;
    }

    // A lower bound of the score whatever area the piece shares with the
    // occupied shape: sharing none makes the union largest and both wastes
    // smallest. Nothing when the figures are not known.
    std::optional<PlacementScore> scoreBeforeOverlap()
    {
        const std::optional<UnionFigures> &figures = unionFigures();
        if (!figures)
            return std::nullopt;
        bool exact = false;
        return scoreFromFigures(*figures, 0.0, exact);
    }

    // The score from the engine's union of the piece and the occupied shape,
    // kept for the hull waste (the hull waste at zero and the contact at its
    // lower bound).
    PlacementScore scoreFromUnion()
    {
        const ScoringSheet &scoring = m_sheet.scoring;
        Shape united;
        if (scoring.occupiedNonEmpty) {
            united = requiredResult(uniteGeometries(scoring.occupied.geometry.get(), m_geometry.get()));
        } else {
            // The placed shape itself: the bounds of its path, the engine's
            // area of its geometry.
            united.geometry = m_geometry;
            united.bounds = m_bounds;
            united.area = requiredResult(geometryArea(m_geometry.get()));
        }
        PlacementScore score = m_candidate.lowest;
        score.values[scorerank::boundingWaste] = boundingWaste(united);
        score.values[scorerank::hullWaste] = 0.0;
        score.values[scorerank::boundingGrowth] = boundingGrowth(united, scoring);
        score.values[scorerank::upperExtent] = united.bounds.bottom();
        score.values[scorerank::rightExtent] = united.bounds.right();
        score.values[scorerank::offsetY] = m_candidate.y;
        score.values[scorerank::offsetX] = m_candidate.x;
        for (std::size_t rank : {scorerank::boundingWaste, scorerank::boundingGrowth,
                                 scorerank::upperExtent, scorerank::rightExtent,
                                 scorerank::offsetY, scorerank::offsetX})
            score.values[rank] = roundScoreComponent(score.values[rank]);
        m_united = std::move(united);
        return score;
    }

    // The hull waste of the engine's union, rounded. The hull of the union is
    // the hull of both hulls, already known when the union's figures are: its
    // area differs from the engine's by rounding only, far below the
    // certainty, so the engine's hull is needed only when the rounded value
    // is in doubt.
    double unitedHullWaste() const
    {
        if (m_figuresKnown && m_figures) {
            const double waste = std::max(m_figures->hullArea - m_united.area, 0.0);
            const double rounded = roundScoreComponent(waste - areaCertainty);
            if (rounded == roundScoreComponent(waste + areaCertainty))
                return rounded;
        }
        return roundScoreComponent(hullWaste(m_united));
    }

    const Candidate &m_candidate;
    const PieceOrientation &m_orientation;
    const OrientationFacts &m_facts;
    const SheetFacts &m_sheet;
    GeometryHandle m_geometry;
    QRectF m_bounds;
    Shape m_united;
    std::optional<UnionFigures> m_figures;
    bool m_figuresKnown = false;
};

} // namespace

std::optional<ScoredPlacement> findBestPlacement(int pieceIndex,
                                                 const QList<PieceOrientation> &orientations,
                                                 double sheetWidth, double sheetHeight,
                                                 const CuttingSheet &sheet, int sheetIndex,
                                                 PlacementSearchStatistics *statistics,
                                                 PlacementSearchCache *cache)
{
    PlacementSearchStatistics counts;
    PlacementSearchCache ownCache;
    PlacementSearchCache &facts = cache ? *cache : ownCache;
    const std::shared_ptr<const SheetFacts> sheetFacts =
        facts.sheetFacts(sheetWidth, sheetHeight, sheet);
    QList<std::shared_ptr<const OrientationFacts>> orientationFacts;
    for (const PieceOrientation &orientation : orientations)
        orientationFacts.append(facts.orientationFacts(orientation));

    std::vector<Candidate> candidates =
        collectCandidates(orientations, orientationFacts, *sheetFacts, sheet, counts);
    // Candidates come off a heap, lowest bound first. The search usually
    // stops after a few of thousands, so a full sort would be wasted; the
    // order taken is the sorted order all the same, since no two candidates
    // rank equal (their orientation and position differ). The heap holds
    // their indexes, which move far faster than the candidates, with their
    // first components, which tell most of them apart.
    struct Queued
    {
        double first;
        std::uint32_t index;
    };
    std::vector<Queued> queue;
    queue.reserve(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        queue.push_back({candidates[i].lowest.values[0], std::uint32_t(i)});
    const auto after = [&candidates](const Queued &a, const Queued &b) {
        if (a.first != b.first)
            return b.first < a.first;
        const Candidate &ca = candidates[a.index];
        const Candidate &cb = candidates[b.index];
        return ranksBefore(cb.lowest, cb.order, ca.lowest, ca.order);
    };
    std::make_heap(queue.begin(), queue.end(), after);

    std::optional<Best> best;
    for (auto end = queue.end(); end != queue.begin(); --end) {
        std::pop_heap(queue.begin(), end, after);
        const Candidate &candidate = candidates[(end - 1)->index];
        // Taken by lower bound: once one cannot win, none after it can.
        if (best && !ranksBefore(candidate.lowest, candidate.order, best->score, best->order))
            break;
        checkCancellation();
        const int o = candidate.order.orientation;
        CandidateEvaluation evaluation(candidate, orientations[o], *orientationFacts[o],
                                       *sheetFacts);
        ++counts.scored;
        if (std::optional<PlacementScore> score = evaluation.scoreIfBetter(best))
            best = Best{candidate.order, candidate.x, candidate.y, *score};
    }
    if (statistics)
        *statistics = counts;
    if (!best)
        return std::nullopt;

    const PieceOrientation &winner = orientations[best->order.orientation];
    const Shape placed =
        transformShape(winner.shape, QTransform::fromTranslate(best->x, best->y));
    return ScoredPlacement{
        PiecePlacement{pieceIndex, sheetIndex, placed, best->x, best->y, winner.angle},
        best->score};
}

} // namespace tallero
