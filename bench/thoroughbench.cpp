#include "thoroughbench.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
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
    int rectangleBound = 0;
    int anyLayoutBound = 0;
    int standardPurchase = 0;
    int thoroughPurchase = 0;
    int worse = 0;   // the standard winner better by the optimiser's key
    int traded = 0;  // a sheet fewer to buy for more cutting sheets
};

QList<Shape> cutPieceShapes(const CuttingPlan &plan)
{
    QList<Shape> pieces;
    for (const GridCell &cell : plan.cells) {
        if (!cell.whole)
            pieces.append(cell.shape);
    }
    return pieces;
}

// The fewest cutting sheets the winner of any nesting could have: a layout
// wins only if it buys no more than the thorough winner, and it buys at
// least its whole sheets and its bound, so the least bound among the
// layouts that can do that is a bound on the winner's cutting sheets,
// whichever layout it is.
int anyLayoutBound(const Shape &outline, const PlanBenchOptions &options, int bestPurchase)
{
    int least = -1;
    for (const LayoutChoice &choice : layoutChoices()) {
        const double w = choice.vertical ? options.height : options.width;
        const double h = choice.vertical ? options.width : options.height;
        try {
            const CuttingPlan plan =
                computeCuttingPlan(outline, w, h, options.gap, choice.right, choice.top);
            const int bound = rectangleSheetBound(cutPieceShapes(plan), w, h);
            if (plan.wholeSheetCount + bound <= bestPurchase && (least < 0 || bound < least))
                least = bound;
        } catch (const std::exception &) {
            // A layout without a plan cannot win.
        }
    }
    return std::max(least, 0);
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
    const QList<Shape> pieces = cutPieceShapes(t);
    const QList<double> areas = pieceAreas(pieces);
    const int bound = areaSheetBound(areas, sheetArea(t));
    const int strong = largePieceSheetBound(areas, sheetArea(t));
    const int rectangles = rectangleSheetBound(pieces, t.sheetWidth, t.sheetHeight);
    const int anyLayout = anyLayoutBound(drawing, options, totalPurchase(t));
    std::printf("%s\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%.0f\t%.0f\t%s%s\n", qPrintable(name),
                cuttingSheetCount(s), cuttingSheetCount(t), bound, strong, rectangles, anyLayout,
                totalPurchase(s),
                totalPurchase(t), standardMs, thoroughMs,
                qPrintable(layoutChoiceName(thorough.winner)), sound ? "" : "\tNESTING FAULT");
    std::fflush(stdout);
    totals.standardSheets += cuttingSheetCount(s);
    totals.thoroughSheets += cuttingSheetCount(t);
    totals.lowerBound += bound;
    totals.strongBound += strong;
    totals.rectangleBound += rectangles;
    totals.anyLayoutBound += anyLayout;
    totals.standardPurchase += totalPurchase(s);
    totals.thoroughPurchase += totalPurchase(t);
    if (isBetterPlan(s, t))
        ++totals.worse;
    // Another layout can win on the sheets bought with more of them to cut.
    if (totalPurchase(t) < totalPurchase(s) && cuttingSheetCount(t) > cuttingSheetCount(s))
        ++totals.traded;
    return sound;
}

} // namespace

int runThoroughBench(const QStringList &files, const PlanBenchOptions &options)
{
    std::fprintf(stderr, "file\tstd cutting\tthorough cutting\tarea bound\tlarge-piece bound\t"
                         "rectangle bound\tany-layout bound\t"
                         "std purchase\t"
                         "thorough purchase\tstd ms\tthorough ms\tthorough winner\n");
    Totals totals;
    bool allGood = true;
    for (const QString &path : files)
        allGood = benchFile(path, options, totals) && allGood;
    const double saved = totals.standardSheets > 0
        ? 100.0 * (totals.standardSheets - totals.thoroughSheets) / totals.standardSheets
        : 0.0;
    // The most any nesting could save, of the thorough winners' layouts or of any.
    const auto room = [&](int bound) {
        return totals.standardSheets > 0
            ? 100.0 * (totals.standardSheets - bound) / totals.standardSheets
            : 0.0;
    };
    std::printf("total\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\tsaved %.1f%% cutting sheets, worse on %d, "
                "fewer bought for more cut on %d; "
                "at most %.1f%% by the large-piece bound, %.1f%% by the rectangle bound, "
                "%.1f%% on any layout\n",
                totals.standardSheets, totals.thoroughSheets, totals.lowerBound,
                totals.strongBound, totals.rectangleBound, totals.anyLayoutBound,
                totals.standardPurchase, totals.thoroughPurchase, saved, totals.worse,
                totals.traded, room(totals.strongBound), room(totals.rectangleBound),
                room(totals.anyLayoutBound));
    return allGood ? 0 : 1;
}

} // namespace tallero::bench
