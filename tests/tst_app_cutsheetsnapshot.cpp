// The cutting-sheet snapshot as a process: how its arguments are read, its
// exit codes and messages, and the picture it writes.

#include "testsupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using tallero::testing::ProgramRun;

class AppCutSheetSnapshotTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    ProgramRun runSnapshot(const QStringList &arguments)
    {
        QProcessEnvironment environment = tallero::testing::headlessEnvironment(m_dir.path(), m_dir.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return tallero::testing::runTallero(QStringList{QStringLiteral("--cut-sheet-snapshot")} + arguments,
                                            environment);
    }

    static QByteArray pixelHash(const QString &file)
    {
        const QImage image(file);
        return QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                        QCryptographicHash::Sha1);
    }

private slots:
    void initTestCase()
    {
        tallero::testing::isolateUserState();
        QVERIFY(m_dir.isValid());
        // Exactly 2 × 2 sheets of 2.0 × 1.2 m: no cut piece at all.
        tallero::testing::writeFile(path(QStringLiteral("whole.dxf")), tallero::testing::rectangleDxf(4.0, 2.4));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString room = tallero::testing::examplePath(QStringLiteral("room-curved-wall.dxf"));
        const QString image = path(QStringLiteral("out.png"));
        const QString missing = path(QStringLiteral("missing.dxf"));
        QTest::newRow("no arguments") << QStringList{} << 10 << QString();
        QTest::newRow("no image path") << QStringList{room} << 10 << QString();
        QTest::newRow("empty image path") << QStringList{room, QString()} << 10 << QString();
        // Bad sizes end the mode before any file is read: the drawing here
        // does not even exist, which would be exit 11.
        for (const char *bad : {"abc", "", "0", "-2", "-0", "inf", "-inf", "nan", "1e999", "2,0"}) {
            QTest::addRow("width %s", bad) << QStringList{missing, image, QString::fromUtf8(bad)} << 10 << QString();
            QTest::addRow("height %s", bad)
                << QStringList{missing, image, QStringLiteral("2.0"), QString::fromUtf8(bad)} << 10 << QString();
        }
        QTest::newRow("drawing missing") << QStringList{missing, image} << 11 << QString();
        QTest::newRow("no cutting sheet")
            << QStringList{path(QStringLiteral("whole.dxf")), image} << 11
            << QStringLiteral("El plano no produce planchas de recorte.");
        QTest::newRow("image folder missing")
            << QStringList{room, path(QStringLiteral("nowhere/out.png"))} << 11
            << QStringLiteral("No se pudo guardar la captura.");
        QTest::newRow("defaults") << QStringList{room, image} << 0 << QString();
        QTest::newRow("sizes and corner")
            << QStringList{room, image, QStringLiteral(" 2.44 "), QStringLiteral("1.22"), QStringLiteral("1"),
                           QStringLiteral("1")}
            << 0 << QString();
    }

    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFile::remove(path(QStringLiteral("out.png")));
        const ProgramRun run = runSnapshot(arguments);
        QCOMPARE(run.exitCode, exitCode);
        if (!message.isEmpty())
            QCOMPARE(run.output, message);
        if (exitCode == 11)
            QVERIFY2(!run.output.isEmpty(), "a failed snapshot says why");
        if (exitCode == 10)
            QVERIFY2(run.output.isEmpty(), qPrintable(run.output));
        QCOMPARE(QFile::exists(path(QStringLiteral("out.png"))), exitCode == 0);
    }

    void picture()
    {
        const QString room = tallero::testing::examplePath(QStringLiteral("room-curved-wall.dxf"));
        const QString image = path(QStringLiteral("picture.png"));
        QCOMPARE(runSnapshot({room, image}).exitCode, 0);
        const QImage shot(image);
        QCOMPARE(shot.size(), QSize(1020, 620));
        // Dark theme: the background of the view in a corner.
        QCOMPARE(shot.pixelColor(3, 3).rgb(), QColor(0x1e293b).rgb());
        QVERIFY(QByteArray(QImageReader(image).format()) == "png");
        // The room's plan has three cutting sheets; the last one's pieces
        // are filled with the third colour, none with the first.
        int third = 0;
        int first = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QRgb pixel = shot.pixel(x, y) & 0xffffff;
                third += pixel == 0xa855f7;
                first += pixel == 0x10b981;
            }
        }
        QVERIFY(third > 100);
        QCOMPARE(first, 0);
    }

    void onlyOneSetsTheCorner()
    {
        const QString room = tallero::testing::examplePath(QStringLiteral("room-curved-wall.dxf"));
        const auto shoot = [&](const QString &right, const QString &top) {
            const QString image = path(QStringLiteral("corner-%1-%2.png").arg(right, top));
            const ProgramRun run = runSnapshot({room, image, QStringLiteral("2.0"), QStringLiteral("1.2"), right, top});
            return run.exitCode == 0 ? pixelHash(image) : QByteArray();
        };
        const QByteArray plain = shoot(QStringLiteral("0"), QStringLiteral("0"));
        QVERIFY(!plain.isEmpty());
        QCOMPARE(shoot(QStringLiteral("true"), QStringLiteral("yes")), plain);
        QVERIFY(shoot(QStringLiteral("1"), QStringLiteral("1")) != plain);
    }
};

QTEST_GUILESS_MAIN(AppCutSheetSnapshotTest)
#include "tst_app_cutsheetsnapshot.moc"
