#include "engine/searchfacts.h"

#include "engine/placementcandidates.h"

#include <algorithm>

namespace tallero {

using namespace searchtolerance;

namespace {

constexpr int probesPerPiece = 48;

bool isValid(const Shape &shape)
{
    return shape.geometry && GEOSisValid_r(geometryContext(), shape.geometry.get()) == 1;
}

} // namespace

bool separated(const QRectF &a, const QRectF &b)
{
    return a.left() > b.right() + lengthMargin || b.left() > a.right() + lengthMargin
        || a.top() > b.bottom() + lengthMargin || b.top() > a.bottom() + lengthMargin;
}

QRectF boxUnion(const QRectF &a, const QRectF &b)
{
    const double left = std::min(a.left(), b.left());
    const double bottom = std::min(a.top(), b.top());
    return QRectF(left, bottom, std::max(a.right(), b.right()) - left,
                  std::max(a.bottom(), b.bottom()) - bottom);
}

double boxArea(const QRectF &rect)
{
    return rect.width() * rect.height();
}

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
}

const RingIndex &SheetFacts::occupiedIndex() const
{
    if (!m_occupiedIndex)
        m_occupiedIndex.emplace(scoring.occupied.rings);
    return *m_occupiedIndex;
}

void SheetFacts::PreparedDeleter::operator()(const GEOSPreparedGeometry *prepared) const
{
    GEOSPreparedGeom_destroy_r(geometryContext(), prepared);
}

const GEOSPreparedGeometry *SheetFacts::preparedOccupied() const
{
    if (!m_preparedTried && scoring.occupied.geometry) {
        m_preparedTried = true;
        m_prepared.reset(GEOSPrepare_r(geometryContext(), scoring.occupied.geometry.get()));
    }
    return m_prepared.get();
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
