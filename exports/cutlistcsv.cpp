#include "exports/cutlistcsv.h"

#include "exports/numbertext.h"

#include <QHash>
#include <QSizeF>

#include <map>

namespace tallero {

namespace {

struct Row
{
    int count = 0;
    double area = 0.0;
};

// R2 before R10: the number after the letter.
int codeNumber(const QString &code)
{
    return code.mid(1).toInt();
}

void appendRow(QByteArray &csv, const QString &sheet, const QString &code, int count, const QSizeF &size,
               double area)
{
    // Codes and sheet names are letters and digits only; nothing needs quoting.
    csv += sheet.toUtf8() + ',' + code.toUtf8() + ',' + QByteArray::number(count) + ','
        + exactNumberText(size.width()) + ',' + exactNumberText(size.height()) + ',' + exactNumberText(area)
        + "\r\n";
}

} // namespace

QByteArray cutListCsv(const CuttingPlan &plan)
{
    QByteArray csv = QByteArrayLiteral("sheet,code,count,width,height,area\r\n");

    // One size per code: codes group pieces whose bounds agree to the
    // millimetre, and the first piece of a code names its size, as the
    // legend does.
    QHash<QString, QSizeF> codeSize;
    QHash<int, double> pieceArea;
    double wholeArea = 0.0;
    for (const GridCell &cell : plan.cells) {
        if (cell.whole) {
            wholeArea += cell.shape.area;
            continue;
        }
        if (!codeSize.contains(cell.code))
            codeSize.insert(cell.code, cell.shape.bounds.size());
        pieceArea.insert(cell.pieceIndex, cell.shape.area);
    }
    if (plan.wholeSheetCount > 0)
        appendRow(csv, QString(), QStringLiteral("E"), plan.wholeSheetCount,
                  QSizeF(plan.sheetWidth, plan.sheetHeight), wholeArea);

    for (int i = 0; i < plan.sheets.size(); ++i) {
        std::map<int, std::pair<QString, Row>> rows;   // by code number
        for (const PiecePlacement &placement : plan.sheets[i].placements) {
            const QString code = plan.pieceCodes.value(placement.pieceIndex);
            auto &entry = rows[codeNumber(code)];
            entry.first = code;
            entry.second.count += 1;
            entry.second.area += pieceArea.value(placement.pieceIndex, placement.shape.area);
        }
        const QString sheet = QStringLiteral("P%1").arg(cuttingSheetNumber(plan, i));
        for (const auto &[number, entry] : rows)
            appendRow(csv, sheet, entry.first, entry.second.count, codeSize.value(entry.first), entry.second.area);
    }
    return csv;
}

} // namespace tallero
