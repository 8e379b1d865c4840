// The outcome of an import: its messages, rejected numbers, and inputs that
// must neither crash nor hang.

#include "testsupport.h"

#include "dxf/dxfmessages.h"
#include "dxf/dxfreader.h"
#include "dxf/grouppairs.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tallero;
using namespace tallero::testing;

class TestDxfImport : public QObject
{
    Q_OBJECT

private:
    DxfScratch m_files;

    static bool isImportMessage(const QString &error)
    {
        for (QStringView message : {dxfNoEntitiesMessage, dxfNoDimensionsMessage, dxfInvalidOutlineMessage,
                                    dxfInvalidNumbersMessage, dxfTooLargeMessage})
            if (error == message)
                return true;
        return false;
    }

private slots:
    void initTestCase() { isolateUserState(); }

    void outcome_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");   // empty: the import succeeds

        const QString noEntities = dxfNoEntitiesMessage.toString();
        const QString noDimensions = dxfNoDimensionsMessage.toString();
        const QString invalidNumbers = dxfInvalidNumbersMessage.toString();
        auto doc = [](const QString &entities) { return dxfDocument(entities).toUtf8(); };

        QByteArray garbage(8192, '\0');
        QRandomGenerator random(7);
        for (char &byte : garbage)
            byte = char(random.bounded(256));

        QTest::newRow("empty file") << QByteArray() << noEntities;
        QTest::newRow("garbage bytes") << garbage << noEntities;
        QTest::newRow("ignored types only") << doc("0 TEXT;10 0;20 0;0 INSERT;10 1;20 1") << noEntities;
        QTest::newRow("one horizontal line") << doc("0 LINE;11 3") << noDimensions;
        QTest::newRow("box below the area tolerance") << doc("0 LINE;11 0.0001;0 LINE;21 0.0001") << noDimensions;
        QTest::newRow("two-point closed polyline") << doc("0 LWPOLYLINE;70 1;10 0;20 0;10 1;20 1")
                                                   << dxfInvalidOutlineMessage.toString();
        QTest::newRow("nan coordinate") << doc("0 LINE;10 nan;11 1;21 1") << invalidNumbers;
        QTest::newRow("infinite radius") << doc("0 CIRCLE;40 inf") << invalidNumbers;
        QTest::newRow("overflowing bulge") << doc("0 LWPOLYLINE;10 0;20 0;42 1e999;10 1;20 1") << invalidNumbers;
        QTest::newRow("vertex beyond 1e9") << doc("0 POLYLINE;0 VERTEX;10 0;20 -1.5e9;0 VERTEX;0 SEQEND") << invalidNumbers;
        QTest::newRow("absurd ellipse ratio") << doc("0 ELLIPSE;11 1;40 -2e9") << invalidNumbers;
        QTest::newRow("arc end 1e12") << doc("0 ARC;40 1;51 1e12") << invalidNumbers;
        QTest::newRow("hexadecimal coordinate") << doc("0 ARC;10 0x10;40 1;51 90") << invalidNumbers;
        QTest::newRow("number followed by text") << doc("0 LWPOLYLINE;10 0;20 12abc;10 1;20 1") << invalidNumbers;
        QTest::newRow("text in a vertex") << doc("0 POLYLINE;0 VERTEX;10 0;20 0;0 VERTEX;10 1;20 1;42 -;0 SEQEND") << invalidNumbers;
        QTest::newRow("spline fit point nan") << doc("0 SPLINE;11 0;21 0;11 NaN;21 1") << invalidNumbers;
        QTest::newRow("bad entity after good ones") << doc("0 LWPOLYLINE;70 1;10 0;20 0;10 1;20 0;10 1;20 1;0 LINE;10 -inf") << invalidNumbers;
        QString manyArcs = "0 LWPOLYLINE;70 1;";
        for (int k = 0; k < 30000; ++k)
            manyArcs += QStringLiteral("10 %1;20 0;42 1;").arg(2 * k);
        QTest::newRow("points beyond the budget") << doc(manyArcs) << dxfTooLargeMessage.toString();
        QTest::newRow("largest accepted coordinates") << doc("0 LINE;10 -1e9;20 -1e9;11 1e9;21 1e9") << QString();
        QTest::newRow("arc of a corrupt sweep closes") << doc("0 ARC;40 1;51 99999999") << QString();
    }

    void outcome()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        Drawing drawing;
        QString message;
        const bool ok = readDxfDrawing(m_files.write(text), drawing, message);
        QCOMPARE(message, error);
        QCOMPARE(ok, error.isEmpty());
        if (ok)
            QVERIFY(isNonEmpty(drawing));
    }

    void unreadablePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");   // empty: any file system message
        QTest::newRow("folder") << m_files.folder() << dxfNotAFileMessage.toString();
        QTest::newRow("missing file") << m_files.folder() + "/missing.dxf" << QString();
        QFile huge(m_files.folder() + "/huge.dxf");
        if (huge.open(QIODevice::WriteOnly) && huge.resize(dxfMaxFileSize + 1))   // sparse: no disk used
            QTest::newRow("file beyond the size limit") << huge.fileName() << dxfTooLargeMessage.toString();
        if (QFileInfo::exists("/dev/zero"))
            QTest::newRow("endless device") << "/dev/zero" << dxfNotAFileMessage.toString();
    }

    void unreadablePaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        Drawing drawing;
        QString message;
        QVERIFY(!readDxfDrawing(path, drawing, message));
        QVERIFY(!message.isEmpty());
        if (!error.isEmpty())
            QCOMPARE(message, error);
    }

    // Whatever byte a transfer stops at, the import ends with a drawing or
    // with one of its own messages.
    void truncatedFiles()
    {
        const QByteArray whole = dxfDocument(
            "0 LWPOLYLINE;70 1;10 0;20 0;42 0.4;10 4;20 0;10 4;20 3;10 0;20 3;0 CIRCLE;10 2;20 1.5;40 0.5;"
            "0 POLYLINE;70 1;0 VERTEX;10 1;20 1;0 VERTEX;10 1.5;20 1;0 VERTEX;10 1.5;20 1.2;0 SEQEND;"
            "0 ARC;10 3;20 2;40 0.3;50 10;51 300;0 ELLIPSE;10 3;20 1;11 0.2;21 0;40 0.5;0 SPLINE;11 0;21 0;11 1;21 2").toUtf8();
        int successes = 0;
        for (qsizetype size = 0; size <= whole.size(); ++size) {
            Drawing drawing;
            QString message;
            if (readDxfDrawing(m_files.write(whole.left(size)), drawing, message)) {
                QVERIFY(isNonEmpty(drawing));
                ++successes;
            } else {
                QVERIFY2(isImportMessage(message), qPrintable(message));
            }
        }
        QVERIFY(successes > 0);
    }
};

QTEST_GUILESS_MAIN(TestDxfImport)
#include "tst_dxf_import.moc"
