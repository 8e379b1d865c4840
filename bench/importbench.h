#pragma once

#include <QStringList>

namespace tallero::bench {

// Imports every file `runs` times and prints one tab-separated line per file:
// base name, "ok", outline area, bounds width and height (six decimals),
// number of rings, fallback flag (0/1) and the median import time in ms; or
// base name, "error" and the import's message. Returns the process exit
// code: 0 when every file imported.
int runImportBench(const QStringList &files, int runs);

// Writes a drawing of `segments` LINE entities that form one closed wavy
// curve about 10 m across. The lines are scrambled in order and direction,
// so the file order gives the chaining no help.
bool writeLineCurve(const QString &path, int segments, QString &error);

} // namespace tallero::bench
