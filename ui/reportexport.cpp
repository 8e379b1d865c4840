#include "ui/reportexport.h"

#include "report/reportfilename.h"
#include "report/reportwriter.h"
#include "ui/localisation.h"
#include "ui/mainwindow.h"
#include "ui/messagebox.h"
#include "ui/preferences.h"
#include "views/nestingcanvas.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace tallero {

namespace {

ReportSaveDialogHook &saveDialogHook()
{
    static ReportSaveDialogHook hook;
    return hook;
}

OpenReportHook &openHook()
{
    static OpenReportHook hook;
    return hook;
}

QString exportTitle()
{
    return chooseText(QStringLiteral("Exportar PDF"), QStringLiteral("Export PDF"), QStringLiteral("PDF exportieren"));
}

void tell(RodalixV69 &window, QMessageBox::Icon icon, const QString &text)
{
    MessageBoxRequest request;
    request.icon = icon;
    request.title = exportTitle();
    request.text = text;
    showMessageBox(&window, request);
}

bool usableFolder(const QString &folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace

ReportInput reportInputOf(const RodalixV69 &window)
{
    ReportInput input;
    input.plan = window.currentPlan();
    input.drawing = window.layoutCanvas()->drawing;
    input.fileName = window.layoutCanvas()->fileName;
    input.language = window.language();
    return input;
}

QString reportFolder(const QString &stored, const QString &documents, const QString &home)
{
    // A stored folder on an unplugged drive or a lost share must not stop
    // every export for good: the next usable place is taken instead.
    const QString base = documents.isEmpty() ? home : documents;
    const QString candidates[] = {stored, QDir(base).filePath(QStringLiteral("Tallero/Informes")), base, home};
    for (const QString &candidate : candidates) {
        if (usableFolder(candidate))
            return QDir(candidate).absolutePath();
    }
    return home.isEmpty() ? QDir::homePath() : home;
}

void setReportSaveDialogHook(ReportSaveDialogHook hook)
{
    saveDialogHook() = std::move(hook);
}

void setOpenReportHook(OpenReportHook hook)
{
    openHook() = std::move(hook);
}

void exportPdfReport(RodalixV69 &window)
{
    if (!window.currentPlan()) {
        tell(window, QMessageBox::Information,
             chooseText(QStringLiteral("Calcula el despiece antes de exportar."),
                        QStringLiteral("Calculate the cutting plan before exporting."),
                        QStringLiteral("Berechnen Sie den Zuschnitt vor dem Export.")));
        return;
    }
    Preferences preferences;
    const QString folder = reportFolder(preferences.reportFolder(),
                                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                        QDir::homePath());
    const ReportInput input = reportInputOf(window);
    const QString proposed = QDir(folder).filePath(defaultReportFileName(input.language, input.fileName));
    const QString filter = QStringLiteral("PDF (*.pdf)");
    const QString chosen = saveDialogHook() ? saveDialogHook()(exportTitle(), proposed, filter)
                                            : QFileDialog::getSaveFileName(&window, exportTitle(), proposed, filter);
    if (chosen.isEmpty())
        return;
    const QString path = withPdfSuffix(chosen);

    if (!writeReport(path, input)) {
        tell(window, QMessageBox::Warning,
             chooseText(QStringLiteral("No se pudo generar el informe PDF."),
                        QStringLiteral("The PDF report could not be generated."),
                        QStringLiteral("Der PDF-Bericht konnte nicht erstellt werden.")));
        return;
    }
    preferences.setReportFolder(QFileInfo(path).absolutePath());

    MessageBoxRequest saved;
    saved.icon = QMessageBox::Information;
    saved.title = exportTitle();
    saved.text = chooseText(QStringLiteral("Informe PDF guardado correctamente."),
                            QStringLiteral("PDF report saved successfully."),
                            QStringLiteral("PDF-Bericht erfolgreich gespeichert."));
    saved.buttons = QMessageBox::Open | QMessageBox::Ok;
    saved.defaultButton = QMessageBox::Ok;
    saved.buttonTexts = {{QMessageBox::Open, chooseText(QStringLiteral("Abrir informe"), QStringLiteral("Open report"),
                                                        QStringLiteral("Bericht öffnen"))}};
    if (showMessageBox(&window, saved) != QMessageBox::Open)
        return;
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    const bool opened = openHook() ? openHook()(url) : QDesktopServices::openUrl(url);
    if (!opened)
        tell(window, QMessageBox::Warning,
             chooseText(QStringLiteral("No se pudo abrir el informe con el visor de PDF del sistema."),
                        QStringLiteral("The report could not be opened with the system's PDF viewer."),
                        QStringLiteral("Der Bericht konnte nicht mit dem PDF-Betrachter des Systems geöffnet werden.")));
}

} // namespace tallero
