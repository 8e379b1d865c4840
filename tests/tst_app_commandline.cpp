// The program as a process on a machine without a display: every command
// line ends with an exit code of its own and a clear line, never an abort.

#include "testsupport.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using tallero::testing::ProgramRun;
using tallero::testing::runTallero;

namespace {

// A display name nobody serves on this machine: a fixed number could be a
// real X server that someone else started, and the window would then open.
QString unusedDisplay()
{
    for (int number = 990; number < 9990; ++number) {
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
            && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            return QStringLiteral(":%1").arg(number);
    }
    return QStringLiteral(":9999");
}

} // namespace

class AppCommandLineTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A fresh home for the child, with the given stored preferences, and no
    // display: neither DISPLAY, WAYLAND_DISPLAY nor a chosen Qt platform.
    QProcessEnvironment childEnvironment(const QString &home, const QString &language = QString(),
                                         const QVariant &dark = QVariant())
    {
        QDir().mkpath(home + QStringLiteral("/.config/Tallero"));
        QFile conf(home + QStringLiteral("/.config/Tallero/Tallero.conf"));
        if (conf.open(QIODevice::WriteOnly)) {
            QByteArray text;
            if (!language.isEmpty())
                text += "[ui]\nlanguage=" + language.toUtf8() + "\n";
            if (dark.isValid())
                text += QByteArray("[theme]\ndark=") + (dark.toBool() ? "true" : "false") + "\n";
            conf.write(text);
        }
        return tallero::testing::headlessEnvironment(home, m_dir.path());
    }

private slots:
    void initTestCase()
    {
        tallero::testing::isolateUserState();
        QVERIFY(m_dir.isValid());
    }

    void answersWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        const QString noDisplayEn = QStringLiteral("Tallero needs a display to open its window");
        QTest::newRow("help") << QStringList{"--help"} << QString() << 0 << "--ui-snapshot IMAGE";
        QTest::newRow("short help") << QStringList{"-h"} << QString() << 0 << "--self-test DXF";
        QTest::newRow("version") << QStringList{"--version"} << QString() << 0
                                 << QStringLiteral("Tallero " TALLERO_VERSION);
        QTest::newRow("window, Spanish")
            << QStringList{} << QString() << 1 << "Tallero necesita una pantalla para abrir su ventana";
        QTest::newRow("window, English") << QStringList{} << "en" << 1 << noDisplayEn;
        QTest::newRow("window, German")
            << QStringList{} << "de" << 1 << "Tallero benötigt einen Bildschirm";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << "en" << 1 << noDisplayEn;
        QTest::newRow("flag in capitals starts the window") << QStringList{"--SELF-TEST"} << "en" << 1
                                                            << noDisplayEn;
        QTest::newRow("snapshot without path") << QStringList{"--ui-snapshot"} << QString() << 8 << QString();
        QTest::newRow("pdf test without pdf path") << QStringList{"--pdf-test", "a.dxf"} << QString() << 5 << QString();
        QTest::newRow("pdf test of a missing drawing")
            << QStringList{"--pdf-test", "/nonexistent/a.dxf", "/nonexistent/b.pdf"} << QString() << 6 << QString();
        QTest::newRow("self-test before snapshot")
            << QStringList{"--ui-snapshot", "x.png", "--self-test"} << QString() << 2 << QString();
        QTest::newRow("snapshot that cannot be saved")
            << QStringList{"--ui-snapshot", m_dir.filePath(QStringLiteral("missing/w.png"))} << QString() << 9 << QString();
    }

    void answersWithoutDisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, language);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const QString home = m_dir.filePath(QStringLiteral("home-%1").arg(QTest::currentDataTag()));
        const ProgramRun run = runTallero(arguments, childEnvironment(home, language), 60000);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.output.contains(expected), qPrintable(run.output));
        if (exitCode == 1 && expected.contains(QStringLiteral("display")))
            QVERIFY2(run.output.contains(QStringLiteral("--cut-sheet-snapshot")), qPrintable(run.output));
    }

    void windowRefusesPlatformsThatShowNothing_data()
    {
        QTest::addColumn<QString>("environmentName");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("offscreen") << "QT_QPA_PLATFORM" << "offscreen" << "\"offscreen\" shows no windows";
        QTest::newRow("display gone") << "DISPLAY" << unusedDisplay() << "could not be opened";
    }

    void windowRefusesPlatformsThatShowNothing()
    {
        QFETCH(QString, environmentName);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        QProcessEnvironment environment =
            childEnvironment(m_dir.filePath(QStringLiteral("home-refuse")), QStringLiteral("en"));
        environment.insert(environmentName, value);
        const ProgramRun run = runTallero({}, environment, 60000);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.output.contains(expected), qPrintable(run.output));
    }

    void snapshotWritesTheWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QVariant>("dark");
        QTest::addColumn<QColor>("background");
        QTest::newRow("Spanish, default theme") << "es" << QVariant() << QColor(0x0f172a);
        QTest::newRow("English, light") << "en" << QVariant(false) << QColor(0xf3f4f6);
    }

    void snapshotWritesTheWindow()
    {
        QFETCH(QString, language);
        QFETCH(QVariant, dark);
        QFETCH(QColor, background);
        const QString home = m_dir.filePath(QStringLiteral("home-shot-") + language);
        const QString image = m_dir.filePath(QStringLiteral("window-%1.png").arg(language));
        // A display named but unreachable must not matter to a batch mode.
        QProcessEnvironment environment = childEnvironment(home, language, dark);
        environment.insert(QStringLiteral("DISPLAY"), unusedDisplay());
        const ProgramRun run = runTallero({QStringLiteral("--ui-snapshot"), image}, environment, 60000);
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        const QImage written(image);
        QCOMPARE(written.size(), QSize(1450, 880));
        // The window background beside the settings panel's buttons.
        QCOMPARE(written.pixelColor(1300, 60).rgb(), background.rgb());
    }
};

QTEST_GUILESS_MAIN(AppCommandLineTest)
#include "tst_app_commandline.moc"
