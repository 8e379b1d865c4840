// The workflow commands of the window: reading the sheet fields, loading a
// drawing, New project, the default settings, the question about unsaved
// work and the closing of the window.

#include "ui/mainwindow.h"

#include "dxf/dxfreader.h"
#include "ui/filedialog.h"
#include "ui/localisation.h"
#include "ui/messagebox.h"
#include "ui/preferences.h"
#include "ui/sheetinputs.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>

namespace tallero {

namespace {

constexpr int statusMilliseconds = 5000;

const QString startWidth = QStringLiteral("0.0");
const QString startHeight = QStringLiteral("0.0");
const QString startClearance = QStringLiteral("0.00");

MessageBoxRequest box(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    MessageBoxRequest request;
    request.icon = icon;
    request.title = title;
    request.text = text;
    return request;
}

// A Yes/No question whose default answer is No, so Enter never throws work away.
bool askYesNo(QWidget *parent, const QString &title, const QString &text)
{
    MessageBoxRequest request = box(QMessageBox::Question, title, text);
    request.buttons = QMessageBox::Yes | QMessageBox::No;
    request.defaultButton = QMessageBox::No;
    return showMessageBox(parent, request) == QMessageBox::Yes;
}

// Two typed values are the same when both read as the same number ("1" and
// "1.0"), or, when either is not a number, as the same text.
bool sameTypedValue(const QString &a, const QString &b)
{
    const std::optional<double> x = parseSheetLength(a);
    const std::optional<double> y = parseSheetLength(b);
    if (x && y)
        return *x == *y;
    return a.trimmed() == b.trimmed();
}

} // namespace

void RodalixV69::wireWorkflowCommands()
{
    const struct
    {
        const char *name;
        void (RodalixV69::*run)();
    } commands[] = {
        {"newProject", &RodalixV69::newProject},
        {"loadDxf", &RodalixV69::chooseAndLoadDxf},
        {"restoreDefaults", &RodalixV69::restoreDefaults},
    };
    for (const auto &command : commands) {
        if (QAction *action = findChild<QAction *>(QString::fromLatin1(command.name))) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, command.run);
        }
    }
    recentMenu->setEnabled(true);
    recentMenu->setToolTipsVisible(true);
    rebuildRecentMenu();

    // The fields start at the values a New project gives them.
    savedSheetValues = {startWidth, startHeight, startClearance, 0, false};
    for (QLineEdit *edit : {sheetWidthEdit, sheetHeightEdit, clearanceEdit})
        connect(edit, &QLineEdit::textChanged, this, &RodalixV69::refreshModifiedMark);
    connect(startCombo, &QComboBox::currentIndexChanged, this, &RodalixV69::refreshModifiedMark);
    connect(verticalRadio, &QRadioButton::toggled, this, &RodalixV69::refreshModifiedMark);
}

bool RodalixV69::validateSheetInputs(double &width, double &height, double &clearance)
{
    const std::optional<SheetInputs> inputs = readSheetInputs(
        sheetWidthEdit->text(), sheetHeightEdit->text(), clearanceEdit->text(), verticalRadio->isChecked());
    if (!inputs) {
        showMessageBox(this, box(QMessageBox::Warning,
                                 chooseText(QStringLiteral("Valores incorrectos"), QStringLiteral("Invalid values"),
                                            QStringLiteral("Ungültige Werte")),
                                 chooseText(QStringLiteral("Revisa las dimensiones de la plancha y la holgura."),
                                            QStringLiteral("Check the sheet dimensions and clearance."),
                                            QStringLiteral("Prüfen Sie Plattenmaße und Abstand."))));
        return false;
    }
    width = inputs->width;
    height = inputs->height;
    clearance = inputs->clearance;
    return true;
}

RodalixV69::StoredSheetValues RodalixV69::storedSheetValues() const
{
    return {sheetWidthEdit->text(), sheetHeightEdit->text(), clearanceEdit->text(), startCombo->currentIndex(),
            verticalRadio->isChecked()};
}

void RodalixV69::recordStoredSheetValues()
{
    savedSheetValues = storedSheetValues();
    refreshModifiedMark();
}

bool RodalixV69::hasUnsavedWork() const
{
    if (!hasDrawing())
        return false;
    if (modified)
        return true;
    const StoredSheetValues now = storedSheetValues();
    return !sameTypedValue(now.width, savedSheetValues.width) || !sameTypedValue(now.height, savedSheetValues.height)
        || !sameTypedValue(now.clearance, savedSheetValues.clearance)
        || now.startIndex != savedSheetValues.startIndex || now.vertical != savedSheetValues.vertical;
}

void RodalixV69::refreshModifiedMark()
{
    setWindowModified(hasUnsavedWork());
}

bool RodalixV69::settleUnsavedWork(const QString &text)
{
    // Cancel is the escape answer: closing the box keeps the work. Save is
    // the default and goes on only when the project was written (a
    // cancelled file dialog or a failed write keeps the work and stops).
    MessageBoxRequest request = box(QMessageBox::Question,
                                    chooseText(QStringLiteral("Guardar proyecto"), QStringLiteral("Save project"),
                                               QStringLiteral("Projekt speichern")),
                                    text);
    request.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Save;
    request.buttonTexts = {
        {QMessageBox::Save,
         chooseText(QStringLiteral("Guardar"), QStringLiteral("Save"), QStringLiteral("Speichern"))},
        {QMessageBox::Discard,
         chooseText(QStringLiteral("Descartar"), QStringLiteral("Discard"), QStringLiteral("Verwerfen"))},
        {QMessageBox::Cancel,
         chooseText(QStringLiteral("Cancelar"), QStringLiteral("Cancel"), QStringLiteral("Abbrechen"))},
    };
    switch (showMessageBox(this, request)) {
    case QMessageBox::Save:
        return saveProject();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void RodalixV69::closeEvent(QCloseEvent *event)
{
    // A computation still running is cancelled first: its result would land
    // in a window that is going away.
    if (isComputing())
        stopComputation();
    if (hasUnsavedWork()
        && !settleUnsavedWork(chooseText(
            QStringLiteral("Hay cambios sin guardar en un proyecto .tlr. ¿Quieres guardarlos antes de salir?"),
            QStringLiteral("There are unsaved changes in a .tlr project. Do you want to save them before exiting?"),
            QStringLiteral("In einem .tlr-Projekt gibt es ungespeicherte Änderungen. Möchten Sie sie vor dem "
                           "Beenden speichern?")))) {
        event->ignore();
        return;
    }
    saveTheme();
    event->accept();
}

bool RodalixV69::loadDxfFile(const QString &path, bool validateAndOptimise)
{
    Drawing drawing;
    QString error;
    if (!readDxfDrawing(path, drawing, error)) {
        showMessageBox(this, box(QMessageBox::Critical,
                                 chooseText(QStringLiteral("Error de lectura DXF"), QStringLiteral("DXF read error"),
                                            QStringLiteral("DXF-Lesefehler")),
                                 translateEngineMessage(error)));
        return false;
    }
    double width = 0.0;
    double height = 0.0;
    double clearance = 0.0;
    if (validateAndOptimise && !validateSheetInputs(width, height, clearance))
        return false;

    // Cancelling the optimisation that follows undoes the whole load.
    const WorkSnapshot before = captureWork();
    showDrawing(drawing, path);
    if (validateAndOptimise && optimiseLayout(true) == ComputationOutcome::Cancelled) {
        restoreWork(before);
        return false;
    }
    addRecentFile(dxfPath);
    showLoadedStatus(statusMilliseconds);
    return true;
}

void RodalixV69::showLoadedStatus(int milliseconds, const QString &extra)
{
    QString message = chooseText(QStringLiteral("Plano cargado: %1"), QStringLiteral("Drawing loaded: %1"),
                                 QStringLiteral("Zeichnung geladen: %1"))
                          .arg(QFileInfo(dxfPath).fileName());
    const int ignored = canvas->drawing.ignoredContourCount;
    if (ignored == 1)
        message += chooseText(QStringLiteral(". Se ignoró 1 contorno cerrado fuera del contorno exterior."),
                              QStringLiteral(". 1 closed contour outside the outline was ignored."),
                              QStringLiteral(". 1 geschlossene Kontur außerhalb des Umrisses wurde ignoriert."));
    else if (ignored > 1)
        message += chooseText(QStringLiteral(". Se ignoraron %1 contornos cerrados fuera del contorno exterior."),
                              QStringLiteral(". %1 closed contours outside the outline were ignored."),
                              QStringLiteral(". %1 geschlossene Konturen außerhalb des Umrisses wurden ignoriert."))
                       .arg(ignored);
    if (!extra.isEmpty())
        message += (ignored > 0 ? QStringLiteral(" ") : QStringLiteral(". ")) + extra;
    // A longer message stays longer, so it can be read to its end.
    statusBar()->showMessage(message, ignored > 0 || !extra.isEmpty() ? 3 * milliseconds : milliseconds);
}

void RodalixV69::chooseAndLoadDxf()
{
    // The fields are checked first: a file chosen with invalid values would
    // only be read and thrown away.
    double width = 0.0;
    double height = 0.0;
    double clearance = 0.0;
    if (!validateSheetInputs(width, height, clearance))
        return;
    const QString path = chooseFileToOpen(
        this, {chooseText(QStringLiteral("Cargar plano DXF"), QStringLiteral("Load DXF drawing"),
                          QStringLiteral("Load DXF drawing")),
               Preferences().dxfFolder(),
               chooseText(QStringLiteral("Archivos DXF (*.dxf);;Todos los archivos (*.*)"),
                          QStringLiteral("DXF files (*.dxf);;All files (*.*)"),
                          QStringLiteral("DXF files (*.dxf);;All files (*.*)")),
               QString()});
    if (path.isEmpty())
        return;
    if (!settleUnsavedWorkBeforeLoading())
        return;
    if (!loadDxfFile(path, true))
        return;
    Preferences().setDxfFolder(QFileInfo(path).absolutePath());
    projectPath.clear();
    setModified(true);
    recordStoredSheetValues();
    refreshWindowTitle();
}

void RodalixV69::openStartupFile(const QString &path)
{
    if (path.endsWith(QStringLiteral(".tlr"), Qt::CaseInsensitive)) {
        openProject(path);
        return;
    }
    openDrawingWithoutDialog(path);
}

void RodalixV69::openDrawingWithoutDialog(const QString &path)
{
    const bool sheetKnown = readSheetInputs(sheetWidthEdit->text(), sheetHeightEdit->text(), clearanceEdit->text(),
                                            verticalRadio->isChecked())
                                .has_value();
    // With the fields still at their start values the drawing is shown and
    // the status bar asks for the sheet size; a warning before the user has
    // typed anything would only be in the way.
    if (sheetKnown ? !loadDxfFile(path, true) : !loadDxfFile(path, false))
        return;
    Preferences().setDxfFolder(QFileInfo(path).absolutePath());
    projectPath.clear();
    setModified(true);
    recordStoredSheetValues();
    refreshWindowTitle();
    if (!sheetKnown)
        showLoadedStatus(statusMilliseconds,
                         chooseText(QStringLiteral("Indica el tamaño de plancha y pulsa Optimizar."),
                                    QStringLiteral("Enter the sheet size and press Optimise."),
                                    QStringLiteral("Geben Sie die Plattengröße ein und klicken Sie auf Optimieren.")));
}

void RodalixV69::resetSheetFields()
{
    sheetWidthEdit->setText(startWidth);
    sheetHeightEdit->setText(startHeight);
    clearanceEdit->setText(startClearance);
    startCombo->setCurrentIndex(0);
    horizontalRadio->setChecked(true);
}

void RodalixV69::newProject()
{
    if (hasUnsavedWork()
        && !askYesNo(this,
                     chooseText(QStringLiteral("Nuevo proyecto"), QStringLiteral("New project"),
                                QStringLiteral("Neues Projekt")),
                     uiText(QStringLiteral("Se descartará el trabajo actual sin guardar. ¿Continuar?"),
                            QStringLiteral("The current unsaved work will be discarded. Continue?"))))
        return;
    dxfPath.clear();
    projectPath.clear();
    plan.reset();
    drawingScaleFactor = 1.0;
    drawingUnitsSettled = false;
    canvas->clearAll();
    canvas->update();
    resetSheetFields();
    // A project's own nesting ends with it; new work nests as preferred.
    setThoroughNesting(Preferences().thoroughNesting());
    // The German texts are those the panels start with, so a German window
    // does not turn English after New project.
    pieceLabel->setText(chooseText(QStringLiteral("Pieza: Ninguna cargada"), QStringLiteral("Piece: None loaded"),
                                   QStringLiteral("Teil: Nicht geladen")));
    typeLabel->setText(chooseText(QStringLiteral("Tipo: —"), QStringLiteral("Type: —"), QStringLiteral("Typ: —")));
    reportText->setPlainText(chooseText(QStringLiteral("Carga un archivo DXF para comenzar."),
                                        QStringLiteral("Load a DXF drawing to get started."),
                                        QStringLiteral("Laden Sie eine DXF-Datei, um zu beginnen.")));
    legendTable->setRowCount(0);
    setModified(false);
    recordStoredSheetValues();
    refreshWindowTitle();
    statusBar()->showMessage(uiText(QStringLiteral("Proyecto nuevo creado."), QStringLiteral("New project created.")),
                             statusMilliseconds);
}

void RodalixV69::restoreDefaults()
{
    if (!askYesNo(this,
                  chooseText(QStringLiteral("Restaurar configuración"), QStringLiteral("Restore settings"),
                             QStringLiteral("Einstellungen wiederherstellen")),
                  uiText(QStringLiteral("¿Restaurar las preferencias predeterminadas de la aplicación?"),
                         QStringLiteral("Restore the application's default preferences?"))))
        return;
    // The language, the recent files, the stored folders, the drawing, the
    // plan and `modified` stay as they are; nothing is recomputed.
    darkTheme = true;
    resetSheetFields();
    setThoroughNesting(false);
    Preferences().setThoroughNesting(false);
    saveTheme();
    applyTheme();
    statusBar()->showMessage(chooseText(QStringLiteral("Configuración predeterminada restaurada."),
                                        QStringLiteral("Default settings restored."),
                                        QStringLiteral("Standardeinstellungen wiederhergestellt.")),
                             statusMilliseconds);
}

bool RodalixV69::settleUnsavedWorkBeforeLoading()
{
    return !hasUnsavedWork()
        || settleUnsavedWork(chooseText(
            QStringLiteral("Hay cambios sin guardar. ¿Quieres guardarlos antes de cargar otro plano?"),
            QStringLiteral("There are unsaved changes. Do you want to save them before loading another drawing?"),
            QStringLiteral("Es gibt ungespeicherte Änderungen. Möchten Sie sie speichern, bevor eine andere "
                           "Zeichnung geladen wird?")));
}

} // namespace tallero
