#include "thoroughbench.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingsheetbound.h"
#include "engine/layoutsearch.h"
#include "engine/plancheck.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cmath>
#include <cstdio>

namespace tallero::bench {

namespace {

struct Totals
{
    int standardSheets = 0;
    int thoroughSheets = 0;
    int lowerBound = 0;
    int strongBound = 0;
    int standardPurchase = 0;
    int thoroughPurchase = 0;
    int worse = 0;
};

QList<double> cutPieceAreas(const CuttingPlan &plan)
{
    QList<double> areas;
    for (const GridCell &cell : plan.cells) {
        if (!cell.whole)
            areas.append(cell.shape.area);
    }
    return areas;
}

bool benchFile(const QString &path, const PlanBenchOptions &options, Totals &totals)
{
    const QString name = QFileInfo(path).fileName();
    Drawing drawing;
    QString error;
    if (!readDxfDrawing(path, drawing, error)) {
        std::printf("%s\terror\t%s\n", qPrintable(name), qPrintable(error));
        return false;
    }
    const auto timed = [&](NestingMode mode, double &ms) {
        QElapsedTimer timer;
        timer.start();
        LayoutSearchResult result = searchBestLayout(drawing, options.width, options.height,
                                                     options.gap, PlanControl{}, options.threads,
                                                     mode);
        ms = timer.nsecsElapsed() / 1e6;
        return result;
    };
    double standardMs = 0.0;
    double thoroughMs = 0.0;
    const LayoutSearchResult standard = timed(NestingMode::Standard, standardMs);
    const LayoutSearchResult thorough = timed(NestingMode::Thorough, thoroughMs);
    if (!standard.best || !thorough.best) {
        std::printf("%s\terror\tno layout\n", qPrintable(name));
        return false;
    }
    const CuttingPlan &s = *standard.best;
    const CuttingPlan &t = *thorough.best;
    const bool sound = findNestingFault(t) == NestingFault::None;
    const QList<double> areas = cutPieceAreas(t);
    const int bound = areaSheetBound(areas, sheetArea(t));
    const int strong = largePieceSheetBound(areas, sheetArea(t));
    std::printf("%s\t%d\t%d\t%d\t%d\t%d\t%d\t%.0f\t%.0f\t%s%s\n", qPrintable(name),
                cuttingSheetCount(s), cuttingSheetCount(t), bound, strong, totalPurchase(s),
                totalPurchase(t), standardMs, thoroughMs,
                qPrintable(layoutChoiceName(thorough.winner)), sound ? "" : "\tNESTING FAULT");
    std::fflush(stdout);
    totals.standardSheets += cuttingSheetCount(s);
    totals.thoroughSheets += cuttingSheetCount(t);
    totals.lowerBound += bound;
    totals.strongBound += strong;
    totals.standardPurchase += totalPurchase(s);
    totals.thoroughPurchase += totalPurchase(t);
    if (totalPurchase(t) > totalPurchase(s) || cuttingSheetCount(t) > cuttingSheetCount(s))
        ++totals.worse;
    return sound;
}

} // namespace

int runThoroughBench(const QStringList &files, const PlanBenchOptions &options)
{
    std::fprintf(stderr, "file\tstd cutting\tthorough cutting\tarea bound\tlarge-piece bound\t"
                         "std purchase\t"
                         "thorough purchase\tstd ms\tthorough ms\tthorough winner\n");
    Totals totals;
    bool allGood = true;
    for (const QString &path : files)
        allGood = benchFile(path, options, totals) && allGood;
    const double saved = totals.standardSheets > 0
        ? 100.0 * (totals.standardSheets - totals.thoroughSheets) / totals.standardSheets
        : 0.0;
    // The most any nesting of the thorough winners' layouts could save.
    const double room = totals.standardSheets > 0
        ? 100.0 * (totals.standardSheets - totals.strongBound) / totals.standardSheets
        : 0.0;
    std::printf("total\t%d\t%d\t%d\t%d\t%d\t%d\tsaved %.1f%% cutting sheets, worse on %d; "
                "the large-piece bound leaves at most %.1f%%\n",
                totals.standardSheets, totals.thoroughSheets, totals.lowerBound,
                totals.strongBound, totals.standardPurchase, totals.thoroughPurchase, saved,
                totals.worse, room);
    return allGood ? 0 : 1;
}

} // namespace tallero::bench
