#include "engine/internal/nesting.h"

#include "engine/engineerrors.h"
#include "engine/plancontrol.h"
#include "engine/internal/requiredresult.h"
#include "engine/internal/searchfacts.h"
#include "engine/internal/shapetransform.h"
#include "geometry/shapeops.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace tallero {

namespace {

constexpr double eps = 1e-7;
constexpr int anchorsPerOrientation = 45;

std::optional<ScoredPlacement> searchSheet(PlacementSearchMode mode, PlacementSearchCache &cache,
                                           int pieceIndex,
                                           const QList<PieceOrientation> &orientations,
                                           double sheetWidth, double sheetHeight,
                                           const CuttingSheet &sheet, int sheetIndex)
{
    if (mode == PlacementSearchMode::Reference)
        return findBestPlacementReference(pieceIndex, orientations, sheetWidth, sheetHeight,
                                          sheet, sheetIndex);
    return findBestPlacement(pieceIndex, orientations, sheetWidth, sheetHeight, sheet,
                             sheetIndex, nullptr, &cache);
}

struct SheetChoice
{
    int sheetIndex = -1;
    double freeArea = 0.0;
    ScoredPlacement placed;
};

// The fullest sheet that takes the piece; on equal free area the better
// score, then the lower index. A sheet emptier than one already found cannot
// win whatever its score, so sheets are tried fullest first and the search
// stops at the first sheet emptier than the choice.
std::optional<SheetChoice> chooseExistingSheet(PlacementSearchMode mode,
                                               PlacementSearchCache &cache, int pieceIndex,
                                               double pieceArea,
                                               const QList<PieceOrientation> &orientations,
                                               double sheetWidth, double sheetHeight,
                                               const QList<CuttingSheet> &sheets)
{
    const double sheetArea = sheetWidth * sheetHeight;
    QList<double> freeAreas;
    freeAreas.reserve(sheets.size());
    for (const CuttingSheet &sheet : sheets)
        freeAreas.append(sheetArea - (sheet.usedArea + pieceArea));
    QList<int> order(sheets.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return freeAreas[a] < freeAreas[b]; });

    std::optional<SheetChoice> choice;
    for (int s : order) {
        if (choice && freeAreas[s] > choice->freeArea)
            break;
        std::optional<ScoredPlacement> found =
            searchSheet(mode, cache, pieceIndex, orientations, sheetWidth, sheetHeight, sheets[s], s);
        if (!found)
            continue;
        if (!choice || freeAreas[s] < choice->freeArea || found->score < choice->placed.score)
            choice = SheetChoice{s, freeAreas[s], std::move(*found)};
    }
    return choice;
}

void commit(CuttingSheet &sheet, const PiecePlacement &placement, double pieceArea)
{
    sheet.placements.append(placement);
    sheet.usedArea += pieceArea;
    if (isNonEmpty(sheet.occupied))
        sheet.occupied = requiredResult(uniteShapes(sheet.occupied, placement.shape));
    else
        sheet.occupied = placement.shape;
}

} // namespace

QList<int> nestingOrder(const QList<Shape> &pieces)
{
    struct Key
    {
        double boundingArea;
        double area;
        double longerSide;
    };
    QList<Key> keys;
    keys.reserve(pieces.size());
    for (const Shape &piece : pieces) {
        const QRectF &b = piece.bounds;
        keys.append({b.width() * b.height(), piece.area, std::max(b.width(), b.height())});
    }
    QList<int> order(pieces.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (keys[a].boundingArea != keys[b].boundingArea)
            return keys[a].boundingArea > keys[b].boundingArea;
        if (keys[a].area != keys[b].area)
            return keys[a].area > keys[b].area;
        return keys[a].longerSide > keys[b].longerSide;
    });
    return order;
}

QList<PieceOrientation> pieceOrientations(const Shape &piece, double sheetWidth,
                                          double sheetHeight)
{
    QList<PieceOrientation> orientations;
    for (double angle : {0.0, 90.0, 180.0, 270.0}) {
        // QTransform turns counter-clockwise in y-up coordinates, and uses
        // exact sines and cosines for quarter turns.
        const Shape rotated = transformShape(piece, QTransform().rotate(angle));
        const Shape moved = transformShape(
            rotated, QTransform::fromTranslate(-rotated.bounds.left(), -rotated.bounds.top()));
        // The tolerance lets a piece exactly as wide as the sheet fit.
        if (moved.bounds.width() <= sheetWidth + eps && moved.bounds.height() <= sheetHeight + eps)
            orientations.append({moved, angle, sampleVertices(moved, anchorsPerOrientation)});
    }
    return orientations;
}

QList<CuttingSheet> nestCutPieces(const QList<Shape> &pieces, double sheetWidth,
                                  double sheetHeight, PlacementSearchMode mode,
                                  const std::function<void(int placed)> &placed)
{
    QList<CuttingSheet> sheets;
    // What the fast search learns about a sheet holds until a piece is added
    // to it, and what it learns about a piece holds for all sheets.
    PlacementSearchCache cache;
    int placedCount = 0;
    for (int pieceIndex : nestingOrder(pieces)) {
        checkCancellation();
        cache.forgetOrientations();
        const Shape &piece = pieces[pieceIndex];
        const QList<PieceOrientation> orientations =
            pieceOrientations(piece, sheetWidth, sheetHeight);
        if (orientations.isEmpty())
            throw std::runtime_error(engineerrors::pieceDoesNotFit);

        std::optional<SheetChoice> choice = chooseExistingSheet(
            mode, cache, pieceIndex, piece.area, orientations, sheetWidth, sheetHeight, sheets);
        if (!choice) {
            sheets.append(CuttingSheet{});
            const int sheetIndex = int(sheets.size()) - 1;
            std::optional<ScoredPlacement> found = searchSheet(
                mode, cache, pieceIndex, orientations, sheetWidth, sheetHeight, sheets.last(), sheetIndex);
            if (!found)
                throw std::runtime_error(engineerrors::pieceNotPlaced);
            choice = SheetChoice{sheetIndex, 0.0, std::move(*found)};
        }
        commit(sheets[choice->sheetIndex], choice->placed.placement, piece.area);
        if (placed)
            placed(++placedCount);
    }
    return sheets;
}

} // namespace tallero
