#pragma once

#include "engine/cuttingplan.h"

#include <QList>
#include <QPointF>

#include <array>
#include <optional>

namespace tallero {

// One admissible rotation of a cut piece: the rotated piece moved so that its
// bounding rectangle starts at (0, 0), and the vertices used as anchors when
// the piece is slid against others.
struct PieceOrientation
{
    Shape shape;
    double angle = 0.0;
    QList<QPointF> anchors;
};

// Where each component of a placement score sits, in the order components
// are compared.
namespace scorerank {
enum : std::size_t {
    boundingWaste,
    hullWaste,
    boundingGrowth,
    upperExtent,
    rightExtent,
    contact,   // negative: more contact is better
    offsetY,
    offsetX,
    count
};
} // namespace scorerank

// The components, each rounded to 1e-10, compared lexicographically; smaller
// is better.
struct PlacementScore
{
    std::array<double, scorerank::count> values{};
};

bool operator<(const PlacementScore &a, const PlacementScore &b);

struct ScoredPlacement
{
    PiecePlacement placement;
    PlacementScore score;
};

// The fast search gives exactly the plain one's placements; the plain one
// stays available as the yardstick to check that against.
enum class PlacementSearchMode { Fast, Reference };

// What a search did, for measuring it and for tests that check how much work
// the search avoids.
struct PlacementSearchStatistics
{
    int candidates = 0;    // candidate offsets generated, duplicates included
    int distinct = 0;      // candidates left after the duplicate check
    int scored = 0;        // candidates whose full score was computed
};

class PlacementSearchCache;

// Best position of one piece on one sheet over all orientations, or none
// when no candidate lies inside the sheet without overlapping its content.
// A cache, when given, keeps what was worked out about the orientations and
// about the sheet for later searches with the same ones (engine/searchfacts.h).
std::optional<ScoredPlacement> findBestPlacement(int pieceIndex,
                                                 const QList<PieceOrientation> &orientations,
                                                 double sheetWidth, double sheetHeight,
                                                 const CuttingSheet &sheet, int sheetIndex,
                                                 PlacementSearchStatistics *statistics = nullptr,
                                                 PlacementSearchCache *cache = nullptr);

// The same search done plainly: every distinct candidate is tested and scored
// with the geometry engine. It is the yardstick the fast search must match
// placement for placement.
std::optional<ScoredPlacement> findBestPlacementReference(
    int pieceIndex, const QList<PieceOrientation> &orientations, double sheetWidth,
    double sheetHeight, const CuttingSheet &sheet, int sheetIndex,
    PlacementSearchStatistics *statistics = nullptr);

} // namespace tallero
