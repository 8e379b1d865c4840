#pragma once

#include "report/reportinput.h"

#include <QString>
#include <QUrl>

#include <functional>

namespace tallero {

class RodalixV69;

// What the window prints: its current plan, the canvas's drawing and file
// name, and the current language.
ReportInput reportInputOf(const RodalixV69 &window);

// The Export PDF command: asks for a file in the report folder, writes the
// report and offers to open it.
void exportPdfReport(RodalixV69 &window);

// The folder the save dialog opens in: the stored report folder when it
// exists or can be made, else Documents/Tallero/Informes, else Documents,
// else `home`. Never empty, so the export always reaches its dialog.
QString reportFolder(const QString &stored, const QString &documents, const QString &home);

// Stand-ins for the save dialog and the desktop's PDF viewer, for tests: a
// dialog hook gets the title, the proposed path and the filter and returns
// the chosen path (empty for cancel); an open hook gets the file's URL and
// says whether it could be opened. Empty functions restore the real ones.
using ReportSaveDialogHook = std::function<QString(const QString &, const QString &, const QString &)>;
using OpenReportHook = std::function<bool(const QUrl &)>;
void setReportSaveDialogHook(ReportSaveDialogHook hook);
void setOpenReportHook(OpenReportHook hook);

} // namespace tallero
