#include "batchplatform.h"
#include "commandline.h"
#include "cutsheetarguments.h"
#include "planarguments.h"
#include "selftest.h"

#include "ui/cutsheetsnapshot.h"
#include "ui/headlessplan.h"
#include "ui/localisation.h"
#include "ui/mainwindow.h"
#include "ui/pdftest.h"
#include "ui/windowedstart.h"
#include "ui/windowsnapshot.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const QString applicationName = QStringLiteral("Tallero");
const QString applicationVersion = QStringLiteral(TALLERO_VERSION);

void printLine(std::FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', stream);
    std::fflush(stream);
}

enum class NoWindowReason { NoDisplaySet, DisplayUnreachable, PlatformWithoutWindows };

// The one line the windowed start prints when it cannot show its window, in
// the language the user chose for the program.
QString noWindowLine(NoWindowReason reason, const QString &platform = QString())
{
    tallero::loadLanguageSetting();
    QString why;
    switch (reason) {
    case NoWindowReason::NoDisplaySet:
        why = tallero::chooseText(QStringLiteral("no hay ninguna (DISPLAY y WAYLAND_DISPLAY están vacías)"),
                                  QStringLiteral("none is set (DISPLAY and WAYLAND_DISPLAY are empty)"),
                                  QStringLiteral("keiner ist eingestellt (DISPLAY und WAYLAND_DISPLAY sind leer)"));
        break;
    case NoWindowReason::DisplayUnreachable:
        why = tallero::chooseText(QStringLiteral("la pantalla indicada por el entorno no se pudo abrir"),
                                  QStringLiteral("the display named by the environment could not be opened"),
                                  QStringLiteral("der in der Umgebung genannte Bildschirm ließ sich nicht öffnen"));
        break;
    case NoWindowReason::PlatformWithoutWindows:
        why = tallero::chooseText(QStringLiteral("la plataforma \"%1\" no muestra ventanas"),
                                  QStringLiteral("the platform \"%1\" shows no windows"),
                                  QStringLiteral("die Plattform \"%1\" zeigt keine Fenster"))
                  .arg(platform);
        break;
    }
    const QString modes = QStringLiteral("--self-test, --pdf-test, --ui-snapshot, --cut-sheet-snapshot, --plan");
    return tallero::chooseText(
               QStringLiteral("Tallero necesita una pantalla para abrir su ventana: %1. Sin pantalla "
                              "funcionan los modos por lotes %2 (véase --help)."),
               QStringLiteral("Tallero needs a display to open its window: %1. Without one, the batch modes "
                              "%2 still work (see --help)."),
               QStringLiteral("Tallero benötigt einen Bildschirm, um sein Fenster zu öffnen: %1. Ohne "
                              "Bildschirm funktionieren die Stapelmodi %2 (siehe --help)."))
        .arg(why, modes);
}

// Qt ends the process with abort() when its platform cannot start (a display
// named but gone, a platform plugin missing). While the application object is
// being created, that fatal message is turned into a clear line and exit 1.
QString platformFailureLine;
QtMessageHandler previousHandler = nullptr;

void startupMessageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        printLine(stderr, platformFailureLine);
        std::_Exit(1);
    }
    if (previousHandler)
        previousHandler(type, context, message);
    else
        printLine(stderr, message);
}

// Creates the application object under the guard above, then gives the
// application its identity.
struct GuardedApplication
{
    GuardedApplication(int &argc, char **argv, const QString &failureLine)
    {
        platformFailureLine = failureLine;
        previousHandler = qInstallMessageHandler(startupMessageHandler);
        application.emplace(argc, argv);
        qInstallMessageHandler(previousHandler);
        QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallero-icon.png")));
    }
    std::optional<QApplication> application;
};

int runBatchMode(int &argc, char **argv, const QStringList &arguments, const tallero::StartRequest &request)
{
    tallero::useBatchPlatform();
    GuardedApplication app(argc, argv,
                           QStringLiteral("Tallero could not start Qt's platform for the batch mode "
                                          "(QT_QPA_PLATFORM=%1).")
                               .arg(qEnvironmentVariable("QT_QPA_PLATFORM")));
    const qsizetype at = request.flagIndex;
    switch (request.mode) {
    case tallero::StartMode::SelfTest:
        return tallero::runSelfTest(tallero::argumentAfter(arguments, at, 1));
    case tallero::StartMode::PdfTest: {
        const QString dxfPath = tallero::argumentAfter(arguments, at, 1);
        const QString pdfPath = tallero::argumentAfter(arguments, at, 2);
        if (dxfPath.isEmpty() || pdfPath.isEmpty())
            return 5;
        tallero::RodalixV69 window;
        QString error;
        if (!tallero::runPdfTest(window, dxfPath, pdfPath, error)) {
            qCritical().noquote() << error;
            return 6;
        }
        return 0;
    }
    case tallero::StartMode::UiSnapshot: {
        const QString imagePath = tallero::argumentAfter(arguments, at, 1);
        if (imagePath.isEmpty())
            return 8;
        tallero::RodalixV69 window;
        return tallero::saveWidgetSnapshot(window, imagePath) ? 0 : 9;
    }
    case tallero::StartMode::CutSheetSnapshot: {
        const auto snapshot = tallero::readCutSheetSnapshotArguments(arguments, at);
        if (!snapshot)
            return 10;
        QString error;
        if (!tallero::runCutSheetSnapshot(snapshot->dxfPath, snapshot->imagePath, error, snapshot->sheetWidth,
                                          snapshot->sheetHeight, snapshot->right, snapshot->top)) {
            qCritical().noquote() << error;
            return 11;
        }
        return 0;
    }
    default:
        return 1;
    }
}

// The command-line planner: its arguments are read before any application
// object exists, so a refused command line never needs a platform.
int runPlanMode(int &argc, char **argv, const QStringList &arguments)
{
    const tallero::PlanArguments plan = tallero::readPlanArguments(arguments);
    if (!plan.request) {
        printLine(stderr, QStringLiteral("Tallero: %1\n\n%2").arg(plan.error, tallero::planUsageText()));
        return tallero::planexit::badArguments;
    }
    tallero::useBatchPlatform();
    GuardedApplication app(argc, argv,
                           QStringLiteral("Tallero could not start Qt's platform for the batch mode "
                                          "(QT_QPA_PLATFORM=%1).")
                               .arg(qEnvironmentVariable("QT_QPA_PLATFORM")));
    return tallero::runHeadlessPlan(*plan.request);
}

int runWindowMode(int &argc, char **argv, const tallero::StartRequest &request)
{
    if (!request.unknownOptions.isEmpty())
        tallero::loadLanguageSetting();
    for (const QString &option : request.unknownOptions)
        printLine(stderr, tallero::chooseText(QStringLiteral("Tallero: opción desconocida %1, ignorada (véase --help)."),
                                              QStringLiteral("Tallero: unknown option %1 ignored (see --help)."),
                                              QStringLiteral("Tallero: unbekannte Option %1 ignoriert (siehe --help)."))
                              .arg(option));
    if (!tallero::displayConfigured()) {
        printLine(stderr, noWindowLine(NoWindowReason::NoDisplaySet));
        return 1;
    }
    GuardedApplication app(argc, argv, noWindowLine(NoWindowReason::DisplayUnreachable));
    // The offscreen and minimal platforms show nothing: a window nobody can
    // see or close would only hang the caller.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        printLine(stderr, noWindowLine(NoWindowReason::PlatformWithoutWindows, platform));
        return 1;
    }
    return tallero::runWindowed(request.startFile);
}

} // namespace

int main(int argc, char *argv[])
{
    // Everything the command line asks is known before any application
    // object exists: --help, --version and a missing display are answered
    // without one, so none of them can abort for want of a display.
    QCoreApplication::setApplicationName(applicationName);
    QCoreApplication::setApplicationVersion(applicationVersion);
    // The desktop entry installed with the program (tallero.desktop): Wayland
    // compositors match the window to it for its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tallero"));
    const QStringList arguments = tallero::argumentList(argc, argv);
    const tallero::StartRequest request = tallero::readCommandLine(arguments);

    switch (request.mode) {
    case tallero::StartMode::Help:
        printLine(stdout, tallero::helpText(arguments.value(0)));
        return 0;
    case tallero::StartMode::Version:
        printLine(stdout, tallero::versionText());
        return 0;
    case tallero::StartMode::Windowed:
        return runWindowMode(argc, argv, request);
    case tallero::StartMode::Plan:
        return runPlanMode(argc, argv, arguments);
    default:
        return runBatchMode(argc, argv, arguments, request);
    }
}
