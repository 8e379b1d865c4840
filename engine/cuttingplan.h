#pragma once

#include "engine/nestingmode.h"
#include "geometry/shape.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tallero {

// Verdict of the nesting check (plancheck.h, where its values are listed).
enum class NestingFault;

// Index order is the order of the start-corner choice in the window.
enum class StartCorner { Automatic = 0, TopLeft = 1, TopRight = 2, BottomLeft = 3, BottomRight = 4 };

struct GridCell
{
    int column = 0;
    int row = 0;
    int pieceIndex = -1;       // -1 for a whole sheet
    Shape shape;               // drawing coordinates
    bool whole = false;
    QString code;              // "E" or "R<n>" once codes are assigned
    int sheetIndex = 0;        // cutting sheet of a cut piece once assigned
};

struct PiecePlacement
{
    int pieceIndex = 0;
    int sheetIndex = 0;
    Shape shape;               // sheet coordinates
    double x = 0.0;
    double y = 0.0;
    double angle = 0.0;        // 0, 90, 180 or 270, counter-clockwise
};

struct CuttingSheet
{
    QList<PiecePlacement> placements;
    Shape occupied;            // union of the placed shapes
    double usedArea = 0.0;     // sum of the pieces' own areas
};

struct CuttingPlan
{
    QList<GridCell> cells;     // grid order: column by column, each bottom-up
    QList<CuttingSheet> sheets;
    QStringList pieceCodes;    // by piece index, once codes are assigned
    int wholeSheetCount = 0;
    double sheetWidth = 0.0;
    double sheetHeight = 0.0;
    double gap = 0.0;
    double originX = 0.0;
    double originY = 0.0;
    QString startLabel;
    // Recorded when the window adopts the plan, so that whatever shows or
    // prints it later tells the truth about this plan, not about the
    // window's choices at that later moment: the nesting check's verdict
    // (absent until checked), and the orientation and start-corner index
    // (StartCorner order) the plan was computed with.
    std::optional<NestingFault> nestingVerdict;
    bool vertical = false;
    int startIndex = 0;
    // How the cut pieces were packed, set by the engine.
    NestingMode nesting = NestingMode::Standard;
};

// Finishing step of an adopted plan: cell codes, piece codes, and the
// cutting sheet of every cut piece.
void assignPieceCodes(CuttingPlan &plan);

// Quantities every view derives from a plan, kept in one place so the
// summary, the viewer and the report can never disagree.
int cuttingSheetCount(const CuttingPlan &plan);
int totalPurchase(const CuttingPlan &plan);
int cutPieceCount(const CuttingPlan &plan);
double sheetArea(const CuttingPlan &plan);
int cuttingSheetNumber(const CuttingPlan &plan, int sheetIndex);   // the N of "P<N>"
double sheetEfficiency(const CuttingPlan &plan, int sheetIndex);   // percent
double sheetWaste(const CuttingPlan &plan, int sheetIndex);        // percent
double coveredArea(const CuttingPlan &plan);
double purchasedArea(const CuttingPlan &plan);
double overallEfficiency(const CuttingPlan &plan);                 // percent
double wasteArea(const CuttingPlan &plan);                         // m²

} // namespace tallero
