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
    bool layoutDigests = false;   // also print the fingerprint of every layout's plan
};

// Prints one tab-separated line per file: name, whole sheets, cutting sheets
// and cut pieces of the horizontal bottom-left plan, its median time in ms,
// the median time of the eight-plan search in ms, the winner (orientation and
// corner), the winner's total purchase, and fingerprints of the placements of
// the first plan and of the winner's. Returns the process exit code.
int runPlanBench(const QStringList &files, const PlanBenchOptions &options);

} // namespace tallero::bench
