#include "report/generalpage.h"

#include "report/pageframe.h"
#include "report/reportstyle.h"
#include "views/startcorner.h"

#include <QPainter>

#include <algorithm>

namespace tallero {

namespace {

int legendColumns(qsizetype codes)
{
    return codes > 16 ? 3 : codes > 6 ? 2 : 1;
}

QPen cellPen(const QColor &colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void drawSummary(QPainter &painter, const QRectF &panel, const ReportInput &input)
{
    const QList<SummaryRow> rows = summaryRows(input);
    // The panel holds ten rows at the usual spacing; the nesting row of a
    // thorough plan makes eleven, drawn a little closer.
    const int spacing = rows.size() > 10 ? 32 : 35;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const int y = int(panel.top() + 118 + spacing * k);
        painter.setFont(reportFont(9));
        painter.setPen(QColor(0x475569));
        painter.drawText(QPoint(int(panel.left() + 25), y), rows[k].label);
        painter.setFont(reportFont(9, true));
        painter.setPen(rows[k].colour);
        painter.drawText(QRectF(int(panel.left() + 185), y - 14, panel.width() - 210, 20), Qt::AlignRight,
                         rows[k].value);
    }
}

void drawLayout(QPainter &painter, const GeneralPageLayout &layout, const ReportInput &input)
{
    const CuttingPlan &plan = *input.plan;
    const QRectF bounds = input.drawing.bounds;
    const QRectF target = layout.layoutTarget;
    if (bounds.width() <= 1e-7 || bounds.height() <= 1e-7)
        return;
    const double s = std::min(target.height() / bounds.height(), target.width() / bounds.width()) * 0.84;
    QTransform transform;
    transform.translate(target.center().x(), target.center().y());
    transform.scale(s, -s);
    transform.translate(-bounds.center().x(), -bounds.center().y());

    painter.save();
    painter.setTransform(transform);
    for (const GridCell &cell : plan.cells) {
        painter.setBrush(cell.whole ? QColor(0xb9d7f8) : reportPaletteColour(cell.sheetIndex));
        painter.setPen(cellPen(QColor(0x2563eb), 0.7 / s));
        painter.drawPath(cell.shape.path);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(cellPen(QColor(0x334155), 1.0 / s));
    painter.drawPath(input.drawing.path);
    painter.restore();

    painter.setFont(reportFont(7, true));
    painter.setPen(QColor(0x111827));
    for (const GridCell &cell : plan.cells) {
        const QRectF onPage = transform.mapRect(cell.shape.bounds);
        const QString label = cellLabel(onPage, cell, plan.wholeSheetCount);
        if (!label.isEmpty())
            painter.drawText(onPage, Qt::AlignCenter, label);
    }
}

void drawLegend(QPainter &painter, const GeneralPageLayout &layout, const QList<LegendRow> &legend,
                const QList<ListEntryText> &entries, const QString &language)
{
    painter.setPen(QColor(0xcbd5e1));
    for (const QLineF &rule : layout.columnRules)
        painter.drawLine(rule);
    const FittedList &list = layout.legend;
    for (const ListEntryBox &entry : list.entries) {
        painter.setFont(list.codeFont);
        painter.setPen(legend[entry.index].code == QLatin1String("E") ? QColor(0x1d4ed8) : QColor(0x111827));
        painter.drawText(entry.codeBaseline, entries[entry.index].code);
        painter.setFont(list.textFont);
        painter.setPen(QColor(0x475569));
        painter.drawText(entry.textRect, Qt::AlignLeft | Qt::AlignTop, entries[entry.index].text);
    }
    if (list.hiddenCount > 0) {
        painter.setFont(reportFont(minimumListPoints, true));
        painter.setPen(QColor(0x111827));
        painter.drawText(list.moreRect, Qt::AlignLeft | Qt::AlignTop, moreEntriesText(list.hiddenCount, language));
    }
}

} // namespace

GeneralPageLayout layoutGeneralPage(const QRectF &page, const QList<LegendRow> &legend)
{
    GeneralPageLayout layout;
    layout.summaryPanel = QRectF(60, 140, 440, 480);
    layout.layoutPanel = QRectF(530, 140, page.width() - 590, 480);
    layout.legendPanel = QRectF(60, 650, page.width() - 120, page.height() - 740);
    layout.layoutTarget = layout.layoutPanel.adjusted(30, 82, -30, -28);

    const QRectF &panel = layout.legendPanel;
    ListFrame frame;
    // Entries stay below the section title and clear of the panel's edge.
    frame.area = QRectF(QPointF(panel.left() + 30, panel.top() + 58), QPointF(panel.right() - 30, panel.bottom() - 8));
    frame.firstRowY = panel.top() + 82;
    frame.pitch = 27;
    frame.columns = legendColumns(legend.size());
    frame.codePoints = 8;
    frame.textPoints = 7;
    frame.textDx = 42;
    frame.textTopDy = -14;
    frame.columnRightInset = 4;
    layout.legend = fitList(frame, legendEntries(legend));

    const FittedList &list = layout.legend;
    const qsizetype placed = list.entries.size() + (list.hiddenCount > 0 ? 1 : 0);
    const qsizetype usedColumns = list.rows > 0 ? (placed + list.rows - 1) / list.rows : 0;
    for (qsizetype column = 1; column < usedColumns; ++column) {
        const double x = list.columnLefts[column] - 15;
        layout.columnRules.append(QLineF(x, panel.top() + 68, x, panel.bottom() - 28));
    }
    return layout;
}

QList<ListEntryText> legendEntries(const QList<LegendRow> &legend)
{
    QList<ListEntryText> entries;
    entries.reserve(legend.size());
    for (const LegendRow &row : legend) {
        entries.append({row.code, QStringLiteral("%1 × %2 m · %3 uds.")
                                      .arg(fixedText(row.width, 3), fixedText(row.height, 3))
                                      .arg(row.count)});
    }
    return entries;
}

QList<SummaryRow> summaryRows(const ReportInput &input)
{
    const CuttingPlan &plan = *input.plan;
    const QString &language = input.language;
    const QColor ink(0x111827);
    const double used = coveredArea(plan);
    const double purchased = purchasedArea(plan);
    // Rounding in the cell areas can put the covered area a hair above the
    // purchased one; a share stays within 0–100.
    const double efficiency = purchased > 1e-7 ? std::clamp(used / purchased * 100.0, 0.0, 100.0) : 0.0;
    const double waste = std::max(0.0, purchased - used);
    const auto tr = [&language](const char *es, const char *en, const char *de) {
        return reportText(language, es, en, de);
    };
    const QString units = tr("%1 uds.", "%1 units", "%1 Stueck");
    const QString orientation = plan.vertical ? tr("Vertical (90°)", "Vertical (90°)", "Vertikal (90°)")
                                              : QStringLiteral("Horizontal (0°)");
    QString start = startCornerName(plan.startIndex, language);
    if (start.isEmpty())
        start = plan.startLabel;
    QList<SummaryRow> rows{
        {tr("Geometría", "Geometry", "Geometrie"),
         QStringLiteral("%1 × %2 m").arg(fixedText(input.drawing.bounds.width(), 3),
                                         fixedText(input.drawing.bounds.height(), 3)),
         ink},
        {tr("Superficie real", "Actual area", "Tatsaechliche Flaeche"),
         QStringLiteral("%1 m²").arg(fixedText(input.drawing.area, 3)), ink},
        {tr("Plancha", "Sheet", "Platte"),
         QStringLiteral("%1 × %2 m").arg(fixedText(plan.sheetWidth, 3), fixedText(plan.sheetHeight, 3)), ink},
        {tr("Orientación", "Orientation", "Ausrichtung"), orientation, ink},
        {tr("Inicio", "Start", "Start"), start, ink},
        {tr("Planchas enteras", "Full sheets", "Ganze Platten"), units.arg(plan.wholeSheetCount), ink},
        {tr("Planchas de corte", "Cutting sheets", "Zuschnittplatten"), units.arg(cuttingSheetCount(plan)), ink},
        {tr("TOTAL COMPRA", "TOTAL PURCHASE", "GESAMTEINKAUF"),
         tr("%1 planchas", "%1 sheets", "%1 Platten").arg(totalPurchase(plan)), QColor(0x1d4ed8)},
        {tr("Aprovechamiento", "Efficiency", "Materialausnutzung"),
         QStringLiteral("%1%").arg(fixedText(efficiency, 1)), QColor(0x15803d)},
        {tr("Desperdicio", "Waste", "Verschnitt"),
         QStringLiteral("%1% (%2 m²)").arg(fixedText(100.0 - efficiency, 1), fixedText(waste, 3)),
         QColor(0xdc2626)},
    };
    // Only a thorough plan says how it was nested; the standard nesting is
    // the default.
    if (plan.nesting == NestingMode::Thorough)
        rows.append({tr("Anidado", "Nesting", "Verschachtelung"),
                     tr("exhaustivo", "thorough", "gründlich"), ink});
    return rows;
}

QString cellLabel(const QRectF &cellOnPage, const GridCell &cell, int wholeSheetCount)
{
    if (cellOnPage.width() < 22 || cellOnPage.height() < 14)
        return QString();
    const QFont font = reportFont(7, true);
    if (reportLineHeight(font) > cellOnPage.height())
        return QString();
    const QString full = cell.whole ? QStringLiteral("E")
                                    : QStringLiteral("%1 / P%2").arg(cell.code).arg(wholeSheetCount + 1 + cell.sheetIndex);
    if (reportTextWidth(font, full) <= cellOnPage.width())
        return full;
    if (!cell.whole && reportTextWidth(font, cell.code) <= cellOnPage.width())
        return cell.code;
    return QString();
}

void drawGeneralPage(QPainter &painter, const QRectF &page, const ReportInput &input, int pageNumber,
                     int pageCount)
{
    const QString &language = input.language;
    drawPageHeader(painter, page,
                   reportText(language, "INFORME GENERAL DE DESPIECE", "GENERAL CUTTING REPORT",
                              "ALLGEMEINER ZUSCHNITTBERICHT"),
                   input.fileName, pageNumber, pageCount, language);
    if (!input.plan)
        return;
    const QList<LegendRow> legend = dimensionLegend(*input.plan);
    const GeneralPageLayout layout = layoutGeneralPage(page, legend);

    drawPanel(painter, layout.summaryPanel);
    drawPanel(painter, layout.layoutPanel);
    drawPanel(painter, layout.legendPanel);

    painter.setPen(QColor(0x111827));
    painter.setFont(reportFont(11, true));
    const auto titleStrip = [](const QRectF &panel, double height) {
        return QRectF(int(panel.left() + 24), int(panel.top() + 22), panel.width() - 48, height);
    };
    painter.drawText(titleStrip(layout.summaryPanel, 48), Qt::AlignLeft | Qt::TextWordWrap,
                     reportText(language, "RESUMEN DE COMPRA Y CORTE", "PURCHASE AND CUTTING SUMMARY",
                                "EINKAUFS- UND ZUSCHNITTSÜBERSICHT"));
    painter.drawText(titleStrip(layout.layoutPanel, 28), Qt::AlignLeft,
                     reportText(language, "VISTA GENERAL DE MONTAJE", "GENERAL LAYOUT VIEW",
                                "ALLGEMEINE MONTAGEANSICHT"));
    painter.drawText(titleStrip(layout.legendPanel, 28), Qt::AlignLeft,
                     reportText(language, "LEYENDA DE MEDIDAS (códigos usados en el montaje)",
                                "DIMENSION LEGEND (codes used in the layout)",
                                "MASSLEGENDE (in der Anordnung verwendete Codes)"));

    drawSummary(painter, layout.summaryPanel, input);
    drawLayout(painter, layout, input);
    drawLegend(painter, layout, legend, legendEntries(legend), language);
}

} // namespace tallero
