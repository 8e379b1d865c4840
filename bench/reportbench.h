#pragma once

#include <QStringList>

namespace tallero::bench {

// Prints one tab-separated line per file: name, pages of its report (the
// 2.0 x 1.2 m bottom-left plan, codes assigned and nesting checked) and the
// median time in ms to write that report to a temporary PDF, and its size in
// bytes. Needs a QGuiApplication. Returns the process exit code.
int runReportBench(const QStringList &files, int runs);

} // namespace tallero::bench
