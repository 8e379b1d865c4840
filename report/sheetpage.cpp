#include "report/sheetpage.h"

#include "engine/plancheck.h"
#include "report/pageframe.h"
#include "report/reportstyle.h"

#include <QMap>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace tallero {

namespace {

QPen outlinePen(double width)
{
    return QPen(QColor(0x334155), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

QString pieceCode(const CuttingPlan &plan, const PiecePlacement &placement)
{
    return plan.pieceCodes.value(placement.pieceIndex);
}

QString sizeText(const QRectF &bounds)
{
    return QStringLiteral("%1 × %2 m").arg(fixedText(bounds.width(), 3), fixedText(bounds.height(), 3));
}

struct DataRow
{
    QString label;
    QString value;
    QColor colour;
};

QList<DataRow> dataRows(const CuttingPlan &plan, int sheetIndex, const QString &language)
{
    const auto tr = [&language](const char *es, const char *en, const char *de) {
        return reportText(language, es, en, de);
    };
    const CuttingSheet &sheet = plan.sheets.at(sheetIndex);
    const double area = plan.sheetWidth * plan.sheetHeight;
    const double efficiency = area > 1e-7 ? sheet.usedArea / area * 100.0 : 0.0;
    const QColor ink(0x111827);
    return {
        {tr("Plancha", "Sheet", "Platte"), QStringLiteral("P%1").arg(cuttingSheetNumber(plan, sheetIndex)), ink},
        {tr("Medida", "Size", "Mass"),
         QStringLiteral("%1 × %2 m").arg(fixedText(plan.sheetWidth, 3), fixedText(plan.sheetHeight, 3)), ink},
        {tr("Piezas", "Pieces", "Teile"), QString::number(sheet.placements.size()), ink},
        {tr("Área utilizada", "Used area", "Genutzte Flaeche"),
         QStringLiteral("%1 m²").arg(fixedText(sheet.usedArea, 3)), ink},
        {tr("Aprovechamiento", "Efficiency", "Materialausnutzung"),
         QStringLiteral("%1%").arg(fixedText(efficiency, 1)), QColor(0x15803d)},
        {tr("Desperdicio", "Waste", "Verschnitt"), QStringLiteral("%1%").arg(fixedText(100.0 - efficiency, 1)),
         QColor(0xdc2626)},
    };
}

} // namespace

QList<SheetPieceEntry> sheetPieceList(const CuttingPlan &plan, int sheetIndex)
{
    // Keyed by code and the placed size to the millimetre: the same code
    // turned a quarter has another placed size and gets its own entry.
    QMap<std::tuple<QString, qint64, qint64>, SheetPieceEntry> groups;
    if (sheetIndex < 0 || sheetIndex >= plan.sheets.size())
        return {};
    for (const PiecePlacement &placement : plan.sheets.at(sheetIndex).placements) {
        const QRectF &bounds = placement.shape.bounds;
        const QString code = pieceCode(plan, placement);
        const auto key = std::make_tuple(code, qint64(std::llround(bounds.width() * 1000.0)),
                                         qint64(std::llround(bounds.height() * 1000.0)));
        SheetPieceEntry &entry = groups[key];
        entry.code = code;
        entry.width = bounds.width();
        entry.height = bounds.height();
        ++entry.count;
    }
    return groups.values();
}

QList<ListEntryText> sheetPieceEntries(const QList<SheetPieceEntry> &pieces, const QString &language)
{
    const QString format = reportText(language, "%1 ud. · %2 × %3 m", "%1 unit · %2 × %3 m", "%1 Stueck · %2 × %3 m");
    QList<ListEntryText> entries;
    entries.reserve(pieces.size());
    for (const SheetPieceEntry &piece : pieces)
        entries.append({piece.code, format.arg(piece.count).arg(fixedText(piece.width, 3), fixedText(piece.height, 3))});
    return entries;
}

SheetPageLayout layoutSheetPage(const QRectF &page, const QList<ListEntryText> &pieces)
{
    SheetPageLayout layout;
    layout.sheetPanel = QRectF(60, 145, int(page.width() * 0.68), page.height() - 270);
    const QRectF &a = layout.sheetPanel;
    layout.dataPanel = QRectF(a.right() + 35, 145, (page.right() - 60) - a.right() - 35, page.height() - 270);
    const QRectF &q = layout.dataPanel;
    layout.drawingArea = a.adjusted(32, 76, -32, -32);
    const double y = q.top() + 82 + 6 * 36;
    layout.separatorY = y + 10;
    layout.listTitleBaseline = QPointF(int(q.left() + 28), int(y + 44));
    layout.closingRect = QRectF(int(q.left() + 28), int(q.bottom() - 65), q.width() - 56, 47);

    ListFrame frame;
    // Between the list title and the closing line.
    frame.area = QRectF(QPointF(q.left() + 30, y + 52), QPointF(q.right() - 28, layout.closingRect.top() - 1));
    frame.firstRowY = y + 74;
    frame.pitch = 28;
    frame.columns = 1;
    frame.codePoints = 8;
    frame.textPoints = 8;
    frame.codeDx = 24;
    frame.codeDy = 1;
    frame.textDx = 62;
    frame.textTopDy = 1 - reportAscent(reportFont(8));
    frame.swatchSize = 14;
    frame.swatchDy = -10;
    frame.columnRightInset = 4;
    layout.pieceList = fitList(frame, pieces);
    return layout;
}

PieceLabel pieceLabel(const QRectF &pieceOnPage, const QString &code, const QString &sizeText)
{
    if (pieceOnPage.width() < 30 || pieceOnPage.height() < 32)
        return PieceLabel::None;
    // The code is centred 11 pixels above the middle and the size 11 below,
    // so the two lines together need 22 pixels plus half of each line.
    const QFont codeFont = reportFont(8, true);
    const QFont sizeFont = reportFont(6);
    const double codeHeight = reportLineHeight(codeFont);
    if (reportTextWidth(codeFont, code) > pieceOnPage.width() || codeHeight > pieceOnPage.height())
        return PieceLabel::None;
    if (reportTextWidth(sizeFont, sizeText) > pieceOnPage.width()
        || 22 + codeHeight / 2 + reportLineHeight(sizeFont) / 2 > pieceOnPage.height())
        return PieceLabel::Code;
    return PieceLabel::CodeAndSize;
}

ValidationLine validationLine(const CuttingPlan &plan, const QString &language)
{
    if (!plan.nestingVerdict)
        return {reportText(language, "VALIDACIÓN: SIN COMPROBAR · el encaje de este plan no se ha comprobado",
                           "VALIDATION: NOT CHECKED · the nesting of this plan has not been checked",
                           "PRÜFUNG: NICHT GEPRÜFT · die Anordnung dieses Plans wurde nicht geprüft"),
                false};
    switch (*plan.nestingVerdict) {
    case NestingFault::None:
        return {reportText(language, "VALIDACIÓN: OK · sin solapes y dentro de los límites",
                           "VALIDATION: OK · no overlaps and within bounds",
                           "PRÜFUNG: OK · keine Überlappungen und innerhalb der Grenzen"),
                true};
    case NestingFault::PieceOutsideSheet:
        return {reportText(language, "VALIDACIÓN: ATENCIÓN · una pieza de este plan sobresale de su plancha",
                           "VALIDATION: WARNING · a piece of this plan reaches past its sheet",
                           "PRÜFUNG: WARNUNG · ein Teil dieses Plans ragt über seine Platte hinaus"),
                false};
    case NestingFault::PiecesOverlap:
        return {reportText(language, "VALIDACIÓN: ATENCIÓN · hay piezas de este plan que se solapan",
                           "VALIDATION: WARNING · pieces of this plan overlap",
                           "PRÜFUNG: WARNUNG · Teile dieses Plans überlappen sich"),
                false};
    }
    return {};
}

void drawSheetPage(QPainter &painter, const QRectF &page, const ReportInput &input, int sheetIndex,
                   int pageNumber, int pageCount)
{
    const CuttingPlan &plan = *input.plan;
    const QString &language = input.language;
    const int number = cuttingSheetNumber(plan, sheetIndex);
    drawPageHeader(painter, page,
                   reportText(language, "PLANCHA FÍSICA P%1", "PHYSICAL SHEET P%1", "PHYSISCHE PLATTE P%1").arg(number),
                   reportText(language, "Plan de corte · %1 × %2 m", "Cutting plan · %1 × %2 m",
                              "Zuschnittplan · %1 × %2 m")
                       .arg(fixedText(plan.sheetWidth, 3), fixedText(plan.sheetHeight, 3)),
                   pageNumber, pageCount, language);

    const QList<ListEntryText> pieces = sheetPieceEntries(sheetPieceList(plan, sheetIndex), language);
    const SheetPageLayout layout = layoutSheetPage(page, pieces);
    drawPanel(painter, layout.sheetPanel);
    drawPanel(painter, layout.dataPanel);

    painter.setPen(QColor(0x111827));
    painter.setFont(reportFont(12, true));
    const auto titleStrip = [](const QRectF &panel) {
        return QRectF(int(panel.left() + 24), int(panel.top() + 24), panel.width() - 48, 24);
    };
    painter.drawText(titleStrip(layout.sheetPanel), Qt::AlignLeft,
                     reportText(language, "DISTRIBUCIÓN DE CORTE", "CUTTING LAYOUT", "ZUSCHNITTANORDNUNG"));
    painter.drawText(titleStrip(layout.dataPanel), Qt::AlignLeft,
                     reportText(language, "DATOS DE FABRICACIÓN", "MANUFACTURING DATA", "FERTIGUNGSDATEN"));

    // The sheet to scale, its pieces cut off at its edge.
    const QColor colour = reportPaletteColour(sheetIndex);
    const CuttingSheet &sheet = plan.sheets.at(sheetIndex);
    const QRectF &d = layout.drawingArea;
    const bool sized = plan.sheetWidth > 1e-7 && plan.sheetHeight > 1e-7;
    const double s = sized ? std::min(d.height() / plan.sheetHeight, d.width() / plan.sheetWidth) * 0.94 : 0.0;
    QTransform transform;
    transform.translate(d.center().x(), d.center().y());
    transform.scale(s, -s);
    transform.translate(-plan.sheetWidth / 2, -plan.sheetHeight / 2);
    if (sized) {
        const QRectF sheetOnPage = transform.mapRect(QRectF(0, 0, plan.sheetWidth, plan.sheetHeight));
        painter.save();
        painter.resetTransform();
        painter.setBrush(Qt::white);
        painter.setPen(outlinePen(1.3));
        painter.drawRect(sheetOnPage);
        painter.setClipRect(sheetOnPage, Qt::IntersectClip);
        for (const PiecePlacement &placement : sheet.placements) {
            painter.setBrush(colour);
            painter.setPen(outlinePen(0.8));
            painter.drawPath(transform.map(placement.shape.path));
        }
        painter.restore();

        painter.setPen(Qt::white);
        for (const PiecePlacement &placement : sheet.placements) {
            const QRectF r = transform.mapRect(placement.shape.bounds);
            const QString code = pieceCode(plan, placement);
            const QString size = sizeText(placement.shape.bounds);
            const PieceLabel label = pieceLabel(r, code, size);
            if (label == PieceLabel::None)
                continue;
            painter.setFont(reportFont(8, true));
            painter.drawText(label == PieceLabel::Code ? r : r.translated(0, -11), Qt::AlignCenter, code);
            if (label == PieceLabel::CodeAndSize) {
                painter.setFont(reportFont(6));
                painter.drawText(r.translated(0, 11), Qt::AlignCenter, size);
            }
        }
    }

    // Manufacturing data.
    const QRectF &q = layout.dataPanel;
    const QList<DataRow> rows = dataRows(plan, sheetIndex, language);
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const int y = int(q.top() + 82 + 36 * k);
        painter.setFont(reportFont(9));
        painter.setPen(QColor(0x475569));
        painter.drawText(QPoint(int(q.left() + 28), y), rows[k].label);
        painter.setFont(reportFont(9, true));
        painter.setPen(rows[k].colour);
        painter.drawText(QRectF(int(q.left() + 120), y - 14, q.width() - 145, 20), Qt::AlignRight, rows[k].value);
    }
    painter.setPen(QColor(0xcbd5e1));
    painter.drawLine(QPointF(int(q.left() + 28), layout.separatorY), QPointF(int(q.right() - 28), layout.separatorY));

    painter.setPen(QColor(0x111827));
    painter.setFont(reportFont(10, true));
    painter.drawText(layout.listTitleBaseline, reportText(language, "LISTA DE PIEZAS", "PIECE LIST", "STÜCKLISTE"));

    const FittedList &list = layout.pieceList;
    for (const ListEntryBox &entry : list.entries) {
        painter.fillRect(entry.swatch, colour);
        painter.setPen(QColor(0x111827));
        painter.setFont(list.codeFont);
        painter.drawText(entry.codeBaseline, pieces[entry.index].code);
        painter.setFont(list.textFont);
        painter.drawText(entry.textRect, Qt::AlignLeft | Qt::AlignTop, pieces[entry.index].text);
    }
    if (list.hiddenCount > 0) {
        painter.setFont(reportFont(minimumListPoints, true));
        painter.setPen(QColor(0x111827));
        painter.drawText(list.moreRect, Qt::AlignLeft | Qt::AlignTop, moreEntriesText(list.hiddenCount, language));
    }

    const ValidationLine closing = validationLine(plan, language);
    painter.setPen(closing.clean ? QColor(0x15803d) : QColor(0xdc2626));
    painter.setFont(reportFont(8, true));
    painter.drawText(layout.closingRect, Qt::AlignLeft | Qt::TextWordWrap, closing.text);
}

} // namespace tallero
