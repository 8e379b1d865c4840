#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tallero {

class RodalixV69;

// File → Export cutting sheets (DXF)…: asks for a folder (starting in the
// report folder) and writes one DXF per cutting sheet of the current plan
// into it (P13.dxf ...), for CAM.
void exportCuttingSheetsDxf(RodalixV69 &window);

// File → Export cut list (CSV)…: asks for a file in the report folder and
// writes the current plan's cut list.
void exportCutListCsv(RodalixV69 &window);

// The name a new cut list is proposed under: "lista_corte.csv",
// "cut_list.csv" or "schnittliste.csv", followed by "_" and the drawing's
// name without its last extension when a drawing file is known.
QString defaultCutListFileName(const QString &language, const QString &drawingFileName);

// The notice that the sheet folder holds sheet files of another plan, named
// in `files`, in the current language.
QString foreignSheetsText(const QStringList &files);

// Stand-ins for the dialogs, for tests: the folder hook gets the title and
// the start folder and returns the chosen folder; the save hook gets the
// title, the proposed path and the filter and returns the chosen path.
// Empty answers cancel; empty functions restore the real dialogs.
using ExportFolderDialogHook = std::function<QString(const QString &, const QString &)>;
using ExportSaveDialogHook = std::function<QString(const QString &, const QString &, const QString &)>;
void setExportFolderDialogHook(ExportFolderDialogHook hook);
void setExportSaveDialogHook(ExportSaveDialogHook hook);

} // namespace tallero
