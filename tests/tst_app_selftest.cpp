#include "testsupport.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using tallero::testing::ProgramRun;
using tallero::testing::rectangleDxf;

namespace {

ProgramRun runTallero(const QStringList &arguments, const QProcessEnvironment &environment,
                      rlim_t addressSpace = RLIM_INFINITY)
{
    std::function<void()> limit;
    if (addressSpace != RLIM_INFINITY) {
        limit = [addressSpace] {
            const rlimit limit{addressSpace, addressSpace};
            setrlimit(RLIMIT_AS, &limit);
        };
    }
    return tallero::testing::runTallero(arguments, environment, 120000, limit);
}

} // namespace

class AppSelfTestTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        tallero::testing::isolateUserState();
        QVERIFY(m_dir.isValid());
        writeFile("rect.dxf", rectangleDxf(5, 3));
        // Far wider than any real job: its grid is refused by the engine.
        writeFile("ribbon.dxf", rectangleDxf(1e8, 2));
        writeFile("garbage.dxf", "this is\nnot a drawing\n");
    }

    void selfTest_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");

        const QString rect = m_dir.filePath("rect.dxf");
        const QString okLine = QStringLiteral("OK: área 15.000 m², 4 enteras, 3 planchas de corte, 7 total.");
        QTest::newRow("plan checked") << QStringList{"--self-test", rect} << 0 << okLine;
        QTest::newRow("self-test wins over the PDF test")
            << QStringList{"--pdf-test", "x.dxf", "--self-test", rect} << 0 << okLine;
        QTest::newRow("missing path") << QStringList{"--self-test"} << 2 << QString();
        QTest::newRow("missing file")
            << QStringList{"--self-test", m_dir.filePath("nowhere.dxf")} << 2 << QStringLiteral("No such file");
        QTest::newRow("no geometry")
            << QStringList{"--self-test", m_dir.filePath("garbage.dxf")} << 2
            << QStringLiteral("No se encontraron entidades geométricas válidas en el DXF.");
        QTest::newRow("engine refuses the grid")
            << QStringList{"--self-test", m_dir.filePath("ribbon.dxf")} << 4 << QString();
    }

    void selfTest()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        // A batch mode needs no display.
        const ProgramRun run = runTallero(arguments, tallero::testing::headlessEnvironment(m_dir.path(), m_dir.path()));
        QCOMPARE(run.exitCode, exitCode);
        if (!output.isEmpty())
            QVERIFY2(run.output.contains(output), qPrintable(run.output));
        if (exitCode != 0)
            QVERIFY2(!run.output.isEmpty(), "a failure must say why");
    }

    // Drawings that once gave a wrong plan or a crash (written by
    // tests/data/dxf/make_outline_faults.py), read from their files through
    // the whole program. A drawing with a reference must give exactly the
    // reference's line: the same room drawn soundly, or drawn at the origin.
    void outlineFaults_data()
    {
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");

        const QString crossing = QStringLiteral("Un contorno cerrado del DXF se cruza consigo mismo cerca de ");
        QTest::newRow("zero height") << "zero-height-polyline" << QString() << 2
                                     << "El contorno cerrado del DXF no se pudo convertir a una geometría válida.";
        QTest::newRow("lines drawn twice") << "room-lines-twice" << QString() << 0
                                           << "OK: área 24.000 m², 9 enteras, 1 planchas de corte, 10 total.";
        QTest::newRow("bow tie") << "bow-tie" << QString() << 2 << crossing + "x = 4.000 m, y = 2.400 m.";
        QTest::newRow("figure eight") << "figure-eight" << QString() << 2 << crossing + "x = 4.000 m, y = 2.000 m.";
        QTest::newRow("overlapping columns") << "overlapping-columns" << "merged-column" << 0 << "OK: área 72.000 m²";
        QTest::newRow("column half in a wall") << "column-in-wall" << "notched-room" << 0 << "OK: área 96.000 m²";
        QTest::newRow("loop inside a hole") << "loop-inside-hole" << "room-with-hole" << 0 << "OK: área 64.000 m²";
        QTest::newRow("column drawn twice") << "column-twice" << "room-with-column" << 0 << "OK: área 96.000 m²";
        QTest::newRow("outline drawn twice") << "outline-twice" << "room" << 0
                                             << "OK: área 100.000 m², 40 enteras, 2 planchas de corte, 42 total.";
        QTest::newRow("L room at UTM coordinates") << "l-room-utm" << "l-room-origin" << 0 << "OK:";
        QTest::newRow("6.001 m room at 3e6") << "room-6001-far" << "room-6001-origin" << 0
                                             << "OK: área 24.004 m²";
        QTest::newRow("room with a column at 3e8") << "room-with-column-3e8" << "room-with-column" << 0
                                                   << "OK: área 96.000 m²";
        QTest::newRow("column alone at 3e8") << "column-at-3e8" << "room" << 0 << "OK: área 100.000 m²";
    }

    void outlineFaults()
    {
        QFETCH(QString, drawing);
        QFETCH(QString, reference);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        const auto path = [](const QString &name) {
            return QStringLiteral(TALLERO_TEST_DATA "/dxf/outline-faults/") + name + QStringLiteral(".dxf");
        };
        const ProgramRun run = runTallero({"--self-test", path(drawing)}, QProcessEnvironment::systemEnvironment());
        QCOMPARE(run.exitCode, exitCode);
        const QString line = run.output.section(QLatin1Char('\n'), -1);
        QVERIFY2(line.startsWith(output), qPrintable(run.output));
        if (!reference.isEmpty()) {
            const ProgramRun expected = runTallero({"--self-test", path(reference)}, QProcessEnvironment::systemEnvironment());
            QCOMPARE(expected.exitCode, 0);
            QCOMPARE(line, expected.output.section(QLatin1Char('\n'), -1));
        }
    }

    // Memory running out while a drawing is read ends with a message and the
    // exit code of a failed read, not an abort. The program runs with an
    // address space too small for a polyline of a million arcs.
    void outOfMemoryWhileReading()
    {
        const rlim_t limit = 160 * 1024 * 1024;
        const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (runTallero({"--self-test", m_dir.filePath("rect.dxf")}, environment, limit).exitCode != 0)
            QSKIP("this build cannot start in a small address space (sanitizers reserve more)");
        QByteArray arcs = "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n70\n1\n";
        for (int k = 0; k < 1'000'000; ++k)
            arcs += "10\n" + QByteArray::number(2 * k) + "\n20\n0\n42\n1\n";
        writeFile("arcs.dxf", arcs + "0\nENDSEC\n0\nEOF\n");
        const ProgramRun run = runTallero({"--self-test", m_dir.filePath("arcs.dxf")}, environment, limit);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.output.contains(QStringLiteral("No hay memoria suficiente para importar el DXF.")),
                 qPrintable(run.output));
    }

private:
    void writeFile(const QString &name, const QByteArray &content)
    {
        tallero::testing::writeFile(m_dir.filePath(name), content);
    }

    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(AppSelfTestTest)
#include "tst_app_selftest.moc"
