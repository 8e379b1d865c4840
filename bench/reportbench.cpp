#include "reportbench.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "engine/plancheck.h"
#include "report/reportwriter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace tallero::bench {

namespace {

bool benchFile(const QString &path, int runs, const QString &outputFolder)
{
    const QString name = QFileInfo(path).fileName();
    ReportInput input;
    QString error;
    if (!readDxfDrawing(path, input.drawing, error)) {
        std::printf("%s\terror\t%s\n", qPrintable(name), qPrintable(error));
        return false;
    }
    try {
        CuttingPlan plan = computeCuttingPlan(input.drawing, 2.0, 1.2, 0.0, false, false);
        assignPieceCodes(plan);
        plan.nestingVerdict = findNestingFault(plan);
        input.plan = std::move(plan);
    } catch (const std::exception &exception) {
        std::printf("%s\terror\t%s\n", qPrintable(name), exception.what());
        return false;
    }
    input.fileName = name;
    const QString output = outputFolder + QStringLiteral("/report.pdf");
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!writeReport(output, input)) {
            std::printf("%s\terror\tthe report could not be written\n", qPrintable(name));
            return false;
        }
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("%s\t%d pages (%d cutting sheets)\t%.1f ms\t%lld bytes\n", qPrintable(name),
                reportPageCount(*input.plan), cuttingSheetCount(*input.plan), times[times.size() / 2],
                static_cast<long long>(QFileInfo(output).size()));
    return true;
}

} // namespace

int runReportBench(const QStringList &files, int runs)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fputs("no temporary folder for the report\n", stderr);
        return 1;
    }
    bool ok = true;
    for (const QString &file : files)
        ok = benchFile(file, runs, folder.path()) && ok;
    return ok ? 0 : 1;
}

} // namespace tallero::bench
