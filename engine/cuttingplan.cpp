#include "engine/cuttingplan.h"

#include "engine/internal/tolerances.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace tallero {

namespace {

// Below this a sheet has no area to measure efficiency against.
constexpr double eps = tolerances::overlapSquareMetres;

} // namespace

void assignPieceCodes(CuttingPlan &plan)
{
    int largestIndex = -1;
    for (const GridCell &cell : plan.cells)
        largestIndex = std::max(largestIndex, cell.pieceIndex);
    const int pieceCount = largestIndex + 1;
    plan.pieceCodes.resize(pieceCount);

    // Pieces that agree to the millimetre share a code whatever their real
    // shape. The key keeps width and height apart, so a turned piece gets
    // its own code. Rounded millimetres are kept as doubles: no integer
    // conversion can overflow, whatever the size.
    std::map<std::pair<double, double>, int> numbers;
    for (GridCell &cell : plan.cells) {
        if (cell.whole) {
            cell.code = QStringLiteral("E");
            continue;
        }
        const std::pair<double, double> key(std::round(cell.shape.bounds.width() * 1000.0),
                                            std::round(cell.shape.bounds.height() * 1000.0));
        auto found = numbers.find(key);
        if (found == numbers.end())
            found = numbers.emplace(key, int(numbers.size()) + 1).first;
        cell.code = QStringLiteral("R%1").arg(found->second);
        if (cell.pieceIndex >= 0)
            plan.pieceCodes[cell.pieceIndex] = cell.code;
    }

    QList<int> sheetOfPiece(pieceCount, 0);
    for (int s = 0; s < plan.sheets.size(); ++s) {
        for (const PiecePlacement &placement : plan.sheets[s].placements) {
            if (placement.pieceIndex >= 0 && placement.pieceIndex < pieceCount)
                sheetOfPiece[placement.pieceIndex] = s;
        }
    }
    for (GridCell &cell : plan.cells)
        cell.sheetIndex = (cell.whole || cell.pieceIndex < 0) ? 0 : sheetOfPiece[cell.pieceIndex];
}

int cuttingSheetCount(const CuttingPlan &plan)
{
    return int(plan.sheets.size());
}

int totalPurchase(const CuttingPlan &plan)
{
    return plan.wholeSheetCount + cuttingSheetCount(plan);
}

int cutPieceCount(const CuttingPlan &plan)
{
    return int(plan.cells.size()) - plan.wholeSheetCount;
}

double sheetArea(const CuttingPlan &plan)
{
    return plan.sheetWidth * plan.sheetHeight;
}

int cuttingSheetNumber(const CuttingPlan &plan, int sheetIndex)
{
    return plan.wholeSheetCount + 1 + sheetIndex;
}

double sheetEfficiency(const CuttingPlan &plan, int sheetIndex)
{
    const double area = sheetArea(plan);
    if (area <= eps || sheetIndex < 0 || sheetIndex >= plan.sheets.size())
        return 0.0;
    return plan.sheets[sheetIndex].usedArea / area * 100.0;
}

double sheetWaste(const CuttingPlan &plan, int sheetIndex)
{
    return 100.0 - sheetEfficiency(plan, sheetIndex);
}

double coveredArea(const CuttingPlan &plan)
{
    double area = 0.0;
    for (const GridCell &cell : plan.cells)
        area += cell.shape.area;
    return area;
}

double purchasedArea(const CuttingPlan &plan)
{
    return totalPurchase(plan) * sheetArea(plan);
}

double overallEfficiency(const CuttingPlan &plan)
{
    const double purchased = purchasedArea(plan);
    return purchased > eps ? coveredArea(plan) / purchased * 100.0 : 0.0;
}

double wasteArea(const CuttingPlan &plan)
{
    return std::max(purchasedArea(plan) - coveredArea(plan), 0.0);
}

} // namespace tallero
