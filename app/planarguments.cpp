#include "app/planarguments.h"

#include "exports/plandocument.h"
#include "ui/localisation.h"
#include "ui/sheetinputs.h"

#include <QHash>

namespace tallero {

namespace {

enum class Kind { Flag, Text, Length };

struct OptionSpec
{
    const char *name;
    Kind kind;
};

const OptionSpec options[] = {
    {"--plan", Kind::Text},      {"--width", Kind::Length},  {"--height", Kind::Length},
    {"--gap", Kind::Length},     {"--scale", Kind::Length},  {"--optimise", Kind::Flag},
    {"--start", Kind::Text},     {"--vertical", Kind::Flag}, {"--language", Kind::Text},
    {"--json", Kind::Text},      {"--pdf", Kind::Text},      {"--csv", Kind::Text},
    {"--dxf-dir", Kind::Text},   {"--thorough", Kind::Flag},
};

const OptionSpec *findOption(const QString &name)
{
    for (const OptionSpec &option : options) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

QString refuse(const QString &es, const QString &en, const QString &de, const QString &argument = QString())
{
    QString text = chooseText(es, en, de);
    if (!argument.isEmpty())
        text = text.arg(argument);
    return text;
}

} // namespace

bool asksForPlan(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--"))
            return false;
        if (argument == QLatin1String(planFlag) || argument.startsWith(QLatin1String(planFlag) + QLatin1Char('=')))
            return true;
    }
    return false;
}

PlanArguments readPlanArguments(const QStringList &arguments)
{
    PlanArguments result;

    // The language first, so that every message is in the one the command
    // line asks for (the stored one when it asks for none it knows).
    QString language;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--language"))
            language = arguments.value(i + 1);
        else if (arguments[i].startsWith(QLatin1String("--language=")))
            language = arguments[i].mid(11);
    }
    const bool knownLanguage = language == QLatin1String("es") || language == QLatin1String("en")
        || language == QLatin1String("de");
    if (knownLanguage)
        setCurrentLanguage(language);
    else
        loadLanguageSetting();

    QHash<QString, QString> values;
    QString problem;
    for (qsizetype i = 1; i < arguments.size() && problem.isEmpty(); ++i) {
        const QString &argument = arguments[i];
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.startsWith(QLatin1String("--")) && equals > 0 ? argument.left(equals) : argument;
        const OptionSpec *option = findOption(name);
        if (!option) {
            problem = argument.startsWith(QLatin1Char('-'))
                ? refuse(QStringLiteral("opción desconocida %1"), QStringLiteral("unknown option %1"),
                         QStringLiteral("unbekannte Option %1"), argument)
                : refuse(QStringLiteral("argumento sobrante %1"), QStringLiteral("unexpected argument %1"),
                         QStringLiteral("überzähliges Argument %1"), argument);
            break;
        }
        if (values.contains(name)) {
            problem = refuse(QStringLiteral("%1 aparece más de una vez"), QStringLiteral("%1 is given more than once"),
                             QStringLiteral("%1 ist mehrfach angegeben"), name);
            break;
        }
        if (option->kind == Kind::Flag) {
            if (equals > 0 && name != argument) {
                problem = refuse(QStringLiteral("%1 no lleva valor"), QStringLiteral("%1 takes no value"),
                                 QStringLiteral("%1 nimmt keinen Wert"), name);
                break;
            }
            values.insert(name, QString());
            continue;
        }
        QString value;
        if (name != argument) {
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--"))) {
            value = arguments[++i];
        }
        if (value.isEmpty()) {
            problem = refuse(QStringLiteral("falta el valor de %1"), QStringLiteral("%1 needs a value"),
                             QStringLiteral("%1 braucht einen Wert"), name);
            break;
        }
        values.insert(name, value);
    }

    if (!problem.isEmpty()) {
        result.error = problem;
        return result;
    }
    if (!language.isEmpty() && !knownLanguage) {
        result.error = refuse(QStringLiteral("idioma desconocido %1 (es, en o de)"),
                              QStringLiteral("unknown language %1 (es, en or de)"),
                              QStringLiteral("unbekannte Sprache %1 (es, en oder de)"), language);
        return result;
    }

    HeadlessPlanRequest request;
    request.inputPath = values.value(QStringLiteral("--plan"));
    request.language = language;
    request.optimise = values.contains(QStringLiteral("--optimise"));
    request.vertical = values.contains(QStringLiteral("--vertical"));
    request.thorough = values.contains(QStringLiteral("--thorough"));
    request.jsonPath = values.value(QStringLiteral("--json"));
    request.pdfPath = values.value(QStringLiteral("--pdf"));
    request.csvPath = values.value(QStringLiteral("--csv"));
    request.dxfFolder = values.value(QStringLiteral("--dxf-dir"));

    const struct
    {
        const char *name;
        std::optional<double> *target;
        bool zeroAllowed;
    } lengths[] = {
        {"--width", &request.width, false},
        {"--height", &request.height, false},
        {"--gap", &request.gap, true},
        {"--scale", &request.scale, false},
    };
    for (const auto &length : lengths) {
        const QString name = QString::fromLatin1(length.name);
        if (!values.contains(name))
            continue;
        const QString text = values.value(name);
        const std::optional<double> number = parseSheetLength(text);
        if (!number) {
            result.error = refuse(QStringLiteral("%1 necesita un número con punto decimal, no «%2»"),
                                  QStringLiteral("%1 needs a number with a decimal point, not \"%2\""),
                                  QStringLiteral("%1 braucht eine Zahl mit Dezimalpunkt, nicht „%2“"))
                               .arg(name, text);
            return result;
        }
        if (length.zeroAllowed ? *number < 0.0 : *number <= 0.0) {
            result.error = length.zeroAllowed
                ? refuse(QStringLiteral("%1 no puede ser negativo"), QStringLiteral("%1 cannot be negative"),
                         QStringLiteral("%1 darf nicht negativ sein"), name)
                : refuse(QStringLiteral("%1 tiene que ser mayor que cero"), QStringLiteral("%1 must be above zero"),
                         QStringLiteral("%1 muss größer als null sein"), name);
            return result;
        }
        *length.target = *number;
    }

    if (values.contains(QStringLiteral("--start"))) {
        const QString corner = values.value(QStringLiteral("--start"));
        const int index = startIndexOfCornerKey(corner);
        if (index < 0) {
            result.error = refuse(QStringLiteral("esquina desconocida %1 (bottom-left, bottom-right, top-left o "
                                                 "top-right)"),
                                  QStringLiteral("unknown corner %1 (bottom-left, bottom-right, top-left or "
                                                 "top-right)"),
                                  QStringLiteral("unbekannte Ecke %1 (bottom-left, bottom-right, top-left oder "
                                                 "top-right)"),
                                  corner);
            return result;
        }
        request.startIndex = index;
    }

    const bool project = isProjectPath(request.inputPath);
    if (request.optimise && request.startIndex) {
        result.error = refuse(QStringLiteral("--optimise y --start se excluyen: elige uno"),
                              QStringLiteral("--optimise and --start exclude each other: choose one"),
                              QStringLiteral("--optimise und --start schließen sich aus: wählen Sie eines"));
        return result;
    }
    if (request.optimise && request.vertical) {
        result.error = refuse(QStringLiteral("--vertical va con --start; --optimise prueba las dos orientaciones"),
                              QStringLiteral("--vertical goes with --start; --optimise tries both orientations"),
                              QStringLiteral("--vertical gehört zu --start; --optimise probiert beide Ausrichtungen"));
        return result;
    }
    if (!project) {
        if (!request.width || !request.height) {
            result.error = refuse(QStringLiteral("un plano necesita --width y --height (metros)"),
                                  QStringLiteral("a drawing needs --width and --height (metres)"),
                                  QStringLiteral("eine Zeichnung braucht --width und --height (Meter)"));
            return result;
        }
        if (!request.optimise && !request.startIndex) {
            result.error = refuse(QStringLiteral("indica --optimise o --start ESQUINA"),
                                  QStringLiteral("give --optimise or --start CORNER"),
                                  QStringLiteral("geben Sie --optimise oder --start ECKE an"));
            return result;
        }
    }
    const struct
    {
        const QString *path;
        const char *name;
    } outputs[] = {{&request.pdfPath, "--pdf"}, {&request.dxfFolder, "--dxf-dir"}};
    for (const auto &output : outputs) {
        if (*output.path == QLatin1String("-")) {
            result.error = refuse(QStringLiteral("%1 no puede escribir en la salida estándar"),
                                  QStringLiteral("%1 cannot write to standard output"),
                                  QStringLiteral("%1 kann nicht auf die Standardausgabe schreiben"),
                                  QString::fromLatin1(output.name));
            return result;
        }
    }
    if (request.jsonPath == QLatin1String("-") && request.csvPath == QLatin1String("-")) {
        result.error = refuse(QStringLiteral("solo una de --json y --csv puede ir a la salida estándar (-)"),
                              QStringLiteral("only one of --json and --csv can go to standard output (-)"),
                              QStringLiteral("nur eines von --json und --csv kann auf die Standardausgabe (-)"));
        return result;
    }
    result.request = request;
    return result;
}

QString planUsageText()
{
    return QStringLiteral(
        "Planning without the window (needs no display):\n"
        "  --plan DRAWING.dxf --width W --height H [--gap G] [--scale F]\n"
        "         (--optimise | --start CORNER [--vertical]) [--thorough]\n"
        "         [--language es|en|de] [--json FILE] [--pdf FILE] [--csv FILE] [--dxf-dir DIR]\n"
        "  --plan PROJECT.tlr [the same options, which override the project's values]\n"
        "                           compute the cutting plan and print its summary; W, H, G in metres;\n"
        "                           CORNER is bottom-left, bottom-right, top-left or top-right;\n"
        "                           --scale multiplies the drawing's coordinates (0.001 for millimetres);\n"
        "                           --thorough searches further for a nesting with fewer cutting sheets\n"
        "                           (slower; a project that asks for it is always nested so);\n"
        "                           --json the plan, --csv the cut list (\"-\" for standard output),\n"
        "                           --pdf the report, --dxf-dir one DXF per cutting sheet (P13.dxf ...);\n"
        "                           exit 0 done, 2 drawing or project unreadable, 4 no plan,\n"
        "                           5 bad arguments, 6 an output could not be written");
}

} // namespace tallero
