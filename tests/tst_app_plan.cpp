// The command-line planner as a process: its arguments, its exit codes, its
// outputs written in full or not at all, and the same bytes from the same
// inputs.

#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using tallero::testing::readFile;
using tallero::testing::writeFile;

namespace {

struct Run
{
    bool finishedNormally = false;
    int exitCode = -1;
    QByteArray out;
    QString err;
};

QString example(const char *name)
{
    return tallero::testing::examplePath(QString::fromLatin1(name));
}

// Every file below `folder`, by relative path, with its bytes.
QMap<QString, QByteArray> folderContents(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readFile(path));
    }
    return files;
}

} // namespace

class AppPlanTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A private home holding the stored language, and no display.
    Run runTallero(const QStringList &arguments, const QString &storedLanguage = QString())
    {
        const QString home = m_dir.filePath(QStringLiteral("home"));
        QDir().mkpath(home + QStringLiteral("/.config/Tallero"));
        writeFile(home + QStringLiteral("/.config/Tallero/Tallero.conf"),
                  storedLanguage.isEmpty() ? QByteArray() : "[ui]\nlanguage=" + storedLanguage.toUtf8() + "\n");
        QProcess process;
        process.setProcessEnvironment(tallero::testing::headlessEnvironment(home, m_dir.path()));
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(TALLERO_EXECUTABLE), arguments);
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitStatus() == QProcess::NormalExit, process.exitCode(), process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        tallero::testing::isolateUserState();
        QVERIFY(m_dir.isValid());
    }

    void refusesBadArguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        const QString dxf = example("room-curved-wall.dxf");
        const QStringList size{"--width", "2", "--height", "1.2"};
        const QStringList optimise{"--plan", dxf, "--optimise"};
        const auto refused = [](const char *name, const QStringList &arguments, const char *language,
                                const char *expected) {
            QTest::newRow(name) << arguments << QString::fromLatin1(language) << QString::fromUtf8(expected);
        };
        refused("unknown option", optimise + QStringList{"--bogus"} + size, "en", "unknown option --bogus");
        refused("stray argument", optimise + QStringList{"extra"} + size, "en", "unexpected argument extra");
        refused("missing value at the end", optimise + QStringList{"--width", "2", "--height"}, "en",
                "--height needs a value");
        refused("option where a value belongs", {"--plan", dxf, "--width", "--optimise", "--height", "1.2"}, "en",
                "--width needs a value");
        refused("plan without input", {"--plan"}, "en", "--plan needs a value");
        refused("decimal comma", optimise + QStringList{"--width", "2,5", "--height", "1.2"}, "es",
                "--width necesita un número");
        refused("zero width", optimise + QStringList{"--width", "0", "--height", "1.2"}, "en",
                "--width must be above zero");
        refused("negative height", optimise + QStringList{"--width", "2", "--height=-1"}, "de",
                "--height muss größer als null sein");
        refused("negative clearance", optimise + QStringList{"--gap", "-0.1"} + size, "en", "--gap cannot be negative");
        refused("zero scale", optimise + QStringList{"--scale", "0"} + size, "en", "--scale must be above zero");
        refused("no width", optimise + QStringList{"--height", "1.2"}, "en", "--width and --height");
        refused("neither optimise nor start", QStringList{"--plan", dxf} + size, "en", "give --optimise or --start");
        refused("optimise and start", optimise + QStringList{"--start", "top-left"} + size, "en", "exclude each other");
        refused("unknown corner", QStringList{"--plan", dxf, "--start", "middle"} + size, "en", "unknown corner middle");
        refused("vertical with optimise", optimise + QStringList{"--vertical"} + size, "en",
                "--vertical goes with --start");
        refused("unknown language", optimise + QStringList{"--language", "fr"} + size, "en", "unknown language fr");
        refused("pdf to standard output", optimise + QStringList{"--pdf", "-"} + size, "en",
                "--pdf cannot write to standard output");
        refused("two outputs to standard output", optimise + QStringList{"--json", "-", "--csv", "-"} + size, "en",
                "only one of --json and --csv");
        refused("option given twice", optimise + QStringList{"--width", "3"} + size, "en",
                "--width is given more than once");
        refused("flag with a value", QStringList{"--plan", dxf, "--optimise=yes"} + size, "en",
                "--optimise takes no value");
        refused("message in the language asked for", QStringList{"--plan", dxf, "--language", "de"} + size, "en",
                "geben Sie --optimise oder --start");
    }
    void refusesBadArguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, language);
        QFETCH(QString, expected);
        const QString json = path(QStringLiteral("refused.json"));
        QFile::remove(json);
        const Run run = runTallero(arguments + QStringList{"--csv", json.chopped(4) + "csv"}
                                       .mid(arguments.contains(QStringLiteral("--csv")) ? 2 : 0),
                                   language);
        QVERIFY2(run.finishedNormally, qPrintable(run.err));
        QCOMPARE(run.exitCode, 5);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("--plan DRAWING.dxf")), qPrintable(run.err));   // the usage
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFile::exists(json.chopped(4) + "csv"));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        const QStringList size{"--width", "2", "--height", "1.2", "--optimise", "--language", "en"};
        const QString deck = example("deck-bay.dxf");
        const auto row = [&](const char *name, const QStringList &arguments, int exitCode, const char *expected) {
            QTest::newRow(name) << QStringList{"--plan"} + arguments + size << exitCode << QString::fromUtf8(expected);
        };
        row("missing drawing", {"/nonexistent/room.dxf"}, 2, "room.dxf");
        row("project that is not one", {"not-a-project.tlr"}, 2, "not a valid .tlr project");
        row("project without its drawing", {"lost.tlr"}, 2, "linked DXF could not be found");
        // A drawing in millimetres planned as metres: a 5 km floor, far
        // beyond what the grid is for; the warning names the unit.
        row("drawing in the wrong unit", {"room-mm.dxf"}, 4, "--scale 0.001");
        row("the same drawing scaled", {"room-mm.dxf", "--scale", "0.001"}, 0, "");
        row("output in a missing folder", {deck, "--json", "/nonexistent/plan.json"}, 6, "Could not write");
        row("output over the drawing", {"room-mm.dxf", "--scale", "0.001", "--csv", "room-mm.dxf"}, 5,
            "is the input file");
        row("two outputs on one file", {deck, "--json", "a-file", "--csv", "./a-file"}, 5, "two outputs");
    }
    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        writeFile(path(QStringLiteral("not-a-project.tlr")), "{\"format\": \"Something else\"}");
        writeFile(path(QStringLiteral("lost.tlr")),
                  "{\"format\": \"TalleroProject\", \"dxf\": \"/nonexistent/gone.dxf\", \"sheetWidth\": \"2\","
                  " \"sheetHeight\": \"1.2\", \"gap\": \"0\"}");
        writeFile(path(QStringLiteral("a-file")), "keep me");
        // A 6 x 4 m room drawn in millimetres, the header saying so.
        writeFile(path(QStringLiteral("room-mm.dxf")),
                  "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n"
                  "0\nLWPOLYLINE\n8\n0\n90\n4\n70\n1\n10\n0\n20\n0\n10\n6000\n20\n0\n10\n6000\n20\n4000\n"
                  "10\n0\n20\n4000\n0\nENDSEC\n0\nEOF\n");
        const Run run = runTallero(arguments);
        QVERIFY2(run.finishedNormally, qPrintable(run.err));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QCOMPARE(readFile(path(QStringLiteral("a-file"))), QByteArray("keep me"));
        QVERIFY(readFile(path(QStringLiteral("room-mm.dxf"))).startsWith("0\nSECTION"));
    }

    // The same inputs give the same bytes in every output; the summary
    // printed is the plan written, and both say which nesting made it.
    void sameInputsSameBytes_data()
    {
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QStringList>("layout");
        QTest::addColumn<QString>("nesting");
        QTest::newRow("curved wall, optimised")
            << example("room-curved-wall.dxf") << QStringList{"--optimise"} << "standard";
        QTest::newRow("floor, top right, vertical")
            << example("l-floor-column.dxf") << QStringList{"--start", "top-right", "--vertical", "--gap", "0.002"}
            << "standard";
        QTest::newRow("deck, optimised thoroughly")
            << example("deck-bay.dxf") << QStringList{"--optimise", "--thorough"} << "thorough";
    }
    void sameInputsSameBytes()
    {
        QFETCH(QString, drawing);
        QFETCH(QStringList, layout);
        QFETCH(QString, nesting);
        QList<QMap<QString, QByteArray>> runs;
        QByteArray summary;
        for (const QString &name : {QStringLiteral("first"), QStringLiteral("second")}) {
            const QString folder = path(QStringLiteral("same/") + name);
            QDir(folder).removeRecursively();
            QVERIFY(QDir().mkpath(folder));
            const Run run = runTallero(QStringList{"--plan", drawing, "--width", "2", "--height", "1.2",
                                                   "--json", folder + "/plan.json", "--csv", folder + "/cut.csv",
                                                   "--dxf-dir", folder + "/sheets", "--pdf", folder + "/report.pdf"}
                                       + layout);
            QVERIFY2(run.finishedNormally && run.exitCode == 0, qPrintable(run.err));
            QVERIFY(readFile(folder + "/report.pdf").startsWith("%PDF"));
            QFile::remove(folder + "/report.pdf");   // it carries the time it was printed
            runs.append(folderContents(folder));
            summary = run.out;
        }
        QCOMPARE(runs[0].keys(), runs[1].keys());
        QVERIFY(runs[0].keys().contains(QStringLiteral("plan.json")));
        QVERIFY(runs[0].keys().contains(QStringLiteral("cut.csv")));
        QVERIFY(runs[0].keys().filter(QStringLiteral("sheets/P")).size() >= 1);
        for (const QString &key : runs[0].keys())
            QVERIFY2(runs[0][key] == runs[1][key], qPrintable(key));

        const QJsonObject root = QJsonDocument::fromJson(runs[0][QStringLiteral("plan.json")]).object();
        const int purchase = root.value("totals").toObject().value("purchase").toInt();
        QVERIFY2(summary.contains("TOTAL COMPRA REAL: " + QByteArray::number(purchase) + " planchas"),
                 summary.constData());
        QCOMPARE(root.value("settings").toObject().value("nesting").toString(), nesting);
        QCOMPARE(summary.contains("Anidado: exhaustivo"), nesting == QLatin1String("thorough"));
    }

    void summaryInTheLanguageAsked_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("expected");
        QTest::newRow("stored English") << "en" << QStringList{} << "TOTAL PURCHASE:";
        QTest::newRow("German asked for") << "en" << QStringList{"--language", "de"} << "GESAMTEINKAUF:";
    }
    void summaryInTheLanguageAsked()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, extra);
        QFETCH(QString, expected);
        const Run run = runTallero(QStringList{"--plan", example("deck-bay.dxf"), "--width", "2", "--height", "1.2",
                                               "--start", "bottom-right"}
                                       + extra,
                                   stored);
        QVERIFY2(run.finishedNormally && run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(QString::fromUtf8(run.out).contains(expected), run.out.constData());
    }

    // A project stands for the drawing and its settings, its scale
    // included; the JSON goes to standard output and the summary to
    // standard error.
    void projectInPlaceOfTheDrawing()
    {
        const QString project = path(QStringLiteral("half.tlr"));
        writeFile(project, QStringLiteral("{\"format\": \"TalleroProject\", \"dxf\": \"%1\", \"sheetWidth\": \"1.0\","
                                          " \"sheetHeight\": \"0.6\", \"gap\": \"0.01\", \"startIndex\": 2,"
                                          " \"vertical\": false, \"scale\": 0.5}")
                               .arg(example("deck-bay.dxf"))
                               .toUtf8());
        const Run run = runTallero({"--plan", project, "--json", "-"});
        QVERIFY2(run.finishedNormally && run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(QStringLiteral("TOTAL COMPRA REAL")), qPrintable(run.err));
        const QJsonObject root = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(root.value("schema").toInt(), 1);
        const QJsonObject settings = root.value("settings").toObject();
        QCOMPARE(settings.value("sheetWidth").toDouble(), 1.0);
        QCOMPARE(settings.value("sheetHeight").toDouble(), 0.6);
        QCOMPARE(settings.value("clearance").toDouble(), 0.01);
        QCOMPARE(settings.value("startCorner").toString(), QStringLiteral("top-right"));
        const QJsonObject drawing = root.value("drawing").toObject();
        QCOMPARE(drawing.value("scale").toDouble(), 0.5);
        QCOMPARE(drawing.value("file").toString(), QStringLiteral("deck-bay.dxf"));
        // deck-bay.dxf is 5 m wide as drawn.
        const QJsonObject bounds = drawing.value("bounds").toObject();
        QVERIFY(std::abs(bounds.value("maxX").toDouble() - bounds.value("minX").toDouble() - 2.5) < 1e-9);

        // The command line overrides the project's values.
        const Run vertical = runTallero({"--plan", project, "--start", "bottom-left", "--vertical", "--json", "-"});
        QVERIFY2(vertical.finishedNormally && vertical.exitCode == 0, qPrintable(vertical.err));
        const QJsonObject turned = QJsonDocument::fromJson(vertical.out).object().value("settings").toObject();
        QCOMPARE(turned.value("orientation").toString(), QStringLiteral("vertical"));
        QCOMPARE(turned.value("sheetWidth").toDouble(), 0.6);
        QCOMPARE(turned.value("startCorner").toString(), QStringLiteral("bottom-left"));
    }

    void helpNamesThePlanner()
    {
        const Run run = runTallero({"--help"});
        QCOMPARE(run.exitCode, 0);
        for (const char *option : {"--plan DRAWING.dxf", "--dxf-dir", "--scale", "--optimise", "bottom-left"})
            QVERIFY2(run.out.contains(option), option);
    }
};

QTEST_GUILESS_MAIN(AppPlanTest)
#include "tst_app_plan.moc"
