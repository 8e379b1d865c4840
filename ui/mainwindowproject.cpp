// The project commands: Open project…, Save project and Save project as….
// A project names its drawing and holds the sheet settings as typed; opening
// one reads the drawing again and recomputes the plan.

#include "ui/mainwindow.h"

#include "project/projectfile.h"
#include "ui/filedialog.h"
#include "ui/localisation.h"
#include "ui/messagebox.h"
#include "ui/preferences.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStatusBar>

namespace tallero {

namespace {

constexpr int statusMilliseconds = 5000;
const QString projectSuffix = QStringLiteral("tlr");

QString openTitle()
{
    return uiText(QStringLiteral("Abrir proyecto"), QStringLiteral("Open project"));
}

QString saveTitle()
{
    return uiText(QStringLiteral("Guardar proyecto"), QStringLiteral("Save project"));
}

QString projectFilter()
{
    return uiText(QStringLiteral("Proyecto de Tallero (*.tlr)"), QStringLiteral("Tallero project (*.tlr)"));
}

bool isUsableDrawingFile(const QString &path)
{
    // Only a regular file is read: a folder, a pipe or a device named by a
    // project counts as missing.
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

void RodalixV69::wireProjectCommands()
{
    const struct
    {
        const char *name;
        std::function<void()> run;
    } commands[] = {
        {"openProject", [this] { openProject(); }},
        {"saveProject", [this] { saveProject(); }},
        {"saveProjectAs", [this] { saveProjectAs(); }},
    };
    for (const auto &command : commands) {
        if (QAction *action = findChild<QAction *>(QString::fromLatin1(command.name))) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, command.run);
        }
    }
}

std::optional<RodalixV69::ProjectDrawing> RodalixV69::findProjectDrawing(const QString &projectFile,
                                                                         const QString &storedPath)
{
    const QDir projectFolder = QFileInfo(projectFile).absoluteDir();
    // A relative path is taken from the project's folder, so a project and
    // its drawing can move together.
    const QString stored = storedPath.isEmpty() ? QString() : projectFolder.absoluteFilePath(storedPath);
    if (isUsableDrawingFile(stored))
        return ProjectDrawing{stored, false};
    // A project moved with its drawing beside it, the stored path left behind.
    const QString name = QFileInfo(storedPath).fileName();
    if (!name.isEmpty()) {
        const QString beside = projectFolder.absoluteFilePath(name);
        if (isUsableDrawingFile(beside))
            return ProjectDrawing{beside, true};
    }

    showMessage(this, QMessageBox::Warning, uiText(QStringLiteral("Localizar DXF"), QStringLiteral("Locate DXF")),
            uiText(QStringLiteral("No se encuentra el DXF vinculado:\n%1\n\nSelecciona su nueva ubicación."),
                   QStringLiteral("The linked DXF could not be found:\n%1\n\nSelect its new location."))
                .arg(QDir::toNativeSeparators(storedPath)));
    const QString chosen = chooseFileToOpen(
        this, {uiText(QStringLiteral("Localizar DXF del proyecto"), QStringLiteral("Locate project DXF")),
               stored.isEmpty() ? QString() : QFileInfo(stored).absolutePath(),
               uiText(QStringLiteral("Archivos DXF (*.dxf)"), QStringLiteral("DXF files (*.dxf)")), QString()});
    if (chosen.isEmpty())
        return std::nullopt;
    return ProjectDrawing{chosen, true};
}

void RodalixV69::openProject(const QString &path)
{
    if (isComputing())
        return;
    QString file = path;
    if (file.isEmpty()) {
        file = chooseFileToOpen(this, {openTitle(), QString(), projectFilter(), QString()});
        if (file.isEmpty())
            return;
    }

    // Everything is read into locals first: the window changes only once
    // the project's drawing has been taken over.
    ProjectFile project;
    QString error;
    switch (readProjectFile(file, project, error)) {
    case ProjectReadStatus::Read:
        break;
    case ProjectReadStatus::CannotOpen:
        showMessage(this, QMessageBox::Critical, openTitle(), error);
        return;
    case ProjectReadStatus::NotAProject:
        showMessage(this, QMessageBox::Critical, openTitle(),
                uiText(QStringLiteral("El archivo no es un proyecto .tlr válido."),
                       QStringLiteral("The file is not a valid .tlr project.")));
        return;
    }
    const std::optional<ProjectDrawing> drawing = findProjectDrawing(file, project.dxfPath);
    if (!drawing)
        return;
    if (hasUnsavedWork()
        && !settleUnsavedWork(chooseText(
            QStringLiteral("Hay cambios sin guardar. ¿Quieres guardarlos antes de abrir otro proyecto?"),
            QStringLiteral("There are unsaved changes. Do you want to save them before opening another project?"),
            QStringLiteral("Es gibt ungespeicherte Änderungen. Möchten Sie sie speichern, bevor ein anderes "
                           "Projekt geöffnet wird?"))))
        return;
    if (!loadDxfFile(drawing->path, false))
        return;

    sheetWidthEdit->setText(project.sheetWidth);
    sheetHeightEdit->setText(project.sheetHeight);
    clearanceEdit->setText(project.clearance);
    startCombo->setCurrentIndex(project.startIndex);
    (project.vertical ? verticalRadio : horizontalRadio)->setChecked(true);
    // The project's nesting holds while it is open; the stored preference
    // is the user's, for new work, and stays as it is.
    setThoroughNesting(project.thoroughNesting);
    // A drawing scaled to metres when it was saved reopens scaled, and the
    // question about its unit is not asked again. Should the scale not
    // apply, the drawing stays as drawn and the question comes back.
    if (project.scale != 1.0)
        applyDrawingScale(project.scale);
    // Its failures show their own boxes; the project is open all the same.
    recalculate();

    projectPath = QFileInfo(file).absoluteFilePath();
    setModified(drawing->relocated);
    recordStoredSheetValues();
    addRecentFile(projectPath);
    refreshWindowTitle();
    statusBar()->showMessage(
        drawing->relocated
            ? uiText(QStringLiteral("DXF localizado. Guarda el proyecto para recordar la nueva ruta."),
                     QStringLiteral("DXF located. Save the project to remember the new path."))
            : uiText(QStringLiteral("Proyecto abierto: %1"), QStringLiteral("Project opened: %1"))
                  .arg(QFileInfo(file).fileName()),
        statusMilliseconds);
}

QString RodalixV69::askProjectSavePath()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    // Not being able to create it is not worth a message: the dialog then
    // opens wherever the platform puts it.
    QDir(documents).mkpath(QStringLiteral("Tallero/Proyectos"));

    QString name = QFileInfo(dxfPath).completeBaseName();
    if (name.isEmpty())
        name = language() == QLatin1String("en") ? QStringLiteral("cutting_plan") : QStringLiteral("despiece");
    return chooseFileToSave(this, {saveTitle(),
                                   QDir(Preferences().projectFolder()).filePath(name + QStringLiteral(".tlr")),
                                   projectFilter(), projectSuffix});
}

QString RodalixV69::withProjectExtension(const QString &path)
{
    if (path.endsWith(QStringLiteral(".tlr"), Qt::CaseInsensitive))
        return path;
    // A file dialog asks about replacing the name it returned, not about the
    // one the extension makes of it.
    const QString withSuffix = path + QStringLiteral(".tlr");
    if (QFileInfo::exists(withSuffix)) {
        MessageBoxRequest request;
        request.icon = QMessageBox::Question;
        request.title = saveTitle();
        request.text = chooseText(QStringLiteral("El archivo %1 ya existe. ¿Quieres reemplazarlo?"),
                                  QStringLiteral("The file %1 already exists. Do you want to replace it?"),
                                  QStringLiteral("Die Datei %1 existiert bereits. Möchten Sie sie ersetzen?"))
                           .arg(QFileInfo(withSuffix).fileName());
        request.buttons = QMessageBox::Yes | QMessageBox::No;
        request.defaultButton = QMessageBox::No;
        if (showMessageBox(this, request) != QMessageBox::Yes)
            return QString();
    }
    return withSuffix;
}

bool RodalixV69::saveProject()
{
    if (isComputing())
        return false;
    if (!hasDrawing()) {
        showMessage(this, QMessageBox::Information, saveTitle(),
                uiText(QStringLiteral("Carga un plano DXF antes de guardar un proyecto."),
                       QStringLiteral("Load a DXF drawing before saving a project.")));
        return false;
    }
    const QString chosen = projectPath.isEmpty() ? askProjectSavePath() : projectPath;
    if (chosen.isEmpty())
        return false;
    const QString path = withProjectExtension(chosen);
    if (path.isEmpty())
        return false;

    ProjectFile project;
    project.dxfPath = dxfPath;
    project.sheetWidth = sheetWidthEdit->text();
    project.sheetHeight = sheetHeightEdit->text();
    project.clearance = clearanceEdit->text();
    project.startText = startCombo->currentText();
    project.startIndex = startCombo->currentIndex();
    project.vertical = verticalRadio->isChecked();
    project.scale = drawingScale();
    project.thoroughNesting = thoroughNesting;
    QString error;
    // The file is replaced only by a complete new one; a failure leaves it,
    // the project path and the unsaved work as they were.
    if (!writeProjectFile(path, project, error)) {
        showMessage(this, QMessageBox::Critical, saveTitle(), error);
        return false;
    }

    const QFileInfo saved(path);
    Preferences().setProjectFolder(saved.absolutePath());
    projectPath = saved.absoluteFilePath();
    setModified(false);
    recordStoredSheetValues();
    addRecentFile(projectPath);
    refreshWindowTitle();
    statusBar()->showMessage(
        uiText(QStringLiteral("Proyecto guardado: %1"), QStringLiteral("Project saved: %1")).arg(saved.fileName()),
        statusMilliseconds);
    return true;
}

bool RodalixV69::saveProjectAs()
{
    const QString previous = projectPath;
    projectPath.clear();
    const bool saved = saveProject();
    if (projectPath.isEmpty())
        projectPath = previous;
    return saved;
}

} // namespace tallero
