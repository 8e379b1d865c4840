// tallero-bench: times the DXF import, the cutting plan or the PDF report on
// given files.
//
//   tallero-bench [--runs N] FILE...                 import figures per file
//   tallero-bench [--runs N] --plan [--width W --height H --gap G] [--threads T]
//                 [--layout-digests] FILE...         plan figures; T threads for the
//                                                    eight-layout search (1 = serial,
//                                                    0 = all cores); --layout-digests
//                                                    also a fingerprint per layout
//   tallero-bench --plan --thorough [--width W --height H --gap G] [--threads T] FILE...
//                                                    standard against thorough nesting:
//                                                    cutting sheets, lower bound, times
//   tallero-bench [--runs N] --report FILE...        write the report of the
//                                                    2.0 x 1.2 m plan
//   tallero-bench --make-line-curve PATH [N]         write a test drawing of
//                                                    N (100000) scrambled lines

#include "importbench.h"
#include "planbench.h"
#include "thoroughbench.h"
#include "reportbench.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

int usage()
{
    std::fputs("usage: tallero-bench [--runs N] [--plan [--width W --height H --gap G] [--threads T]\n"
               "                     [--layout-digests] | --thorough | --report] FILE...\n"
               "       tallero-bench --make-line-curve PATH [N]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // The report draws text, which needs the GUI side of Qt; on the offscreen
    // platform unless one is chosen, so the benchmark runs without a display.
    bool report = false;
    for (int i = 1; i < argc; ++i)
        report = report || std::string_view(argv[i]) == "--report";
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app = report ? std::make_unique<QGuiApplication>(argc, argv)
                                                   : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = app->arguments().mid(1);
    tallero::bench::PlanBenchOptions options;
    bool plan = false;
    bool thorough = false;
    QString curvePath;
    int curveSegments = 100000;
    QStringList files;

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (arg == QLatin1String("--runs") && hasValue) {
            options.runs = args[++i].toInt(&ok);
            ok = ok && options.runs > 0;
        } else if ((arg == QLatin1String("--width") || arg == QLatin1String("--height")
                    || arg == QLatin1String("--gap")) && hasValue) {
            const double value = args[++i].toDouble(&ok);
            ok = ok && std::isfinite(value) && (arg == QLatin1String("--gap") ? value >= 0 : value > 0);
            (arg == QLatin1String("--width") ? options.width
             : arg == QLatin1String("--height") ? options.height : options.gap) = value;
        } else if (arg == QLatin1String("--threads") && hasValue) {
            options.threads = args[++i].toInt(&ok);
            ok = ok && options.threads >= 0;
        } else if (arg == QLatin1String("--plan")) {
            plan = true;
        } else if (arg == QLatin1String("--report")) {
            report = true;
        } else if (arg == QLatin1String("--thorough")) {
            thorough = true;
        } else if (arg == QLatin1String("--layout-digests")) {
            options.layoutDigests = true;
        } else if (arg == QLatin1String("--make-line-curve") && hasValue) {
            curvePath = args[++i];
            if (i + 1 < args.size() && !args[i + 1].startsWith(u'-')) {
                curveSegments = args[++i].toInt(&ok);
                ok = ok && curveSegments >= 3;
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            ok = false;
        } else {
            files.append(arg);
        }
        if (!ok)
            return usage();
    }

    if (!curvePath.isEmpty()) {
        QString error;
        if (!tallero::bench::writeLineCurve(curvePath, curveSegments, error)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(curvePath), qPrintable(error));
            return 1;
        }
        return 0;
    }
    if (files.isEmpty())
        return usage();
    if (report)
        return tallero::bench::runReportBench(files, options.runs);
    if (plan && thorough)
        return tallero::bench::runThoroughBench(files, options);
    if (plan)
        return tallero::bench::runPlanBench(files, options);
    return tallero::bench::runImportBench(files, options.runs);
}
