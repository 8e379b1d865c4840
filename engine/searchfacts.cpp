#include "engine/internal/searchfacts.h"

#include "engine/internal/placementcandidates.h"
#include "geometry/convexhull.h"
#include "geometry/geometrydefect.h"
#include "geometry/regionsubtraction.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tallero {

using namespace searchtolerance;

namespace {

constexpr int probesPerPiece = 48;
// Cells of the deep-interior grid: a few thousand over a sheet, fine enough
// that cells well inside a piece are found deep.
constexpr double cellsAcrossOccupied = 96.0;
constexpr int largestCellCount = 1 << 16;
// Probes along a piece's edges: one per this length of edge, and no more
// than this many.
constexpr double edgeProbeSpacing = 0.01;
constexpr int largestEdgeProbeCount = 4096;

std::vector<QPointF> hullOfRings(const QList<QPolygonF> &rings)
{
    std::vector<QPointF> points;
    for (const QPolygonF &ring : rings)
        points.insert(points.end(), ring.begin(), ring.end());
    return convexHullPoints(std::move(points));
}

// Only a shape with a geometry the engine finds valid; the shortcuts judge
// such shapes by their areas and rings alone.
bool isValid(const Shape &shape)
{
    return shape.geometry && isValidGeometry(shape);
}

} // namespace

SheetFacts::SheetFacts(double width, double height, const CuttingSheet &sheet)
    : width(width), height(height), scoring(width, height, sheet),
      references(sheetReferencePoints(width, height, sheet))
{
    if (scoring.occupiedNonEmpty) {
        occupiedBounds = sheet.occupied.bounds;
        occupiedArea = sheet.occupied.area;
        occupiedValid = isValid(sheet.occupied);
    }
    overlapAllowance = 1e-7 * (std::max(width, height) + 1.0);
    if (scoring.occupiedNonEmpty && occupiedValid) {
        const double longer = std::max(occupiedBounds.width(), occupiedBounds.height());
        m_cellSize = std::max(longer / cellsAcrossOccupied, 4.0 * probeClearance);
        m_columns = int(std::ceil(occupiedBounds.width() / m_cellSize)) + 1;
        m_rows = int(std::ceil(occupiedBounds.height() / m_cellSize)) + 1;
        if (std::isfinite(m_cellSize) && m_cellSize > 0.0 && m_columns > 0 && m_rows > 0
            && qint64(m_columns) * m_rows <= largestCellCount)
            m_cells.assign(std::size_t(m_columns) * std::size_t(m_rows), CellDepth::Unknown);
        m_cellsPerLength = 1.0 / m_cellSize;
    }
    if (scoring.occupiedNonEmpty) {
        m_placed.reserve(std::size_t(sheet.placements.size()));
        for (const PiecePlacement &placement : sheet.placements) {
            if (placement.shape.geometry)
                m_placed.push_back({placement.shape, Cover::Unknown, std::nullopt, std::nullopt,
                                    std::nullopt});
        }
    }
}

const ChunkedLines &SheetFacts::occupiedBoundaryRuns() const
{
    if (!m_boundaryRuns)
        m_boundaryRuns.emplace(scoring.occupiedBoundary.get());
    return *m_boundaryRuns;
}

const RingIndex &SheetFacts::placedIndex(int index) const
{
    PlacedPiece &placed = m_placed[std::size_t(index)];
    if (!placed.index)
        placed.index.emplace(placed.shape.rings);
    return *placed.index;
}

const std::vector<QRectF> &SheetFacts::placedRingBounds(int index) const
{
    PlacedPiece &placed = m_placed[std::size_t(index)];
    if (!placed.ringBounds) {
        placed.ringBounds.emplace();
        for (const QPolygonF &ring : placed.shape.rings)
            placed.ringBounds->push_back(ring.boundingRect());
    }
    return *placed.ringBounds;
}

const GEOSGeometry *SheetFacts::coveredPiece(int index) const
{
    PlacedPiece &placed = m_placed[std::size_t(index)];
    if (placed.cover == Cover::Unknown)
        placed.cover = preparedOccupied().certainlyCovers(placed.shape.geometry.get())
            ? Cover::Covered
            : Cover::Uncertain;
    return placed.cover == Cover::Covered ? placed.shape.geometry.get() : nullptr;
}

std::optional<double> SheetFacts::uncoveredArea(int index) const
{
    PlacedPiece &placed = m_placed[std::size_t(index)];
    if (!placed.uncovered) {
        if (coveredPiece(index)) {
            placed.uncovered = 0.0;
        } else {
            const std::optional<Shape> outside = subtractUnion(placed.shape, {scoring.occupied});
            placed.uncovered = outside ? std::optional<double>(outside->area) : std::nullopt;
        }
    }
    return *placed.uncovered;
}

SheetFacts::CellDepth SheetFacts::judgeCell(int column, int row) const
{
    const QPointF centre(occupiedBounds.left() + (column + 0.5) * m_cellSize,
                         occupiedBounds.top() + (row + 0.5) * m_cellSize);
    // Every point of the cell lies within half a diagonal of the centre; the
    // extra margin covers the rounding of the cell arithmetic.
    const double reach = m_cellSize * 0.7071067811865476 + probeClearance + 2.0 * lengthMargin;
    return occupiedIndex().containsWithClearance(centre, reach) ? CellDepth::Deep
                                                                : CellDepth::Shallow;
}

const RingIndex &SheetFacts::occupiedIndex() const
{
    if (!m_occupiedIndex)
        m_occupiedIndex.emplace(scoring.occupied.rings);
    return *m_occupiedIndex;
}

void SheetFacts::measureOccupiedGeometry() const
{
    // The engine's own coordinates: a shape's rings and bounds may come from
    // coordinates taken before the ten-decimal rounding of its geometry.
    QList<Polygon> polygons;
    collectPolygons(scoring.occupied.geometry.get(), polygons);
    QList<QPolygonF> exteriors;
    for (const Polygon &polygon : polygons) {
        if (!polygon.isEmpty())
            exteriors.append(polygon.first());
    }
    m_occupiedHull = hullOfRings(exteriors);
    m_occupiedGeometryBounds = exteriorBounds(polygons);
}

const std::vector<QPointF> &SheetFacts::occupiedHull() const
{
    if (!m_occupiedHull)
        measureOccupiedGeometry();
    return *m_occupiedHull;
}

const std::optional<QRectF> &SheetFacts::occupiedGeometryBounds() const
{
    if (!m_occupiedHull)
        measureOccupiedGeometry();
    return m_occupiedGeometryBounds;
}

const PreparedGeometry &SheetFacts::preparedOccupied() const
{
    if (!m_prepared)
        m_prepared.emplace(scoring.occupied.geometry);
    return *m_prepared;
}

OrientationFacts::OrientationFacts(const PieceOrientation &orientation)
    : piece(orientation.shape), valid(isValid(orientation.shape))
{
}

const QList<QPointF> &OrientationFacts::probes() const
{
    if (!m_probes) {
        const Shape &shape = piece.shape();
        m_probes = interiorProbes(shape.rings, shape.bounds, probeClearance + lengthMargin,
                                  probesPerPiece);
    }
    return *m_probes;
}

const OrientationFacts::ProbeCoordinates &OrientationFacts::probeCoordinates() const
{
    if (m_probeCoordinates)
        return *m_probeCoordinates;
    ProbeCoordinates coordinates;
    const auto indexOf = [](std::vector<double> &values, double value) {
        const auto found = std::find(values.begin(), values.end(), value);
        if (found != values.end())
            return int(found - values.begin());
        values.push_back(value);
        return int(values.size()) - 1;
    };
    // Probes of one x, in their order; a later probe of an x already met
    // (not one interiorProbes makes) joins its column all the same.
    std::vector<std::vector<int>> columns;
    for (const QPointF &probe : probes()) {
        const int column = indexOf(coordinates.xs, probe.x());
        if (column == int(columns.size()))
            columns.emplace_back();
        columns[std::size_t(column)].push_back(indexOf(coordinates.ys, probe.y()));
    }
    for (const std::vector<int> &rows : columns) {
        coordinates.rowsFrom.push_back(int(coordinates.rows.size()));
        coordinates.rows.insert(coordinates.rows.end(), rows.begin(), rows.end());
    }
    coordinates.rowsFrom.push_back(int(coordinates.rows.size()));
    m_probeCoordinates = std::move(coordinates);
    return *m_probeCoordinates;
}

const std::vector<QPointF> &OrientationFacts::edgeProbes() const
{
    if (m_edgeProbes)
        return *m_edgeProbes;
    m_edgeProbes.emplace();
    if (!valid || !piece.isExact())
        return *m_edgeProbes;
    const Shape &shape = piece.shape();
    if (!m_index)
        m_index.emplace(shape.rings);
    const double clearance = edgeProbeClearance + lengthMargin;
    const double inward = 1.5 * edgeProbeClearance;
    std::vector<QPointF> &found = *m_edgeProbes;
    for (const QPolygonF &ring : shape.rings) {
        // The inside lies on one side of the edge, the same side all along
        // a ring: the side found last is tried first. The other point is
        // outside, or too near another edge to prove anything.
        double side = 1.0;
        for (qsizetype i = 1; i < ring.size(); ++i) {
            const QPointF a = ring[i - 1];
            const QPointF b = ring[i];
            const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
            if (!(length > 0.0))
                continue;
            const QPointF normal((a.y() - b.y()) / length * inward,
                                 (b.x() - a.x()) / length * inward);
            const int steps = std::max(1, int(length / edgeProbeSpacing));
            for (int k = 0; k < steps && found.size() < std::size_t(largestEdgeProbeCount); ++k) {
                const QPointF on = a + (b - a) * ((k + 0.5) / steps);
                for (const double towards : {side, -side}) {
                    const QPointF probe = on + towards * normal;
                    if (m_index->containsWithClearance(probe, clearance)) {
                        found.push_back(probe);
                        side = towards;
                        break;
                    }
                }
            }
        }
    }
    return *m_edgeProbes;
}

const std::vector<QPointF> &OrientationFacts::hull() const
{
    if (!m_hull)
        m_hull = hullOfRings(piece.shape().rings);
    return *m_hull;
}

std::shared_ptr<const SheetFacts> PlacementSearchCache::sheetFacts(double width, double height,
                                                                   const CuttingSheet &sheet)
{
    const SheetKey key{sheet.occupied.geometry.get(), sheet.placements.size(), width, height};
    auto found = m_sheets.find(key);
    if (found == m_sheets.end()) {
        found = m_sheets.emplace(key, SheetEntry{sheet.occupied.geometry,
                                                 std::make_shared<const SheetFacts>(
                                                     width, height, sheet)}).first;
    }
    return found->second.facts;
}

std::shared_ptr<const OrientationFacts>
PlacementSearchCache::orientationFacts(const PieceOrientation &orientation)
{
    const auto key = std::make_pair(orientation.shape.geometry.get(), orientation.angle);
    auto found = m_orientations.find(key);
    if (found == m_orientations.end()) {
        found = m_orientations.emplace(key, OrientationEntry{orientation.shape.geometry,
                                                             std::make_shared<const OrientationFacts>(
                                                                 orientation)}).first;
    }
    return found->second.facts;
}

} // namespace tallero
