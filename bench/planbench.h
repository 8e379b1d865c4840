#pragma once

#include <QStringList>

namespace tallero::bench {

struct PlanBenchOptions
{
    int runs = 5;
    double width = 2.0;
    double height = 1.2;
    double gap = 0.0;
    int threads = 0;   // of the eight-layout search: 0 all cores, 1 serial
};

// Prints one tab-separated line per file: name, whole sheets, cutting sheets
// and cut pieces of the horizontal bottom-left plan, its median time in ms,
// the median time of the eight-plan search in ms, the winner (orientation and
// corner) and the winner's total purchase. Returns the process exit code.
int runPlanBench(const QStringList &files, const PlanBenchOptions &options);

} // namespace tallero::bench
