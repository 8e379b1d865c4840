#include "ui/planexport.h"

#include "exports/cutlistcsv.h"
#include "exports/exportfiles.h"
#include "ui/localisation.h"
#include "ui/mainwindow.h"
#include "ui/messagebox.h"
#include "ui/preferences.h"
#include "ui/reportexport.h"
#include "views/nestingcanvas.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallero {

namespace {

ExportFolderDialogHook &folderHook()
{
    static ExportFolderDialogHook hook;
    return hook;
}

ExportSaveDialogHook &saveHook()
{
    static ExportSaveDialogHook hook;
    return hook;
}

QString sheetsTitle()
{
    return chooseText(QStringLiteral("Exportar planchas de corte (DXF)"), QStringLiteral("Export cutting sheets (DXF)"),
                      QStringLiteral("Zuschnittplatten exportieren (DXF)"));
}

QString cutListTitle()
{
    return chooseText(QStringLiteral("Exportar lista de corte (CSV)"), QStringLiteral("Export cut list (CSV)"),
                      QStringLiteral("Schnittliste exportieren (CSV)"));
}

void tell(RodalixV69 &window, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    showMessage(&window, icon, title, text);
}

// The exports share the report's folder: what a job hands on (report, cut
// list, machine files) ends up in one place, and the last place used is
// proposed next time.
QString exportFolder()
{
    return reportFolder(Preferences().reportFolder(),
                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath());
}

bool refuseWithoutPlan(RodalixV69 &window, const QString &title)
{
    if (window.currentPlan())
        return false;
    tell(window, QMessageBox::Information, title,
         chooseText(QStringLiteral("Calcula el despiece antes de exportar."),
                    QStringLiteral("Calculate the cutting plan before exporting."),
                    QStringLiteral("Berechnen Sie den Zuschnitt vor dem Export.")));
    return true;
}

} // namespace

QString foreignSheetsText(const QStringList &files)
{
    return chooseText(QStringLiteral("Atención: la carpeta tiene además planchas que no son de este plan: %1. "
                                     "Apártalas antes de enviar la carpeta a la máquina."),
                      QStringLiteral("Note: the folder also holds sheets that are not part of this plan: %1. "
                                     "Move them away before sending the folder to the machine."),
                      QStringLiteral("Achtung: Der Ordner enthält außerdem Platten, die nicht zu diesem Plan "
                                     "gehören: %1. Entfernen Sie sie, bevor Sie den Ordner an die Maschine senden."))
        .arg(files.join(QStringLiteral(", ")));
}

QString defaultCutListFileName(const QString &language, const QString &drawingFileName)
{
    const QString base = language == QLatin1String("de") ? QStringLiteral("schnittliste")
        : language == QLatin1String("en")                ? QStringLiteral("cut_list")
                                                          : QStringLiteral("lista_corte");
    const QString drawing = QFileInfo(drawingFileName).completeBaseName();
    return (drawing.isEmpty() ? base : base + QLatin1Char('_') + drawing) + QStringLiteral(".csv");
}

void setExportFolderDialogHook(ExportFolderDialogHook hook)
{
    folderHook() = std::move(hook);
}

void setExportSaveDialogHook(ExportSaveDialogHook hook)
{
    saveHook() = std::move(hook);
}

void exportCuttingSheetsDxf(RodalixV69 &window)
{
    if (refuseWithoutPlan(window, sheetsTitle()))
        return;
    const CuttingPlan &plan = *window.currentPlan();
    if (plan.sheets.isEmpty()) {
        tell(window, QMessageBox::Information, sheetsTitle(),
             chooseText(QStringLiteral("El plan no tiene planchas de corte: no hay nada que exportar."),
                        QStringLiteral("The plan has no cutting sheets: there is nothing to export."),
                        QStringLiteral("Der Plan hat keine Zuschnittplatten: Es gibt nichts zu exportieren.")));
        return;
    }
    const QString start = exportFolder();
    const QString folder = folderHook() ? folderHook()(sheetsTitle(), start)
                                        : QFileDialog::getExistingDirectory(&window, sheetsTitle(), start);
    if (folder.isEmpty())
        return;

    QStringList written;
    QString failedPath;
    QString error;
    if (!writeCuttingSheetFiles(folder, plan, written, failedPath, error)) {
        tell(window, QMessageBox::Warning, sheetsTitle(),
             chooseText(QStringLiteral("No se pudieron escribir las planchas de corte:\n%1\n%2"),
                        QStringLiteral("The cutting sheets could not be written:\n%1\n%2"),
                        QStringLiteral("Die Zuschnittplatten konnten nicht geschrieben werden:\n%1\n%2"))
                 .arg(QDir::toNativeSeparators(failedPath), error));
        return;
    }
    Preferences().setReportFolder(QFileInfo(folder).absoluteFilePath());
    QString text = chooseText(QStringLiteral("%1 planchas de corte guardadas en %2."),
                              QStringLiteral("%1 cutting sheets saved in %2."),
                              QStringLiteral("%1 Zuschnittplatten in %2 gespeichert."))
                       .arg(QString::number(written.size()), QDir::toNativeSeparators(folder));
    const QStringList foreign = foreignCuttingSheetFiles(folder, written);
    if (!foreign.isEmpty())
        text += QStringLiteral("\n\n") + foreignSheetsText(foreign);
    tell(window, foreign.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, sheetsTitle(), text);
}

void exportCutListCsv(RodalixV69 &window)
{
    if (refuseWithoutPlan(window, cutListTitle()))
        return;
    const QString proposed = QDir(exportFolder())
                                 .filePath(defaultCutListFileName(window.language(), window.layoutCanvas()->fileName));
    const QString filter = QStringLiteral("CSV (*.csv)");
    const QString chosen = saveHook() ? saveHook()(cutListTitle(), proposed, filter)
                                      : QFileDialog::getSaveFileName(&window, cutListTitle(), proposed, filter);
    if (chosen.isEmpty())
        return;
    const QString path =
        chosen.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".csv");

    QString error;
    if (!writeFileAtomically(path, cutListCsv(*window.currentPlan()), error)) {
        tell(window, QMessageBox::Warning, cutListTitle(),
             chooseText(QStringLiteral("No se pudo escribir la lista de corte:\n%1\n%2"),
                        QStringLiteral("The cut list could not be written:\n%1\n%2"),
                        QStringLiteral("Die Schnittliste konnte nicht geschrieben werden:\n%1\n%2"))
                 .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    Preferences().setReportFolder(QFileInfo(path).absolutePath());
    tell(window, QMessageBox::Information, cutListTitle(),
         chooseText(QStringLiteral("Lista de corte guardada correctamente."),
                    QStringLiteral("Cut list saved successfully."),
                    QStringLiteral("Schnittliste erfolgreich gespeichert.")));
}

} // namespace tallero
