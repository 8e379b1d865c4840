#pragma once

#include "report/listfit.h"
#include "report/reportinput.h"
#include "views/dimensionlegend.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace tallero {

// Page 1 of the report: purchase summary, the whole layout with every cell
// labelled, and the dimension legend of every code.

struct GeneralPageLayout
{
    QRectF summaryPanel;
    QRectF layoutPanel;
    QRectF legendPanel;
    QRectF layoutTarget;       // where the drawing is fitted inside the layout panel
    FittedList legend;
    QList<QLineF> columnRules; // between legend columns that hold entries
};

// The rectangles of page 1 for a legend of these rows.
GeneralPageLayout layoutGeneralPage(const QRectF &page, const QList<LegendRow> &legend);

// The legend rows as printed: the code, and "0.600 × 1.250 m · 3 uds.".
QList<ListEntryText> legendEntries(const QList<LegendRow> &legend);

struct SummaryRow
{
    QString label;
    QString value;
    QColor colour;
};

// The ten rows of the purchase summary in the input's language.
QList<SummaryRow> summaryRows(const ReportInput &input);

// The label of a grid cell whose bounds lie at `cellOnPage`: "E", or
// "R12 / P7" when the whole label fits the cell, the code alone when only
// it fits, nothing otherwise or when the cell is under 22 × 14 pixels.
QString cellLabel(const QRectF &cellOnPage, const GridCell &cell, int wholeSheetCount);

void drawGeneralPage(QPainter &painter, const QRectF &page, const ReportInput &input, int pageNumber,
                     int pageCount);

} // namespace tallero
