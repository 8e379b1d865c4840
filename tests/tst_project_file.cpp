// The project file on its own: the exact text written, what a file of any
// content reads as, and writes that fail without harming the file there.

#include "testsupport.h"

#include "project/projectfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using tallero::ProjectFile;
using tallero::ProjectReadStatus;

Q_DECLARE_METATYPE(ProjectReadStatus)

class ProjectFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    int files = 0;

    QString write(const QByteArray &bytes)
    {
        return tallero::testing::writeFile(dir.filePath(QStringLiteral("p%1.tlr").arg(++files)), bytes);
    }

    static ProjectFile sample()
    {
        ProjectFile project;
        project.dxfPath = QStringLiteral("/work/obras/cocina ñ.dxf");
        project.sheetWidth = QStringLiteral("2.44");
        project.sheetHeight = QStringLiteral(" 1.22 ");
        project.clearance = QStringLiteral("0.003");
        project.startText = QStringLiteral("Superior derecha");
        project.startIndex = 2;
        project.vertical = true;
        return project;
    }

private slots:
    void initTestCase() { tallero::testing::isolateUserState(); }

    void writtenText_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray head = "{\n"
                                "    \"dxf\": \"/work/obras/cocina \xc3\xb1.dxf\",\n"
                                "    \"format\": \"TalleroProject\",\n"
                                "    \"gap\": \"0.003\",\n";
        const QByteArray tail = "    \"sheetHeight\": \" 1.22 \",\n"
                                "    \"sheetWidth\": \"2.44\",\n"
                                "    \"start\": \"Superior derecha\",\n"
                                "    \"startIndex\": 2,\n"
                                "    \"version\": 2,\n"
                                "    \"vertical\": true\n"
                                "}\n";
        QTest::newRow("as drawn: no scale key") << 1.0 << head + tail;
        QTest::newRow("millimetres") << 0.001 << head + "    \"scale\": 0.001,\n" + tail;
    }

    // Sorted keys, four spaces, the sheet values as the strings typed, a
    // line feed at the end; read back, it gives what was written.
    void writtenText()
    {
        QFETCH(double, scale);
        QFETCH(QByteArray, expected);
        ProjectFile project = sample();
        project.scale = scale;
        const QString path = dir.filePath(QStringLiteral("written.tlr"));
        QString error;
        QVERIFY2(tallero::writeProjectFile(path, project, error), qPrintable(error));
        QCOMPARE(tallero::testing::readFile(path), expected);

        ProjectFile read;
        QCOMPARE(tallero::readProjectFile(path, read, error), ProjectReadStatus::Read);
        QCOMPARE(read.dxfPath, project.dxfPath);
        QCOMPARE(read.sheetHeight, project.sheetHeight);
        QCOMPARE(read.startIndex, 2);
        QVERIFY(read.vertical);
        QCOMPARE(read.scale, scale);
    }

    // A drawing named by a relative path is written absolute.
    void writtenDrawingIsAbsolute()
    {
        ProjectFile project = sample();
        project.dxfPath = QStringLiteral("planos/sala.dxf");
        const QString expected = QDir::current().absoluteFilePath(QStringLiteral("planos/sala.dxf"));
        QVERIFY(tallero::projectFileText(project).contains("\"dxf\": \"" + expected.toUtf8() + "\""));
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<ProjectReadStatus>("status");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("gap");
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<double>("scale");
        const auto project = [](const char *format, const char *rest) {
            return QByteArray("{\"format\": \"") + format + "\", \"dxf\": \"/d/a.dxf\"" + rest + "}";
        };
        const auto row = [&](const char *name, const char *rest, const char *width, const char *gap, int start,
                             bool vertical = false, double scale = 1.0) {
            QTest::newRow(name) << project("TalleroProject", rest) << ProjectReadStatus::Read
                                << QString::fromUtf8(width) << QString::fromUtf8(gap) << start << vertical << scale;
        };
        const auto invalid = [](const char *name, const QByteArray &text) {
            QTest::newRow(name) << text << ProjectReadStatus::NotAProject << QString() << QString() << 0 << false
                                << 1.0;
        };
        row("full", ", \"sheetWidth\": \"2.0\", \"gap\": \"0.01\", \"startIndex\": 3, \"vertical\": true", "2.0",
            "0.01", 3, true);
        QTest::newRow("earlier format, start text")
            << project("RodalixDespieceProject", ", \"start\": \"Bottom right\"") << ProjectReadStatus::Read
            << "0.0" << "0.00" << 4 << false << 1.0;
        row("start text in Spanish", ", \"start\": \"Superior izquierda\"", "0.0", "0.00", 1);
        row("start text, first contained wins", ", \"start\": \"Top right / Top left\"", "0.0", "0.00", 1);
        row("start text, case counts", ", \"start\": \"bottom right\"", "0.0", "0.00", 0);
        row("index wins over text", ", \"start\": \"Top left\", \"startIndex\": 4", "0.0", "0.00", 4);
        row("index 7", ", \"startIndex\": 7", "0.0", "0.00", 4);
        row("index -2", ", \"startIndex\": -2", "0.0", "0.00", 0);
        row("index 1e300", ", \"startIndex\": 1e300", "0.0", "0.00", 4);
        row("index -1e300", ", \"startIndex\": -1e300", "0.0", "0.00", 0);
        row("index 2.7 truncated", ", \"startIndex\": 2.7", "0.0", "0.00", 2);
        row("index \"x\": the text decides", ", \"start\": \"Top right\", \"startIndex\": \"x\"", "0.0", "0.00",
            2);
        row("numbers for the sheet values", ", \"sheetWidth\": 2.0, \"gap\": 0.01", "0.0", "0.00", 0);
        row("vertical not a boolean", ", \"vertical\": \"true\"", "0.0", "0.00", 0, false);
        row("scale", ", \"scale\": 0.001", "0.0", "0.00", 0, false, 0.001);
        row("scale 0", ", \"scale\": 0", "0.0", "0.00", 0, false, 1.0);
        row("scale negative", ", \"scale\": -0.001", "0.0", "0.00", 0, false, 1.0);
        row("scale huge", ", \"scale\": 1e300", "0.0", "0.00", 0, false, 1.0);
        row("scale a string", ", \"scale\": \"0.001\"", "0.0", "0.00", 0, false, 1.0);
        invalid("invalid JSON", "{\"format\": \"TalleroProject\",");
        invalid("wrong format", project("TalleroPlan", ""));
        invalid("no format", "{\"dxf\": \"/d/a.dxf\"}");
        invalid("format not a string", "{\"format\": 2}");
        invalid("an array", "[\"TalleroProject\"]");
        invalid("empty file", "");
        invalid("binary", QByteArray("\x00\xff\xfe{", 4));
        // A valid project padded beyond the size no project reaches.
        invalid("oversized", project("TalleroProject", "") + QByteArray(tallero::maxProjectFileBytes, ' '));
    }

    void reading()
    {
        QFETCH(QByteArray, text);
        QFETCH(ProjectReadStatus, status);
        QFETCH(QString, width);
        QFETCH(QString, gap);
        QFETCH(int, startIndex);
        QFETCH(bool, vertical);
        QFETCH(double, scale);
        ProjectFile project;
        project.sheetWidth = QStringLiteral("untouched");
        QString error;
        QCOMPARE(tallero::readProjectFile(write(text), project, error), status);
        if (status != ProjectReadStatus::Read) {
            QCOMPARE(project.sheetWidth, QStringLiteral("untouched"));
            return;
        }
        QCOMPARE(project.dxfPath, QStringLiteral("/d/a.dxf"));
        QCOMPARE(project.sheetWidth, width);
        QCOMPARE(project.sheetHeight, QStringLiteral("0.0"));
        QCOMPARE(project.clearance, gap);
        QCOMPARE(project.startIndex, startIndex);
        QCOMPARE(project.vertical, vertical);
        QCOMPARE(project.scale, scale);
    }

    void notAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<ProjectReadStatus>("status");
        QTest::newRow("missing") << "missing" << ProjectReadStatus::CannotOpen;
        QTest::newRow("folder") << "folder" << ProjectReadStatus::NotAProject;
        QTest::newRow("pipe") << "pipe" << ProjectReadStatus::NotAProject;   // never opened: nobody writes to it
    }

    void notAFile()
    {
        QFETCH(QString, kind);
        QFETCH(ProjectReadStatus, status);
        const QString path = dir.filePath(kind + QStringLiteral(".tlr"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir.path()).mkdir(kind + QStringLiteral(".tlr")));
        else if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        ProjectFile project;
        QString error;
        QCOMPARE(tallero::readProjectFile(path, project, error), status);
        QCOMPARE(error.isEmpty(), status != ProjectReadStatus::CannotOpen);
    }

    void failedWrite_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("folder is a file") << false;
        QTest::newRow("disk full") << true;
    }

    // The project already there stays byte for byte, and the failure is
    // reported with a reason.
    void failedWrite()
    {
        QFETCH(bool, diskFull);
        const QByteArray old = "{\"format\": \"TalleroProject\"}\n";
        const QString existing = write(old);
        ProjectFile project = sample();
        QString error;
        bool written = true;
        if (diskFull) {
            const tallero::testing::FileSizeLimit limit(8);
            QVERIFY(limit.isActive());
            written = tallero::writeProjectFile(existing, project, error);
        } else {
            written = tallero::writeProjectFile(existing + QStringLiteral("/inside.tlr"), project, error);
        }
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(tallero::testing::readFile(existing), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("p%1").arg(files)).size(), 1);
    }
};

QTEST_GUILESS_MAIN(ProjectFileTest)
#include "tst_project_file.moc"
