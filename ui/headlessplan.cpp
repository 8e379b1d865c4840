#include "ui/headlessplan.h"

#include "dxf/drawingscale.h"
#include "dxf/dxfmessages.h"
#include "dxf/dxfreader.h"
#include "dxf/unitsheader.h"
#include "engine/cuttingplanner.h"
#include "engine/layoutsearch.h"
#include "engine/plancheck.h"
#include "exports/cutlistcsv.h"
#include "exports/exportfiles.h"
#include "exports/planjson.h"
#include "exports/sheetdxf.h"
#include "project/projectfile.h"
#include "report/reportwriter.h"
#include "ui/layoutoptimiser.h"
#include "ui/localisation.h"
#include "ui/planexport.h"
#include "ui/plansummary.h"
#include "ui/sheetinputs.h"
#include "ui/unitwarning.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <exception>
#include <new>

namespace tallero {

namespace {

void printTo(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
    std::fflush(stream);
}

void complain(const QString &text)
{
    printTo(stderr, text);
}

// Everything that decides the plan, gathered in one place from the request
// and the project: what the engine is asked below comes from here alone.
struct PlanOptions
{
    double width = 0.0;    // as given; the vertical turn swaps them for the engine
    double height = 0.0;
    double clearance = 0.0;
    bool optimise = false;
    int startIndex = 0;    // StartCorner order; 0 computes as bottom-left
    bool vertical = false;
    NestingMode nesting = NestingMode::Standard;
    double scale = 1.0;
    bool scaleGiven = false;
};

struct PlanInput
{
    QString drawingPath;
    PlanOptions options;
};

bool isUsableFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The drawing a project names: its path (a relative one from the project's
// folder), else a file of the same name beside the project.
QString projectDrawingPath(const QString &projectPath, const QString &stored)
{
    const QDir folder = QFileInfo(projectPath).absoluteDir();
    const QString path = stored.isEmpty() ? QString() : folder.absoluteFilePath(stored);
    if (isUsableFile(path))
        return path;
    const QString name = QFileInfo(stored).fileName();
    const QString beside = name.isEmpty() ? QString() : folder.absoluteFilePath(name);
    return isUsableFile(beside) ? beside : QString();
}

std::optional<PlanInput> planInputOf(const HeadlessPlanRequest &request, int &exitCode)
{
    PlanInput input;
    PlanOptions &options = input.options;
    options.optimise = request.optimise;
    if (request.thorough)
        options.nesting = NestingMode::Thorough;
    if (isProjectPath(request.inputPath)) {
        ProjectFile project;
        QString error;
        switch (readProjectFile(request.inputPath, project, error)) {
        case ProjectReadStatus::Read:
            break;
        case ProjectReadStatus::CannotOpen:
            complain(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(request.inputPath), error));
            exitCode = planexit::unreadableInput;
            return std::nullopt;
        case ProjectReadStatus::NotAProject:
            complain(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(request.inputPath),
                                                  uiText(QStringLiteral("El archivo no es un proyecto .tlr válido."),
                                                         QStringLiteral("The file is not a valid .tlr project."))));
            exitCode = planexit::unreadableInput;
            return std::nullopt;
        }
        input.drawingPath = projectDrawingPath(request.inputPath, project.dxfPath);
        if (input.drawingPath.isEmpty()) {
            complain(chooseText(QStringLiteral("No se encuentra el DXF vinculado al proyecto: %1"),
                                QStringLiteral("The project's linked DXF could not be found: %1"),
                                QStringLiteral("Die mit dem Projekt verknüpfte DXF-Datei wurde nicht gefunden: %1"))
                         .arg(QDir::toNativeSeparators(project.dxfPath)));
            exitCode = planexit::unreadableInput;
            return std::nullopt;
        }
        // The project's values unless the command line states its own.
        const std::optional<double> width = request.width ? request.width : parseSheetLength(project.sheetWidth);
        const std::optional<double> height =
            request.height ? request.height : parseSheetLength(project.sheetHeight);
        const std::optional<double> gap = request.gap ? request.gap : parseSheetLength(project.clearance);
        if (!width || !height || !gap || *width <= 0.0 || *height <= 0.0 || *gap < 0.0) {
            complain(chooseText(QStringLiteral("%1: el proyecto no tiene medidas de plancha válidas; indica "
                                               "--width, --height y --gap."),
                                QStringLiteral("%1: the project holds no valid sheet values; give --width, "
                                               "--height and --gap."),
                                QStringLiteral("%1: Das Projekt enthält keine gültigen Plattenmaße; geben Sie "
                                               "--width, --height und --gap an."))
                         .arg(QDir::toNativeSeparators(request.inputPath)));
            exitCode = planexit::unreadableInput;
            return std::nullopt;
        }
        if (project.thoroughNesting)
            options.nesting = NestingMode::Thorough;
        options.width = *width;
        options.height = *height;
        options.clearance = *gap;
        if (request.startIndex) {
            options.startIndex = *request.startIndex;
            options.vertical = request.vertical;
        } else {
            options.startIndex = project.startIndex;
            options.vertical = project.vertical || request.vertical;
        }
        options.scale = request.scale ? *request.scale : project.scale;
        options.scaleGiven = request.scale.has_value() || project.scale != 1.0;
        return input;
    }
    input.drawingPath = request.inputPath;
    options.width = request.width.value_or(0.0);
    options.height = request.height.value_or(0.0);
    options.clearance = request.gap.value_or(0.0);
    options.startIndex = request.startIndex.value_or(0);
    options.vertical = request.vertical;
    options.scale = request.scale.value_or(1.0);
    options.scaleGiven = request.scale.has_value();
    return input;
}

std::optional<Drawing> readDrawing(const QString &path)
{
    Drawing drawing;
    QString error;
    try {
        if (readDxfDrawing(path, drawing, error))
            return drawing;
    } catch (const std::bad_alloc &) {
        error = dxfOutOfMemoryMessage.toString();
    } catch (const std::exception &exception) {
        error = QString::fromUtf8(exception.what());
    }
    complain(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), translateEngineMessage(error)));
    return std::nullopt;
}

QString unitName(DrawingUnitGuess::Unit unit)
{
    switch (unit) {
    case DrawingUnitGuess::Centimetres:
        return chooseText(QStringLiteral("centímetros"), QStringLiteral("centimetres"), QStringLiteral("Zentimetern"));
    case DrawingUnitGuess::Inches:
        return chooseText(QStringLiteral("pulgadas"), QStringLiteral("inches"), QStringLiteral("Zoll"));
    case DrawingUnitGuess::Millimetres:
        break;
    }
    return chooseText(QStringLiteral("milímetros"), QStringLiteral("millimetres"), QStringLiteral("Millimetern"));
}

QString unitFactor(DrawingUnitGuess::Unit unit)
{
    switch (unit) {
    case DrawingUnitGuess::Centimetres:
        return QStringLiteral("0.01");
    case DrawingUnitGuess::Inches:
        return QStringLiteral("0.0254");
    case DrawingUnitGuess::Millimetres:
        break;
    }
    return QStringLiteral("0.001");
}

void warnAboutUnits(const QString &path, const Drawing &drawing)
{
    const DrawingUnitGuess guess = guessDrawingUnit(dxfInsertionUnits(path));
    complain(chooseText(QStringLiteral("Aviso: el plano mide %1 x %2 m; probablemente está dibujado en %3. "
                                       "Usa --scale %4 para pasarlo a metros."),
                        QStringLiteral("Warning: the drawing measures %1 x %2 m; it was probably drawn in %3. "
                                       "Use --scale %4 to convert it to metres."),
                        QStringLiteral("Warnung: Die Zeichnung misst %1 x %2 m; sie wurde wahrscheinlich in %3 "
                                       "gezeichnet. Mit --scale %4 wird sie in Meter umgerechnet."))
                 .arg(QString::number(drawing.bounds.width(), 'f', 3),
                      QString::number(drawing.bounds.height(), 'f', 3), unitName(guess.unit),
                      unitFactor(guess.unit)));
}

// The plan of the options, finished as the window finishes the plan it
// adopts: codes, start label, orientation and start recorded, nesting
// checked. Nothing (with the reason printed) when no plan comes out.
std::optional<CuttingPlan> computePlan(const Shape &outline, const PlanOptions &options)
{
    CuttingPlan plan;
    int startIndex = options.startIndex;
    bool vertical = options.vertical;
    try {
        if (options.optimise) {
            const LayoutSearchResult result =
                searchBestLayout(outline, options.width, options.height, options.clearance, {}, 0, options.nesting);
            if (!result.best) {
                complain(noValidLayoutText(result.failures));
                return std::nullopt;
            }
            plan = *result.best;
            startIndex = startCornerIndex(result.winner);
            vertical = result.winner.vertical;
        } else {
            const bool right = startIndex == int(StartCorner::TopRight) || startIndex == int(StartCorner::BottomRight);
            const bool top = startIndex == int(StartCorner::TopLeft) || startIndex == int(StartCorner::TopRight);
            plan = vertical
                ? computeCuttingPlan(outline, options.height, options.width, options.clearance, right, top, {},
                                     options.nesting)
                : computeCuttingPlan(outline, options.width, options.height, options.clearance, right, top, {},
                                     options.nesting);
        }
        assignPieceCodes(plan);
        plan.startIndex = startIndex;
        plan.vertical = vertical;
        plan.startLabel = startCornerNameOf(startIndex);
        plan.nestingVerdict = findNestingFault(plan);
    } catch (const std::bad_alloc &) {
        complain(translateEngineMessage(dxfOutOfMemoryMessage.toString()));
        return std::nullopt;
    } catch (const std::exception &error) {
        complain(translateEngineMessage(QString::fromUtf8(error.what())));
        return std::nullopt;
    }
    // A plan whose pieces leave their sheet or overlap must not reach a
    // cutting machine.
    if (*plan.nestingVerdict != NestingFault::None) {
        complain(chooseText(QStringLiteral("El plan calculado no supera la comprobación del anidado (una pieza "
                                           "fuera de su plancha o dos piezas solapadas); no se escribe nada."),
                            QStringLiteral("The computed plan fails the nesting check (a piece outside its sheet "
                                           "or two pieces overlapping); nothing is written."),
                            QStringLiteral("Der berechnete Plan besteht die Schachtelungsprüfung nicht (ein Teil "
                                           "außerhalb seiner Platte oder zwei überlappende Teile); es wird nichts "
                                           "geschrieben.")));
        return std::nullopt;
    }
    return plan;
}

QString cannotWriteText(const QString &path, const QString &reason)
{
    return chooseText(QStringLiteral("No se pudo escribir %1: %2"), QStringLiteral("Could not write %1: %2"),
                      QStringLiteral("%1 konnte nicht geschrieben werden: %2"))
        .arg(QDir::toNativeSeparators(path), reason);
}

bool writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return true;
    if (path == QLatin1String("-")) {
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        std::fflush(stdout);
        return true;
    }
    QString error;
    if (writeFileAtomically(path, bytes, error))
        return true;
    complain(cannotWriteText(path, error));
    return false;
}

QString absolutePath(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

// Every file the run would write, by absolute path: the plan, the cut list,
// the report and one DXF per cutting sheet.
QStringList outputFiles(const HeadlessPlanRequest &request, const CuttingPlan &plan)
{
    QStringList files;
    for (const QString *path : {&request.jsonPath, &request.csvPath, &request.pdfPath}) {
        if (!path->isEmpty() && *path != QLatin1String("-"))
            files.append(absolutePath(*path));
    }
    if (!request.dxfFolder.isEmpty()) {
        const QDir folder(request.dxfFolder);
        for (int i = 0; i < plan.sheets.size(); ++i)
            files.append(absolutePath(folder.filePath(cuttingSheetFileName(plan, i))));
    }
    return files;
}

// An output that would replace the drawing or the project it was made from,
// or two outputs on one file: refused before anything is written, so a slip
// on the command line never costs the user a file.
QString outputCollision(const HeadlessPlanRequest &request, const QString &drawingPath, const CuttingPlan &plan)
{
    const QStringList inputs{absolutePath(request.inputPath), absolutePath(drawingPath)};
    QStringList seen;
    for (const QString &file : outputFiles(request, plan)) {
        if (inputs.contains(file))
            return chooseText(QStringLiteral("%1 es el archivo de entrada; elige otra ruta de salida."),
                              QStringLiteral("%1 is the input file; choose another output path."),
                              QStringLiteral("%1 ist die Eingabedatei; wählen Sie einen anderen Ausgabepfad."))
                .arg(QDir::toNativeSeparators(file));
        if (seen.contains(file))
            return chooseText(QStringLiteral("%1 se pide para dos salidas; elige rutas distintas."),
                              QStringLiteral("%1 is asked for two outputs; choose different paths."),
                              QStringLiteral("%1 ist für zwei Ausgaben angegeben; wählen Sie verschiedene Pfade."))
                .arg(QDir::toNativeSeparators(file));
        seen.append(file);
    }
    return QString();
}

} // namespace

bool isProjectPath(const QString &path)
{
    return path.endsWith(QLatin1String(".tlr"), Qt::CaseInsensitive);
}

int runHeadlessPlan(const HeadlessPlanRequest &request)
{
    if (request.language.isEmpty())
        loadLanguageSetting();
    else
        setCurrentLanguage(request.language);

    int exitCode = planexit::success;
    const std::optional<PlanInput> input = planInputOf(request, exitCode);
    if (!input)
        return exitCode;
    const PlanOptions &options = input->options;

    std::optional<Drawing> drawing = readDrawing(input->drawingPath);
    if (!drawing)
        return planexit::unreadableInput;
    if (options.scale != 1.0) {
        std::optional<Drawing> scaled = scaledDrawing(*drawing, options.scale);
        if (!scaled) {
            complain(chooseText(QStringLiteral("No se pudo escalar el plano a metros."),
                                QStringLiteral("The drawing could not be scaled to metres."),
                                QStringLiteral("Die Zeichnung konnte nicht in Meter umgerechnet werden.")));
            return planexit::unreadableInput;
        }
        drawing = std::move(scaled);
    }
    if (!options.scaleGiven && looksDrawnInSmallerUnits(drawing->bounds))
        warnAboutUnits(input->drawingPath, *drawing);

    const std::optional<CuttingPlan> plan = computePlan(*drawing, options);
    if (!plan)
        return planexit::noPlan;

    if (const QString collision = outputCollision(request, input->drawingPath, *plan); !collision.isEmpty()) {
        complain(collision);
        return planexit::badArguments;
    }

    PlanDocument document;
    document.plan = *plan;
    document.drawing = *drawing;
    document.fileName = QFileInfo(input->drawingPath).fileName();
    document.scale = options.scale;

    const bool stdoutTaken = request.jsonPath == QLatin1String("-") || request.csvPath == QLatin1String("-");
    printTo(stdoutTaken ? stderr : stdout, planSummaryText(*plan, *drawing));

    if (!writeOutput(request.jsonPath, planJson(document)))
        return planexit::unwritableOutput;
    if (!writeOutput(request.csvPath, cutListCsv(*plan)))
        return planexit::unwritableOutput;
    if (!request.dxfFolder.isEmpty()) {
        QStringList written;
        QString failedPath;
        QString error;
        if (!writeCuttingSheetFiles(request.dxfFolder, *plan, written, failedPath, error)) {
            complain(cannotWriteText(failedPath, error));
            return planexit::unwritableOutput;
        }
        const QStringList foreign = foreignCuttingSheetFiles(request.dxfFolder, written);
        if (!foreign.isEmpty())
            complain(foreignSheetsText(foreign));
    }
    if (!request.pdfPath.isEmpty()) {
        ReportInput report;
        report.plan = *plan;
        report.drawing = *drawing;
        report.fileName = document.fileName;
        report.language = currentLanguage();
        if (!writeReport(request.pdfPath, report)) {
            complain(cannotWriteText(request.pdfPath,
                                     chooseText(QStringLiteral("No se pudo generar el informe PDF."),
                                                QStringLiteral("The PDF report could not be generated."),
                                                QStringLiteral("Der PDF-Bericht konnte nicht erstellt werden."))));
            return planexit::unwritableOutput;
        }
    }
    return planexit::success;
}

} // namespace tallero
