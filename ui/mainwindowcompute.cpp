// The commands that compute a plan, Optimise and Recalculate, and how they
// run: on a worker thread, with the window alive, cancellable, and with the
// question about a drawing too large to be in metres asked first.

#include "ui/mainwindow.h"

#include "dxf/drawingscale.h"
#include "dxf/unitsheader.h"
#include "engine/cuttingplanner.h"
#include "engine/engineerrors.h"
#include "engine/layoutsearch.h"
#include "geometry/shapecopy.h"
#include "ui/computationprogress.h"
#include "ui/layoutoptimiser.h"
#include "ui/localisation.h"
#include "ui/messagebox.h"
#include "ui/planjob.h"
#include "ui/sheetinputs.h"
#include "ui/unitwarning.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <exception>

namespace tallero {

namespace {

QString optimiseTitle()
{
    return uiText(QStringLiteral("Optimizar"), QStringLiteral("Optimise"));
}

QString recalculateTitle()
{
    return uiText(QStringLiteral("Recalcular"), QStringLiteral("Recalculate"));
}

QString loadDrawingFirstText()
{
    return uiText(QStringLiteral("Carga primero un plano DXF."), QStringLiteral("Load a DXF drawing first."));
}

void warnInvalidValues(QWidget *parent)
{
    showMessage(parent, QMessageBox::Warning, uiText(QStringLiteral("Valores incorrectos"), QStringLiteral("Invalid values")),
            uiText(QStringLiteral("Revisa las dimensiones de la plancha y la holgura."),
                   QStringLiteral("Check the sheet dimensions and clearance.")));
}

// Anything the engine throws that is not one of its errors: the plan is not
// to be trusted. Spanish, like the engine's own messages.
const char unexpectedFailure[] = "El cálculo se detuvo por un error inesperado.";

// A message from the worker in the current language.
QString failureText(const QString &message)
{
    if (message == QString::fromUtf8(unexpectedFailure))
        return chooseText(message, QStringLiteral("The computation stopped on an unexpected error."),
                          QStringLiteral("Die Berechnung wurde durch einen unerwarteten Fehler beendet."));
    return translateEngineMessage(message);
}

// Commands that would start a second computation or change what the running
// one works on: disabled while it runs, given back their state afterwards.
const char *const actionsIdleDuringWork[] = {
    "loadDxf",     "openProject",       "newProject",     "restoreDefaults",  "recalculateAction",
    "optimiseAction", "saveProject",    "saveProjectAs",  "exportPdf",        "horizontalAction",
    "verticalAction", "exportSheetsDxf", "exportCutList",
};
const char *const widgetsIdleDuringWork[] = {
    "recentMenu", "recalculate", "optimize", "viewSheets", "sheetWidth",
    "sheetHeight", "clearance",  "start",    "orientation",
};

// A window closed while it computes must not wait for the whole result, nor
// take one afterwards: being hidden by the program (not minimised by the
// user) cancels the work.
class CancelWhenClosed : public QObject
{
public:
    explicit CancelWhenClosed(PlanJob &job)
        : job(job)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && !event->spontaneous())
            job.cancel();
        return QObject::eventFilter(watched, event);
    }

private:
    PlanJob &job;
};

} // namespace

void RodalixV69::wireComputationCommands()
{
    connect(recalculateButton, &QPushButton::clicked, this, [this] { recalculate(); });
    connect(optimiseButton, &QPushButton::clicked, this, [this] { optimiseLayout(false); });
    if (auto *action = findChild<QAction *>(QStringLiteral("recalculateAction"))) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [this] { recalculate(); });
    }
    if (auto *action = findChild<QAction *>(QStringLiteral("optimiseAction"))) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [this] { optimiseLayout(false); });
    }
}

void RodalixV69::setComputationCommandsEnabled(bool enabled)
{
    if (enabled) {
        for (const auto &[object, wasEnabled] : std::as_const(commandsDisabledForWork)) {
            if (auto *action = qobject_cast<QAction *>(object.data()))
                action->setEnabled(wasEnabled);
            else if (auto *widget = qobject_cast<QWidget *>(object.data()))
                widget->setEnabled(wasEnabled);
        }
        commandsDisabledForWork.clear();
        return;
    }
    for (const char *name : actionsIdleDuringWork) {
        if (auto *action = findChild<QAction *>(QString::fromLatin1(name))) {
            commandsDisabledForWork.append({action, action->isEnabled()});
            action->setEnabled(false);
        }
    }
    for (const char *name : widgetsIdleDuringWork) {
        if (auto *widget = findChild<QWidget *>(QString::fromLatin1(name))) {
            commandsDisabledForWork.append({widget, widget->isEnabled()});
            widget->setEnabled(false);
        }
    }
}

bool RodalixV69::runOnWorker(const std::function<void(const PlanControl &)> &work, const QString &title,
                             bool showsLayouts)
{
    PlanJob job;
    runningJob = &job;
    setComputationCommandsEnabled(false);
    {
        const QString startText = showsLayouts
            ? chooseText(QStringLiteral("Calculando las distribuciones…"), QStringLiteral("Computing the layouts…"),
                         QStringLiteral("Anordnungen werden berechnet…"))
            : chooseText(QStringLiteral("Calculando el despiece…"), QStringLiteral("Computing the cutting plan…"),
                         QStringLiteral("Zuschnitt wird berechnet…"));
        ComputationProgress progress(this, title, startText);
        QEventLoop loop;
        bool finished = false;
        connect(&progress, &ComputationProgress::cancelRequested, &job, &PlanJob::cancel);
        connect(&job, &PlanJob::cancelling, &progress, &ComputationProgress::dismiss);
        connect(&job, &PlanJob::progressed, &progress,
                [&progress, showsLayouts](double fraction, bool vertical, bool right, bool top) {
                    QString text;
                    if (showsLayouts)
                        text = chooseText(QStringLiteral("Calculando la distribución: %1"),
                                          QStringLiteral("Computing layout: %1"),
                                          QStringLiteral("Anordnung wird berechnet: %1"))
                                   .arg(layoutChoiceLabel(LayoutChoice{vertical, right, top}));
                    progress.report(fraction, text);
                });
        connect(&job, &PlanJob::finished, &loop, [&finished, &loop] {
            finished = true;
            loop.quit();
        });
        CancelWhenClosed closing(job);
        installEventFilter(&closing);
        job.start(work);
        loop.exec();
        removeEventFilter(&closing);
        // The loop also ends when the application quits under it; the work
        // is then abandoned, never waited for to the end.
        if (!finished)
            job.cancel();
        job.wait();
    }
    runningJob = nullptr;
    setComputationCommandsEnabled(true);
    return !job.cancelRequested();
}

// The outline the worker plans from: a copy of its own, made here, because
// the engine's geometries must never be read by two threads at once.
std::optional<Shape> RodalixV69::workerOutline() const
{
    return independentCopy(canvas->drawing);
}

void RodalixV69::stopComputation()
{
    if (!runningJob)
        return;
    runningJob->cancel();
    runningJob->wait();
}

bool RodalixV69::applyDrawingScale(double factor)
{
    const std::optional<Drawing> scaled = scaledDrawing(canvas->drawing, factor);
    if (!scaled || !isNonEmpty(*scaled))
        return false;
    const double total = drawingScaleFactor * factor;
    showDrawing(*scaled, dxfPath);
    drawingScaleFactor = total;
    drawingUnitsSettled = true;
    return true;
}

// Asks about a drawing too large to be in metres, once per drawing. Nothing
// to stop for gives nothing; otherwise how the command ends.
std::optional<ComputationOutcome> RodalixV69::settleDrawingUnits()
{
    const QRectF bounds = canvas->drawing.bounds;
    if (drawingUnitsSettled || !looksDrawnInSmallerUnits(bounds))
        return std::nullopt;
    const DrawingUnitGuess guess =
        guessDrawingUnit(dxfPath.isEmpty() ? std::nullopt : dxfInsertionUnits(dxfPath));
    switch (askAboutDrawingUnits(this, bounds, guess)) {
    case DrawingUnitAnswer::Cancel:
        return ComputationOutcome::Cancelled;
    case DrawingUnitAnswer::KeepAsDrawn:
        drawingUnitsSettled = true;
        return std::nullopt;
    case DrawingUnitAnswer::ScaleToMetres:
        break;
    }
    if (applyDrawingScale(1.0 / guess.divisor))
        return std::nullopt;
    showMessage(this, QMessageBox::Critical,
            chooseText(QStringLiteral("Plano demasiado grande"), QStringLiteral("Drawing too large"),
                       QStringLiteral("Zeichnung zu groß")),
            chooseText(QStringLiteral("No se pudo escalar el plano a metros."),
                       QStringLiteral("The drawing could not be scaled to metres."),
                       QStringLiteral("Die Zeichnung konnte nicht in Meter umgerechnet werden.")));
    return ComputationOutcome::Failed;
}

ComputationOutcome RodalixV69::optimiseLayout(bool silent)
{
    if (isComputing())
        return ComputationOutcome::Refused;
    if (!hasDrawing()) {
        showMessage(this, QMessageBox::Information, optimiseTitle(), loadDrawingFirstText());
        return ComputationOutcome::Refused;
    }
    // Both orientations are tried, so the fields are read as typed.
    const std::optional<SheetInputs> inputs =
        readSheetInputs(sheetWidthEdit->text(), sheetHeightEdit->text(), clearanceEdit->text(), false);
    if (!inputs) {
        warnInvalidValues(this);
        return ComputationOutcome::Refused;
    }

    const WorkSnapshot before = captureWork();
    if (const std::optional<ComputationOutcome> stop = settleDrawingUnits()) {
        restoreWork(before);
        return *stop;
    }

    const std::optional<Shape> outline = workerOutline();
    if (!outline) {
        restoreWork(before);
        showMessage(this, QMessageBox::Critical, optimiseTitle(),
                translateEngineMessage(QString::fromUtf8(engineerrors::geometryOperationFailed)));
        return ComputationOutcome::Failed;
    }
    const NestingMode mode = nestingMode();
    LayoutSearchResult result;
    QString unexpected;
    const bool completed = runOnWorker(
        [&](const PlanControl &control) {
            try {
                result = searchBestLayout(*outline, inputs->width, inputs->height, inputs->clearance, control,
                                          0, mode);
            } catch (const PlanCancelled &) {
            } catch (const std::exception &error) {
                unexpected = QString::fromUtf8(error.what());
            } catch (...) {
                unexpected = QString::fromUtf8(unexpectedFailure);
            }
        },
        optimiseTitle(), true);
    if (!completed) {
        restoreWork(before);
        return ComputationOutcome::Cancelled;
    }
    if (!result.best || !unexpected.isEmpty()) {
        restoreWork(before);
        showMessage(this, QMessageBox::Critical, optimiseTitle(),
                unexpected.isEmpty() ? noValidLayoutText(result.failures) : failureText(unexpected));
        return ComputationOutcome::Failed;
    }

    const LayoutChoice winner = result.winner;
    (winner.vertical ? verticalRadio : horizontalRadio)->setChecked(true);
    startCombo->setCurrentIndex(startCornerIndex(winner));
    try {
        applyPlan(*result.best);
    } catch (const std::exception &error) {
        restoreWork(before);
        showMessage(this, QMessageBox::Critical, optimiseTitle(), translateEngineMessage(QString::fromUtf8(error.what())));
        return ComputationOutcome::Failed;
    }
    if (!silent)
        showMessage(this, QMessageBox::Information,
                uiText(QStringLiteral("Distribución optimizada"), QStringLiteral("Optimised layout")),
                optimisedLayoutText(winner.vertical, plan->startLabel, totalPurchase(*plan)));
    return ComputationOutcome::Applied;
}

ComputationOutcome RodalixV69::recalculate()
{
    if (isComputing())
        return ComputationOutcome::Refused;
    if (!hasDrawing()) {
        showMessage(this, QMessageBox::Information, recalculateTitle(), loadDrawingFirstText());
        return ComputationOutcome::Refused;
    }
    // Width and height come back swapped for vertical sheets.
    double width = 0.0;
    double height = 0.0;
    double clearance = 0.0;
    if (!validateSheetInputs(width, height, clearance))
        return ComputationOutcome::Refused;

    const WorkSnapshot before = captureWork();
    if (const std::optional<ComputationOutcome> stop = settleDrawingUnits()) {
        restoreWork(before);
        return *stop;
    }

    // Automatic starts at the bottom left; only the optimiser tries corners.
    const int corner = startCombo->currentIndex();
    const bool right = corner == int(StartCorner::TopRight) || corner == int(StartCorner::BottomRight);
    const bool top = corner == int(StartCorner::TopLeft) || corner == int(StartCorner::TopRight);
    const std::optional<Shape> outline = workerOutline();
    if (!outline) {
        restoreWork(before);
        showMessage(this, QMessageBox::Critical, uiText(QStringLiteral("Error de nesting"), QStringLiteral("Nesting error")),
                translateEngineMessage(QString::fromUtf8(engineerrors::geometryOperationFailed)));
        return ComputationOutcome::Failed;
    }
    const NestingMode mode = nestingMode();
    std::optional<CuttingPlan> computed;
    QString failure;
    const bool completed = runOnWorker(
        [&](const PlanControl &control) {
            try {
                computed = computeCuttingPlan(*outline, width, height, clearance, right, top, control, mode);
            } catch (const PlanCancelled &) {
            } catch (const std::exception &error) {
                failure = QString::fromUtf8(error.what());
            } catch (...) {
                failure = QString::fromUtf8(unexpectedFailure);
            }
        },
        recalculateTitle(), false);
    if (!completed) {
        restoreWork(before);
        return ComputationOutcome::Cancelled;
    }
    if (computed) {
        try {
            applyPlan(std::move(*computed));
            return ComputationOutcome::Applied;
        } catch (const std::exception &error) {
            failure = QString::fromUtf8(error.what());
        }
    }
    restoreWork(before);
    showMessage(this, QMessageBox::Critical, uiText(QStringLiteral("Error de nesting"), QStringLiteral("Nesting error")),
            failureText(failure));
    return ComputationOutcome::Failed;
}

} // namespace tallero
