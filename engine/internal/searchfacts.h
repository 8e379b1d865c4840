#pragma once

#include "engine/interiorprobe.h"
#include "engine/internal/placementscore.h"
#include "engine/internal/translatedpiece.h"
#include "geometry/chunkedlines.h"
#include "geometry/ringindex.h"
#include "geometry/preparedgeometry.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// What the fast placement search knows about a sheet and about a piece
// before it looks at any candidate, kept apart so the nesting can reuse it
// for every search of one piece and for every search on one unchanged sheet.

namespace tallero {

namespace searchtolerance {
inline constexpr double eps = 1e-7;
// Areas the shortcuts reason about can be off by the ten-decimal rounding of
// the piece's coordinates times its perimeter, and by the engine's rounding.
inline constexpr double areaMargin = 1e-6;
// Coordinates of a placed piece's geometry lie within 5e-11 of its bounds.
inline constexpr double lengthMargin = 1e-9;
// A disc of this radius inside both the piece and the occupied shape is an
// overlap far above the tolerated 1e-7 m², in area and in both extents.
inline constexpr double probeClearance = 1e-3;
// The same for the probes along a piece's edges, which look for overlaps in
// strips a few millimetres wide: a disc of this radius still has about twice
// the tolerated area, and is 500 times wider than the tolerated strip.
inline constexpr double edgeProbeClearance = 2.5e-4;
} // namespace searchtolerance

// Boxes farther apart than the rounding of a placed piece's coordinates;
// the search asks this millions of times, so these few are inline.
inline bool separated(const QRectF &a, const QRectF &b)
{
    using searchtolerance::lengthMargin;
    return a.left() > b.right() + lengthMargin || b.left() > a.right() + lengthMargin
        || a.top() > b.bottom() + lengthMargin || b.top() > a.bottom() + lengthMargin;
}

inline QRectF boxUnion(const QRectF &a, const QRectF &b)
{
    const double left = std::min(a.left(), b.left());
    const double bottom = std::min(a.top(), b.top());
    return QRectF(left, bottom, std::max(a.right(), b.right()) - left,
                  std::max(a.bottom(), b.bottom()) - bottom);
}

inline double boxArea(const QRectF &rect)
{
    return rect.width() * rect.height();
}

struct SheetFacts
{
    SheetFacts(double width, double height, const CuttingSheet &sheet);

    double width;
    double height;
    ScoringSheet scoring;
    QList<QPointF> references;   // vertices the piece's anchors are put on
    QRectF occupiedBounds;
    double occupiedArea = 0.0;
    bool occupiedValid = false;
    // An overlap the search tolerates covers at most this area: 1e-7 m², or
    // a strip at most 1e-7 wide along a piece that fits the sheet.
    double overlapAllowance = 0.0;

    // Built when first asked for; only for a valid occupied shape.
    const RingIndex &occupiedIndex() const;

    // The grid of cells over the occupied bounds that finds points deep
    // inside the occupied shape: the column holding x and the row holding y,
    // or -1 outside the grid.
    // A product in place of a quotient: it may put a point a rounding across
    // a cell's side, which the cells' margin covers.
    int deepColumn(double x) const
    {
        const double column = (x - occupiedBounds.left()) * m_cellsPerLength;
        return column >= 0.0 && column < m_columns ? int(column) : -1;
    }
    int deepRow(double y) const
    {
        const double row = (y - occupiedBounds.top()) * m_cellsPerLength;
        return row >= 0.0 && row < m_rows ? int(row) : -1;
    }

    // True when a disc of radius probeClearance + lengthMargin around every
    // point of the cell lies inside the occupied shape: when the cell's
    // centre is that far and half a cell diagonal more from every edge, and
    // inside. Cells are judged when first met. False means "not known",
    // never "no", and is the answer for a column or row of -1. Only for a
    // valid occupied shape.
    bool deepCell(int column, int row) const
    {
        if (m_cells.empty() || column < 0 || row < 0)
            return false;
        CellDepth &depth =
            m_cells[std::size_t(row) * std::size_t(m_columns) + std::size_t(column)];
        if (depth == CellDepth::Unknown)
            depth = judgeCell(column, row);
        return depth == CellDepth::Deep;
    }

    // Corners of the convex hull of the occupied geometry's vertices, and
    // the bounds of those vertices; worked out when first asked for.
    const std::vector<QPointF> &occupiedHull() const;
    const std::optional<QRectF> &occupiedGeometryBounds() const;

    // The occupied shape prepared for repeated predicates, built when first
    // asked for.
    const PreparedGeometry &preparedOccupied() const;

    // The occupied shape's boundary in short runs, built when first asked
    // for; empty while the sheet is empty.
    const ChunkedLines &occupiedBoundaryRuns() const;

    // Number of pieces placed on the sheet, and the bounds of one of them.
    int placedCount() const { return int(m_placed.size()); }
    const QRectF &placedBounds(int index) const
    {
        return m_placed[std::size_t(index)].shape.bounds;
    }
    const QList<QPolygonF> &placedRings(int index) const
    {
        return m_placed[std::size_t(index)].shape.rings;
    }
    const GEOSGeometry *placedGeometry(int index) const
    {
        return m_placed[std::size_t(index)].shape.geometry.get();
    }

    // The rings of a placed piece, indexed when first asked for: a cheap
    // first look before a point is tested against the occupied shape.
    const RingIndex &placedIndex(int index) const;
    // The bounds of each ring of a placed piece, found when first asked for.
    const std::vector<QRectF> &placedRingBounds(int index) const;

    // The geometry of a placed piece when the engine confirms that the
    // occupied shape covers it, so whatever the piece overlaps the occupied
    // shape overlaps too; null when it cannot confirm it. Checked when first
    // asked for.
    const GEOSGeometry *coveredPiece(int index) const;

    // The area of a placed piece that lies outside the occupied shape, for
    // a piece whose cover the engine cannot confirm (the union may move a
    // traced outline's vertices by a rounding): what a piece shares with it
    // beyond that area, it shares with the occupied shape. Measured when
    // first asked for; nothing when the engine fails.
    std::optional<double> uncoveredArea(int index) const;

private:
    mutable std::optional<RingIndex> m_occupiedIndex;
    enum class CellDepth : unsigned char { Unknown, Deep, Shallow };
    CellDepth judgeCell(int column, int row) const;
    mutable std::vector<CellDepth> m_cells;
    mutable std::optional<std::vector<QPointF>> m_occupiedHull;
    mutable std::optional<QRectF> m_occupiedGeometryBounds;
    void measureOccupiedGeometry() const;
    double m_cellSize = 0.0;
    double m_cellsPerLength = 0.0;
    int m_columns = 0;
    int m_rows = 0;
    mutable std::optional<PreparedGeometry> m_prepared;
    enum class Cover : unsigned char { Unknown, Covered, Uncertain };
    struct PlacedPiece
    {
        Shape shape;
        Cover cover = Cover::Unknown;
        std::optional<std::optional<double>> uncovered;
        std::optional<RingIndex> index;
        std::optional<std::vector<QRectF>> ringBounds;
    };
    mutable std::vector<PlacedPiece> m_placed;
    mutable std::optional<ChunkedLines> m_boundaryRuns;
};

struct OrientationFacts
{
    explicit OrientationFacts(const PieceOrientation &orientation);

    // Points deep inside the piece, in its own coordinates; found when first
    // asked for, since most searches never need them.
    const QList<QPointF> &probes() const;

    // The same probes by their coordinates: each distinct x and y once (no
    // more than interiorProbeGrid of each), and for each x, the indices of
    // the ys of its probes, from rowsFrom[i] to rowsFrom[i + 1] in `rows`.
    // The probes come column by column, so this keeps their order. They
    // share a few columns and rows, so a translated set is placed on a grid
    // with a few products.
    struct ProbeCoordinates
    {
        std::vector<double> xs;
        std::vector<double> ys;
        std::vector<int> rowsFrom;
        std::vector<int> rows;
    };
    const ProbeCoordinates &probeCoordinates() const;

    // Corners of the convex hull of the piece's vertices, in its own
    // coordinates; found when first asked for.
    const std::vector<QPointF> &hull() const;

    // Points just inside the piece along its edges, edgeProbeClearance +
    // lengthMargin from its boundary, in its own coordinates; found when
    // first asked for.
    const std::vector<QPointF> &edgeProbes() const;

    TranslatedPiece piece;
    bool valid;

private:
    mutable std::optional<std::vector<QPointF>> m_edgeProbes;
    mutable std::optional<RingIndex> m_index;
    mutable std::optional<QList<QPointF>> m_probes;
    mutable std::optional<ProbeCoordinates> m_probeCoordinates;
    mutable std::optional<std::vector<QPointF>> m_hull;
};

// Facts by the engine geometry they were worked out from. Each entry keeps
// its geometry alive, so an address cannot be reused while it is a key.
class PlacementSearchCache
{
public:
    std::shared_ptr<const SheetFacts> sheetFacts(double width, double height,
                                                 const CuttingSheet &sheet);
    std::shared_ptr<const OrientationFacts> orientationFacts(const PieceOrientation &orientation);

    // Drops the facts of pieces already placed.
    void forgetOrientations() { m_orientations.clear(); }

private:
    struct SheetKey
    {
        const GEOSGeometry *occupied;
        qsizetype placements;
        double width;
        double height;
        auto tie() const { return std::tie(occupied, placements, width, height); }
        bool operator<(const SheetKey &other) const { return tie() < other.tie(); }
    };
    struct SheetEntry
    {
        GeometryHandle keepAlive;
        std::shared_ptr<const SheetFacts> facts;
    };
    struct OrientationEntry
    {
        GeometryHandle keepAlive;
        std::shared_ptr<const OrientationFacts> facts;
    };
    std::map<SheetKey, SheetEntry> m_sheets;
    std::map<std::pair<const GEOSGeometry *, double>, OrientationEntry> m_orientations;
};

} // namespace tallero
