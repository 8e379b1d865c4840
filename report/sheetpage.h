#pragma once

#include "report/listfit.h"
#include "report/reportinput.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace tallero {

// The page of one cutting sheet: the sheet drawn to scale with its pieces,
// the manufacturing data and the list of its pieces.

// One entry of a sheet's piece list: a code at one placed size (a code
// placed in two orientations gives two entries) and how often it is placed.
struct SheetPieceEntry
{
    QString code;
    double width = 0.0;
    double height = 0.0;
    int count = 0;
};

// The entries of cutting sheet `sheetIndex`, by code in plain text order
// (R10 before R2), then by size.
QList<SheetPieceEntry> sheetPieceList(const CuttingPlan &plan, int sheetIndex);

// "2 ud. · 0.850 × 0.600 m", "2 unit · …", "2 Stueck · …".
QList<ListEntryText> sheetPieceEntries(const QList<SheetPieceEntry> &pieces, const QString &language);

struct SheetPageLayout
{
    QRectF sheetPanel;
    QRectF dataPanel;
    QRectF drawingArea;        // where the sheet is fitted
    double separatorY = 0.0;
    QPointF listTitleBaseline;
    FittedList pieceList;
    QRectF closingRect;        // the validation line
};

SheetPageLayout layoutSheetPage(const QRectF &page, const QList<ListEntryText> &pieces);

// What a placed piece whose bounds lie at `pieceOnPage` carries: nothing
// under 30 × 32 pixels; else its code and size when both lines fit the
// piece, the code alone when only it fits, or nothing.
enum class PieceLabel { None, Code, CodeAndSize };
PieceLabel pieceLabel(const QRectF &pieceOnPage, const QString &code, const QString &sizeText);

// The closing line of every sheet page and whether it is the all-clear:
// only a plan whose kept nesting verdict is clean gets the green line.
struct ValidationLine
{
    QString text;
    bool clean = false;
};
ValidationLine validationLine(const CuttingPlan &plan, const QString &language);

void drawSheetPage(QPainter &painter, const QRectF &page, const ReportInput &input, int sheetIndex,
                   int pageNumber, int pageCount);

} // namespace tallero
