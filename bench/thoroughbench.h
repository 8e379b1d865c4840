#pragma once

#include "planbench.h"

#include <QStringList>

namespace tallero::bench {

// Prints one tab-separated line per file: name, the cutting sheets and total
// purchase of the standard eight-layout search and of the thorough one, the
// area bound, the large-piece bound and the rectangle bound of the thorough
// winner's cutting sheets (cuttingsheetbound.h), and the time of each search in ms; then a
// line of totals with the percentage of cutting sheets saved and the most
// the large-piece and the rectangle bound leave to save.
// Returns the process exit code.
int runThoroughBench(const QStringList &files, const PlanBenchOptions &options);

} // namespace tallero::bench
