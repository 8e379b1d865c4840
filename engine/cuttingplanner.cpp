#include "engine/cuttingplanner.h"

#include "engine/engineerrors.h"
#include "engine/internal/nesting.h"
#include "engine/internal/requiredresult.h"
#include "engine/internal/shapetransform.h"
#include "engine/internal/surveyorigin.h"
#include "engine/internal/tolerances.h"
#include "engine/thoroughnesting.h"
#include "geometry/preparedoutline.h"
#include "geometry/shapeops.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tallero {

namespace {

constexpr double eps = tolerances::edgeMetres;

bool isFinite(const QRectF &rect)
{
    return std::isfinite(rect.left()) && std::isfinite(rect.right())
        && std::isfinite(rect.top()) && std::isfinite(rect.bottom());
}

void checkInputs(const Shape &outline, double w, double h, double g)
{
    // Written so that NaN fails every test.
    const bool measuresValid = std::isfinite(w) && std::isfinite(h) && std::isfinite(g) && w > 0.0
        && h > 0.0 && g >= 0.0 && std::isfinite(w + g) && std::isfinite(h + g);
    if (!measuresValid)
        throw std::runtime_error(engineerrors::invalidSheetMeasures);
    if (!isNonEmpty(outline) || !isFinite(outline.bounds))
        throw std::runtime_error(engineerrors::invalidOutline);
}

// Number of whole steps back from the far edge that the anchored cell needs
// to reach the near edge; kept in double so no input can overflow it.
double stepsBack(double extent, double size, double step)
{
    return std::ceil(std::max(extent - size, 0.0) / step);
}

// Grid positions from `origin` up to the far edge: the walk below stops at
// the first position at or beyond `far - eps`.
double positionCount(double origin, double far, double step)
{
    const double span = far - eps - origin;
    return span > 0.0 ? std::floor(span / step) + 1.0 : 0.0;
}

[[noreturn]] void refuseGrid()
{
    throw std::runtime_error(engineerrors::gridTooLarge);
}


// Every cut piece lies in a cell an edge of the outline passes through, so
// counting those cells bounds the cut pieces before any clip is made. Each
// edge is followed column by column over the rows it spans there; the count
// stops as soon as it passes the limit, so it costs at most the limit plus
// the number of edges. Gaps count with the cell before them, which can only
// count more.
bool edgeCellsExceed(const Shape &outline, double originX, double originY, double stepX,
                     double stepY, double columns, double rows, qsizetype limit)
{
    if (columns < 1.0 || rows < 1.0)
        return false;
    QSet<QPair<qint64, qint64>> cells;
    const auto clampTo = [](double v, double count) { return std::clamp(v, 0.0, count - 1.0); };
    for (const QPolygonF &ring : outline.rings) {
        for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
            double u0 = (ring[i].x() - originX) / stepX;
            double v0 = (ring[i].y() - originY) / stepY;
            double u1 = (ring[i + 1].x() - originX) / stepX;
            double v1 = (ring[i + 1].y() - originY) / stepY;
            if (u1 < u0) {
                std::swap(u0, u1);
                std::swap(v0, v1);
            }
            const double firstColumn = clampTo(std::floor(u0), columns);
            const double lastColumn = clampTo(std::floor(u1), columns);
            for (double c = firstColumn; c <= lastColumn; ++c) {
                double va = v0;
                double vb = v1;
                if (u1 > u0) {
                    const double slope = (v1 - v0) / (u1 - u0);
                    va = v0 + slope * (std::max(u0, c) - u0);
                    vb = v0 + slope * (std::min(u1, c + 1.0) - u0);
                }
                const double lastRow = clampTo(std::floor(std::max(va, vb)), rows);
                for (double r = clampTo(std::floor(std::min(va, vb)), rows); r <= lastRow; ++r) {
                    cells.insert({qint64(c), qint64(r)});
                    if (cells.size() > limit)
                        return true;
                }
            }
        }
    }
    return false;
}

// Refuses pieces so small against the sheet that too many would share one
// (see maximumPiecesPerSheet), before any of them is nested.
void refuseCrowdedSheets(const QList<Shape> &pieces, double w, double h)
{
    if (pieces.size() <= maximumPiecesPerSheet)
        return;
    double boundingArea = 0.0;
    for (const Shape &piece : pieces)
        boundingArea += piece.bounds.width() * piece.bounds.height();
    const double meanBoundingArea = boundingArea / double(pieces.size());
    const double perSheet = std::min(double(pieces.size()), w * h / meanBoundingArea);
    if (perSheet > maximumPiecesPerSheet)
        throw std::runtime_error(engineerrors::cutPiecesTooSmall);
}

// The plan of an outline whose coordinates are small; computeCuttingPlan
// moves a far drawing near the origin first.
// Share of a plan's progress given to the grid walk; the nesting, usually
// the longer part, has the rest.
constexpr double tilingShare = 0.25;

CuttingPlan tileOutline(const Shape &outline, double w, double h, double g, bool right, bool top,
                        PlacementSearchMode mode, NestingMode nesting,
                        const ProgressCallback &progress)
{
    const auto report = [&](double fraction) {
        if (progress)
            progress(PlanProgress{fraction, LayoutChoice{false, right, top}});
    };
    CuttingPlan plan;
    plan.sheetWidth = w;
    plan.sheetHeight = h;
    plan.gap = g;
    plan.startLabel = QString::fromLatin1(top ? "SUPERIOR " : "INFERIOR ")
        + QString::fromLatin1(right ? "DERECHA" : "IZQUIERDA");

    // QRectF's top is the smallest y; the drawing's y grows upwards.
    const double left = outline.bounds.left();
    const double rightEdge = outline.bounds.right();
    const double bottom = outline.bounds.top();
    const double topEdge = outline.bounds.bottom();
    const double stepX = w + g;
    const double stepY = h + g;

    // Anchoring at the right (or top) edge puts a full cell flush with it and
    // steps back from there, so the first column may start left of the outline.
    const double backX = right ? stepsBack(rightEdge - left, w, stepX) : 0.0;
    const double backY = top ? stepsBack(topEdge - bottom, h, stepY) : 0.0;
    // Written so that NaN is refused too, before either becomes an int.
    if (!(backX <= maximumGridPositions) || !(backY <= maximumGridPositions))
        refuseGrid();
    plan.originX = right ? rightEdge - w - int(backX) * stepX : left;
    plan.originY = top ? topEdge - h - int(backY) * stepY : bottom;

    const double columns = positionCount(plan.originX, rightEdge, stepX);
    const double rows = positionCount(plan.originY, topEdge, stepY);
    if (columns * rows > maximumGridPositions)
        refuseGrid();
    if (columns * rows > maximumRealGridPositions)
        throw std::runtime_error(engineerrors::gridLargerThanAnyFloor);

    // Sheets far too small for the drawing, or an outline riddled with
    // holes, are refused before the walk clips anything.
    if (edgeCellsExceed(outline, plan.originX, plan.originY, stepX, stepY, columns, rows,
                        maximumCutPieces))
        throw std::runtime_error(engineerrors::tooManyCutPieces);

    // The walk itself also counts, so that a step too small to move a large
    // coordinate cannot keep it going once the estimate is passed.
    const double positionLimit = columns * rows + columns + rows + 4.0;
    double visited = 0.0;

    const PreparedOutline preparedOutline(outline);
    QList<Shape> cutPieces;
    int column = 0;
    for (double x = plan.originX; rightEdge - eps > x; x += stepX, ++column) {
        if (column > columns + 1.0)
            refuseGrid();
        int row = 0;
        for (double y = plan.originY; topEdge - eps > y; y += stepY, ++row) {
            if (++visited > positionLimit)
                refuseGrid();
            checkCancellation();
            // A cell too small for the kernel to represent (below its 1e-7 m²
            // floor, or lost to the precision of a large coordinate) meets
            // nothing.
            const Shape cellRectangle = rectangleShape(x, y, w, h);
            if (!cellRectangle.geometry)
                continue;
            // Most cells of a large floor lie wholly inside it or wholly
            // outside; the prepared outline answers both far faster than a
            // clip, and a cell wholly inside clips to its own rectangle.
            if (preparedOutline.missesCell(cellRectangle))
                continue;
            const Shape clipped = preparedOutline.holdsCell(cellRectangle)
                ? cellRectangle
                : requiredResult(preparedOutline.clipCell(cellRectangle));
            if (!isNonEmpty(clipped))
                continue;
            GridCell cell;
            cell.column = column;
            cell.row = row;
            cell.shape = clipped;
            cell.whole = clipped.area >= w * h - tolerances::wholeSheetSquareMetres;
            if (cell.whole) {
                ++plan.wholeSheetCount;
            } else {
                if (cutPieces.size() >= maximumCutPieces)
                    throw std::runtime_error(engineerrors::tooManyCutPieces);
                cell.pieceIndex = int(cutPieces.size());
                cutPieces.append(clipped);
            }
            plan.cells.append(cell);
        }
        report(tilingShare * std::min(visited / (columns * rows), 1.0));
    }

    refuseCrowdedSheets(cutPieces, w, h);
    const double pieceCount = double(cutPieces.size());
    // A thorough nesting starts from the standard one and searches on for
    // the rest of the progress.
    const double nestingShare = nesting == NestingMode::Thorough ? 0.25 : 1.0 - tilingShare;
    plan.sheets = nestCutPieces(cutPieces, w, h, mode, [&](int placed) {
        report(tilingShare + nestingShare * placed / pieceCount);
    });
    if (nesting == NestingMode::Thorough) {
        const double searchStart = tilingShare + nestingShare;
        plan.sheets = nestCutPiecesThoroughly(cutPieces, w, h, plan.sheets, [&](double done) {
            report(searchStart + (1.0 - searchStart) * done);
        });
    }
    plan.nesting = nesting;
    report(1.0);
    return plan;
}

CuttingPlan planOutline(const Shape &outline, double w, double h, double g, bool right, bool top,
                        const PlanControl &control, PlacementSearchMode mode, NestingMode nesting);

} // namespace

CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, PlacementSearchMode mode)
{
    return computeCuttingPlan(outline, w, h, g, right, top, PlanControl{}, mode);
}

CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, const PlanControl &control, PlacementSearchMode mode)
{
    return planOutline(outline, w, h, g, right, top, control, mode, NestingMode::Standard);
}

CuttingPlan computeCuttingPlan(const Shape &outline, double w, double h, double g, bool right,
                               bool top, const PlanControl &control, NestingMode nesting)
{
    return planOutline(outline, w, h, g, right, top, control, PlacementSearchMode::Fast, nesting);
}

namespace {

CuttingPlan planOutline(const Shape &outline, double w, double h, double g, bool right, bool top,
                        const PlanControl &control, PlacementSearchMode mode, NestingMode nesting)
{
    const CancellationScope scope(control.token);
    checkCancellation();
    checkInputs(outline, w, h, g);
    const QPointF origin = planningOrigin(outline.bounds);
    if (origin.isNull())
        return tileOutline(outline, w, h, g, right, top, mode, nesting, control.progress);

    // A far drawing is planned as if it lay near the origin, and its grid
    // is moved back into the drawing's own coordinates; the placements on
    // the cutting sheets are in sheet coordinates and stay as they are.
    const Shape local =
        transformShape(outline, QTransform::fromTranslate(-origin.x(), -origin.y()));
    if (!isNonEmpty(local))
        throw std::runtime_error(engineerrors::invalidOutline);
    CuttingPlan plan = tileOutline(local, w, h, g, right, top, mode, nesting, control.progress);
    for (GridCell &cell : plan.cells)
        cell.shape = requiredResult(translatedShape(cell.shape, origin.x(), origin.y()));
    plan.originX += origin.x();
    plan.originY += origin.y();
    return plan;
}

} // namespace

} // namespace tallero
