#include "planbench.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "engine/layoutsearch.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>

namespace tallero::bench {

namespace {

double medianMilliseconds(int runs, const std::function<void()> &work)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A short fingerprint of where every piece went, so two builds can be shown
// to give the same plans, not only the same counts.
QString placementDigest(const CuttingPlan &plan)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const CuttingSheet &sheet : plan.sheets) {
        for (const PiecePlacement &p : sheet.placements) {
            hash.addData(QStringLiteral("%1 %2 %3 %4 %5;")
                             .arg(p.sheetIndex)
                             .arg(p.pieceIndex)
                             .arg(p.x, 0, 'f', 9)
                             .arg(p.y, 0, 'f', 9)
                             .arg(p.angle)
                             .toLatin1());
        }
    }
    return QString::fromLatin1(hash.result().toHex().left(12));
}

bool benchFile(const QString &path, const PlanBenchOptions &options)
{
    Drawing drawing;
    QString error;
    if (!readDxfDrawing(path, drawing, error)) {
        std::printf("%s\terror\t%s\n", qPrintable(QFileInfo(path).fileName()), qPrintable(error));
        return false;
    }
    const Shape &outline = drawing;
    const double w = options.width;
    const double h = options.height;
    const double g = options.gap;

    CuttingPlan plan;
    double planTime = 0.0;
    try {
        planTime = medianMilliseconds(options.runs, [&] {
            plan = computeCuttingPlan(outline, w, h, g, false, false);
        });
    } catch (const std::exception &failure) {
        std::printf("%s\terror\t%s\n", qPrintable(QFileInfo(path).fileName()), failure.what());
        return false;
    }

    LayoutSearchResult search;
    const double searchTime = medianMilliseconds(options.runs, [&] {
        search = searchBestLayout(outline, w, h, g, PlanControl{}, options.threads);
    });
    const QString winner = search.best ? layoutChoiceName(search.winner) : QStringLiteral("none");
    const int purchase = search.best ? totalPurchase(*search.best) : 0;

    const QString digests = placementDigest(plan) + QLatin1Char('/')
        + (search.best ? placementDigest(*search.best) : QStringLiteral("none"));

    if (options.layoutDigests) {
        for (const LayoutChoice &choice : layoutChoices()) {
            QString digest;
            try {
                const CuttingPlan layout = choice.vertical
                    ? computeCuttingPlan(outline, h, w, g, choice.right, choice.top)
                    : computeCuttingPlan(outline, w, h, g, choice.right, choice.top);
                digest = placementDigest(layout);
            } catch (const std::exception &failure) {
                digest = QString::fromUtf8(failure.what());
            }
            std::printf("%s\t%s\t%s\n", qPrintable(QFileInfo(path).fileName()),
                        qPrintable(layoutChoiceName(choice)), qPrintable(digest));
        }
    }

    std::printf("%s\t%d\t%d\t%d\t%.1f\t%.1f\t%s\t%d\t%s\n",
                qPrintable(QFileInfo(path).fileName()), plan.wholeSheetCount,
                cuttingSheetCount(plan), cutPieceCount(plan), planTime, searchTime,
                qPrintable(winner), purchase, qPrintable(digests));
    std::fflush(stdout);
    return true;
}

} // namespace

int runPlanBench(const QStringList &files, const PlanBenchOptions &options)
{
    // The column names go to stderr so that stdout holds only result lines.
    std::fprintf(stderr, "file\twhole\tcutting\tcut\tplan ms\tsearch ms\twinner\tpurchase\tplacements\n");
    bool allRead = true;
    for (const QString &path : files)
        allRead = benchFile(path, options) && allRead;
    return allRead ? 0 : 1;
}

} // namespace tallero::bench
