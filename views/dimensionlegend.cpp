#include "views/dimensionlegend.h"

#include <QHash>

#include <algorithm>

namespace tallero {

namespace {

// "E" first, then by the number after the first letter. A code that carries
// no number (never made by the plan) sorts after the numbered ones, by text.
bool legendOrder(const QString &a, const QString &b)
{
    const auto rank = [](const QString &code) {
        if (code == QLatin1String("E"))
            return std::pair<int, qlonglong>(0, 0);
        bool numbered = false;
        const qlonglong number = code.mid(1).toLongLong(&numbered);
        return numbered ? std::pair<int, qlonglong>(1, number) : std::pair<int, qlonglong>(2, 0);
    };
    const auto rankA = rank(a);
    const auto rankB = rank(b);
    if (rankA != rankB)
        return rankA < rankB;
    return a < b;
}

} // namespace

QList<LegendRow> dimensionLegend(const CuttingPlan &plan)
{
    QHash<QString, LegendRow> byCode;
    for (const GridCell &cell : plan.cells) {
        LegendRow &row = byCode[cell.code];
        row.code = cell.code;
        // All cells of one code agree to the millimetre, so the last one
        // seen gives the size as well as any.
        row.width = cell.whole ? plan.sheetWidth : cell.shape.bounds.width();
        row.height = cell.whole ? plan.sheetHeight : cell.shape.bounds.height();
        ++row.count;
    }
    QStringList codes = byCode.keys();
    std::sort(codes.begin(), codes.end(), legendOrder);
    QList<LegendRow> rows;
    rows.reserve(codes.size());
    for (const QString &code : codes)
        rows.append(byCode.value(code));
    return rows;
}

QString legendSizeText(const LegendRow &row)
{
    return QStringLiteral("%1 x %2 m").arg(row.width, 0, 'f', 3).arg(row.height, 0, 'f', 3);
}

} // namespace tallero
