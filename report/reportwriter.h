#pragma once

#include "report/reportinput.h"

#include <QString>

namespace tallero {

// Writes the whole report of `input` to `path`: the general page, then one
// page per cutting sheet, A4 landscape at 144 dots per inch, titled and
// signed by Tallero. The file is written aside and put in place only when
// every page was drawn and written in full; on any failure (no plan, a path
// that cannot be written, a disk that fills) it returns false and a file
// that was at `path` before is left exactly as it was.
bool writeReport(const QString &path, const ReportInput &input);

// The document title the PDF carries: the report title and the drawing's
// file name.
QString reportDocumentTitle(const ReportInput &input);

// Pages of the report of a plan: the general page and one per cutting sheet.
int reportPageCount(const CuttingPlan &plan);

} // namespace tallero
