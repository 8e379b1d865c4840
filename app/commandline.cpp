#include "commandline.h"

#include "batchplatform.h"
#include "planarguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace tallero {

namespace {

const QString applicationDescription = QStringLiteral(
    "Tallero: cutting plans for sheet material over the outline of a DXF drawing.\n"
    "\n"
    "Without arguments Tallero opens its window, which needs a display.\n"
    "  tallero FILE.dxf         opens the window with that drawing loaded\n"
    "  tallero FILE.tlr         opens the window on that project (drawing, sheet values and plan)\n"
    "Batch modes run without a display and without any window; the first flag present decides:\n"
    "  --self-test DXF          compute the plan of DXF (2.0 x 1.2 m sheets) and check its nesting;\n"
    "                           exit 0 OK, 2 unreadable drawing, 3 nesting fault, 4 engine failure\n"
    "  --pdf-test DXF PDF       write the PDF report of DXF (2.0 x 1.2 m sheets) to PDF;\n"
    "                           exit 0 written, 5 a path missing, 6 failed (reason printed)\n"
    "  --ui-snapshot IMAGE      save a picture of the main window; the suffix chooses the format;\n"
    "                           exit 0 saved, 8 no path given, 9 not saved\n"
    "  --cut-sheet-snapshot DXF IMAGE [WIDTH HEIGHT RIGHT TOP]\n"
    "                           save a picture of the last cutting sheet of DXF's plan (sheet WIDTH x HEIGHT m,\n"
    "                           default 2.0 x 1.2; RIGHT/TOP \"1\" anchor the grid there), 1020 x 620 pixels;\n"
    "                           exit 0 saved, 10 missing path or bad size, 11 drawing, plan or image failed");

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help;
    QCommandLineOption version;

    Parser() : help(parser.addHelpOption()), version(parser.addVersionOption())
    {
        parser.setApplicationDescription(applicationDescription + QStringLiteral("\n\n") + planUsageText());
    }
};

} // namespace

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

StartRequest readCommandLine(const QStringList &arguments)
{
    StartRequest request;
    const struct
    {
        const char *flag;
        StartMode mode;
    } batchModes[] = {
        {selfTestFlag, StartMode::SelfTest},
        {pdfTestFlag, StartMode::PdfTest},
        {uiSnapshotFlag, StartMode::UiSnapshot},
        {cutSheetSnapshotFlag, StartMode::CutSheetSnapshot},
    };
    for (const auto &batch : batchModes) {
        // Position 0 is the program, never a flag.
        const qsizetype at = arguments.indexOf(QLatin1String(batch.flag), 1);
        if (at >= 1) {
            request.mode = batch.mode;
            request.flagIndex = at;
            return request;
        }
    }

    Parser options;
    // Unknown options do not stop the start; they are only reported.
    options.parser.parse(arguments);
    if (options.parser.isSet(options.help) || arguments.contains(QLatin1String("--help-all")))
        request.mode = StartMode::Help;
    else if (asksForPlan(arguments)) {
        request.mode = StartMode::Plan;
        return request;
    } else if (options.parser.isSet(options.version))
        request.mode = StartMode::Version;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        if (argument.startsWith(QLatin1String("--")) && argument != QLatin1String("--help")
            && argument != QLatin1String("--help-all") && argument != QLatin1String("--version"))
            request.unknownOptions.append(argument);
    }
    if (request.mode == StartMode::Windowed)
        request.startFile = options.parser.positionalArguments().value(0);
    return request;
}

QString argumentAfter(const QStringList &arguments, qsizetype flagIndex, int position)
{
    return arguments.value(flagIndex + position);
}

QString helpText(const QString &programPath)
{
    Parser options;
    // Without an application object the parser cannot know the program's
    // name; it writes a placeholder that is replaced here.
    QString text = options.parser.helpText();
    text.replace(QStringLiteral("<executable_name>"), QFileInfo(programPath).fileName());
    return text;
}

QString versionText()
{
    return QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                         QCoreApplication::applicationVersion());
}

} // namespace tallero
