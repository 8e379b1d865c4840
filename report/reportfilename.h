#pragma once

#include <QString>

namespace tallero {

// The name a new report is proposed under: "informe_despiece.pdf",
// "cutting_report.pdf" or "zuschnittbericht.pdf", followed by "_" and the
// drawing's name without its last extension when a drawing file is known.
QString defaultReportFileName(const QString &language, const QString &drawingFileName);

// The path with ".pdf" appended unless it already ends so, in any letter
// case.
QString withPdfSuffix(const QString &path);

} // namespace tallero
