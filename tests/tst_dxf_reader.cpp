// What the reader makes of the files CAD programs and users bring: entities in
// paper space, entities mirrored by their extrusion direction, formats it
// cannot read, and files it has to stream rather than hold.

#include "testsupport.h"

#include "dxf/dxfmessages.h"
#include "dxf/dxfreader.h"

#include <QBuffer>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tallero;
using namespace tallero::testing;

namespace {

// A device that says it holds nothing, as the files of /proc do, and yet
// never runs out of data: the given text, over and over.
class EndlessDevice : public QIODevice
{
public:
    explicit EndlessDevice(QByteArray pattern) : m_pattern(std::move(pattern)) { open(QIODevice::ReadOnly); }
    qint64 size() const override { return 0; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        for (qint64 k = 0; k < maxSize; ++k, m_offset = (m_offset + 1) % m_pattern.size())
            data[k] = m_pattern[m_offset];
        return maxSize;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_pattern;
    qsizetype m_offset = 0;
};

// The distinct points, in order: a closed curve repeats its first point, which
// need not be the same one when it is drawn the other way round.
QList<QPointF> distinctPoints(QList<QPointF> points)
{
    std::sort(points.begin(), points.end(), [](QPointF a, QPointF b) {
        return a.x() < b.x() - 1e-9 || (std::abs(a.x() - b.x()) <= 1e-9 && a.y() < b.y() - 1e-9);
    });
    const auto same = [](QPointF a, QPointF b) { return std::hypot(a.x() - b.x(), a.y() - b.y()) <= 1e-9; };
    points.erase(std::unique(points.begin(), points.end(), same), points.end());
    return points;
}

bool samePoints(const QList<QPointF> &a, const QList<QPointF> &b)
{
    const QList<QPointF> x = distinctPoints(a);
    const QList<QPointF> y = distinctPoints(b);
    if (x.size() != y.size())
        return false;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (std::hypot(x[k].x() - y[k].x(), x[k].y() - y[k].y()) > 1e-9)
            return false;
    }
    return true;
}

QString readerFile(const QString &name)
{
    return testDataPath(QStringLiteral("dxf/reader/") + name);
}

} // namespace

class TestDxfReader : public QObject
{
    Q_OBJECT

private:
    DxfScratch m_files;

    // A read that fails fails the test; the error says why.
    bool entitiesOf(const QString &text, DxfEntities &entities)
    {
        QString error;
        const bool ok = readDxfEntities(m_files.writeEntities(text), entities, error);
        if (!ok)
            qWarning("read failed: %s", qPrintable(error));
        return ok;
    }

private slots:
    void initTestCase() { isolateUserState(); }

    // The drawings of tests/data/dxf/make_reader_faults.py. A mirrored
    // drawing must give exactly the drawing of its twin in world coordinates.
    void committedDrawings_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");   // empty: the import succeeds
        QTest::addColumn<double>("area");
        QTest::addColumn<QString>("twin");

        const QString invalidNumbers = dxfInvalidNumbersMessage.toString();
        const QString utf16 = dxfUtf16Message.toString();
        QTest::newRow("room and an A3 frame in paper space") << "paper-space-frame.dxf" << QString() << 24.0 << QString();
        QTest::newRow("corner arc mirrored") << "corner-arc-mirrored.dxf" << QString() << 23.785 << "corner-arc-world.dxf";
        QTest::newRow("polyline, circle and ellipse mirrored")
            << "mirrored-entities.dxf" << QString() << 26.498 << "mirrored-entities-world.dxf";
        QTest::newRow("x is abc") << "non-numeric-abc.dxf" << invalidNumbers << 0.0 << QString();
        QTest::newRow("x is 0x10") << "non-numeric-hex.dxf" << invalidNumbers << 0.0 << QString();
        QTest::newRow("binary DXF") << "room-binary.dxf" << dxfBinaryFormatMessage.toString() << 0.0 << QString();
        QTest::newRow("UTF-16 with byte-order mark") << "room-utf16-bom.dxf" << utf16 << 0.0 << QString();
        QTest::newRow("UTF-16 little-endian") << "room-utf16le.dxf" << utf16 << 0.0 << QString();
        QTest::newRow("UTF-16 big-endian") << "room-utf16be.dxf" << utf16 << 0.0 << QString();
        QTest::newRow("the same room in UTF-8") << "room-utf8.dxf" << QString() << 24.0 << QString();
    }

    void committedDrawings()
    {
        QFETCH(QString, file);
        QFETCH(QString, error);
        QFETCH(double, area);
        QFETCH(QString, twin);
        Drawing drawing;
        QString message;
        const bool ok = readDxfDrawing(readerFile(file), drawing, message);
        QCOMPARE(message, error);
        QCOMPARE(ok, error.isEmpty());
        if (!ok)
            return;
        QCOMPARE(QString::number(drawing.area, 'f', 3), QString::number(area, 'f', 3));
        QVERIFY(!drawing.boundingBoxFallback);
        if (twin.isEmpty())
            return;
        Drawing world;
        QVERIFY(readDxfDrawing(readerFile(twin), world, message));
        QVERIFY(std::abs(drawing.area - world.area) < 1e-9);
        QCOMPARE(drawing.rings.size(), world.rings.size());
        const QRectF a = drawing.bounds;
        const QRectF b = world.bounds;
        QVERIFY(std::abs(a.left() - b.left()) + std::abs(a.top() - b.top()) + std::abs(a.width() - b.width())
                    + std::abs(a.height() - b.height()) < 1e-9);
    }

    // An entity seen from below (extrusion (0, 0, -1)) makes the points of
    // the same entity written in world coordinates.
    void seenFromBelow_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<QString>("world");

        const QString z = ";210 0;220 0;230 -1";
        QTest::newRow("arc") << "0 ARC;10 -5;20 3;40 1;50 90;51 180" + z << "0 ARC;10 5;20 3;40 1;50 0;51 90";
        QTest::newRow("arc through 0") << "0 ARC;10 2;20 0;40 1;50 300;51 30" + z << "0 ARC;10 -2;20 0;40 1;50 150;51 240";
        QTest::newRow("circle") << "0 CIRCLE;10 -1;20 2;40 0.5" + z << "0 CIRCLE;10 1;20 2;40 0.5";
        QTest::newRow("lwpolyline bulge") << "0 LWPOLYLINE;70 0;10 0;20 0;42 0.5;10 -2;20 1;10 -3;20 0" + z
                                          << "0 LWPOLYLINE;70 0;10 0;20 0;42 -0.5;10 2;20 1;10 3;20 0";
        QTest::newRow("extrusion before the vertices") << "0 LWPOLYLINE;230 -1;70 1;10 -1;20 0;10 -2;20 0;42 1;10 -2;20 1"
                                                      << "0 LWPOLYLINE;70 1;10 1;20 0;10 2;20 0;42 -1;10 2;20 1";
        QTest::newRow("2D polyline") << "0 POLYLINE;70 1" + z + ";0 VERTEX;10 -1;20 0;42 0.3;0 VERTEX;10 -2;20 0;0 VERTEX;10 -2;20 1;0 SEQEND"
                                     << "0 POLYLINE;70 1;0 VERTEX;10 1;20 0;42 -0.3;0 VERTEX;10 2;20 0;0 VERTEX;10 2;20 1;0 SEQEND";
        // An ellipse keeps centre and axis in world coordinates; from below,
        // its parameters 0 to pi run clockwise: the lower half.
        QTest::newRow("ellipse") << "0 ELLIPSE;10 4;20 2;11 1;21 0;40 0.5;41 0;42 3.141592653589793" + z
                                 << "0 ELLIPSE;10 4;20 2;11 1;21 0;40 0.5;41 3.141592653589793;42 6.283185307179586";
        // World coordinates whatever the extrusion: lines, splines, 3D polylines.
        QTest::newRow("line") << "0 LINE;10 1;20 2;11 3;21 4" + z << "0 LINE;10 1;20 2;11 3;21 4";
        QTest::newRow("spline") << "0 SPLINE;11 1;21 0;11 2;21 1" + z << "0 SPLINE;11 1;21 0;11 2;21 1";
        QTest::newRow("3D polyline") << "0 POLYLINE;70 8" + z + ";0 VERTEX;10 1;20 0;0 VERTEX;10 2;20 1;0 SEQEND"
                                     << "0 POLYLINE;70 8;0 VERTEX;10 1;20 0;0 VERTEX;10 2;20 1;0 SEQEND";
        // Any other direction is left as it is.
        QTest::newRow("tilted extrusion") << "0 ARC;10 5;20 3;40 1;50 0;51 90;210 0;220 1;230 0"
                                          << "0 ARC;10 5;20 3;40 1;50 0;51 90";
        QTest::newRow("upwards") << "0 CIRCLE;10 1;20 2;40 0.5;210 0;220 0;230 1" << "0 CIRCLE;10 1;20 2;40 0.5";
    }

    void seenFromBelow()
    {
        QFETCH(QString, below);
        QFETCH(QString, world);
        DxfEntities mirrored;
        DxfEntities plain;
        QVERIFY(entitiesOf(below, mirrored));
        QVERIFY(entitiesOf(world, plain));
        QVERIFY(plain.points.size() > 1);
        QVERIFY(samePoints(mirrored.points, plain.points));
        QCOMPARE(mirrored.segments.size(), plain.segments.size());
        QCOMPARE(mirrored.loops.size(), plain.loops.size());
    }

    // Group code 67 = 1 puts an entity in paper space, where sheets and
    // title blocks are drawn: none of it is read.
    void paperSpace_data()
    {
        QTest::addColumn<QString>("entities");
        QTest::addColumn<int>("points");

        const QString modelLine = ";0 LINE;11 1;21 1";
        QTest::newRow("line") << "0 LINE;67 1;11 5;21 5" + modelLine << 2;
        QTest::newRow("lwpolyline") << "0 LWPOLYLINE;67 1;70 1;10 0;20 0;10 9;20 0;10 9;20 9" + modelLine << 2;
        QTest::newRow("lwpolyline, 67 after its vertices") << "0 LWPOLYLINE;70 1;10 0;20 0;10 9;20 0;10 9;20 9;67 1" + modelLine << 2;
        QTest::newRow("polyline and its vertices")
            << "0 POLYLINE;67 1;70 1;0 VERTEX;10 0;20 0;0 VERTEX;10 9;20 0;0 VERTEX;10 9;20 9;0 SEQEND" + modelLine << 2;
        QTest::newRow("arc") << "0 ARC;67 1;40 1;51 90" + modelLine << 2;
        QTest::newRow("circle") << "0 CIRCLE;67 1;40 1" + modelLine << 2;
        QTest::newRow("ellipse") << "0 ELLIPSE;67 1;11 2;40 0.5" + modelLine << 2;
        QTest::newRow("spline") << "0 SPLINE;67 1;11 0;21 0;11 1;21 1" + modelLine << 2;
        // Not read at all: what it holds cannot fail the import.
        QTest::newRow("not a number in paper space") << "0 LWPOLYLINE;67 1;10 abc;20 0;10 1;20 nan" + modelLine << 2;
        QTest::newRow("polyline vertex out of range in paper space")
            << "0 POLYLINE;67 1;0 VERTEX;10 1e99;20 0;0 VERTEX;10 1;20 1;0 SEQEND" + modelLine << 2;
        QTest::newRow("arc of text in paper space") << "0 ARC;67 1;40 abc;51 90" + modelLine << 2;
        QTest::newRow("model space written out") << "0 LINE;67 0;11 5;21 5" + modelLine << 4;
    }

    void paperSpace()
    {
        QFETCH(QString, entities);
        QFETCH(int, points);
        DxfEntities read;
        QVERIFY(entitiesOf(entities, read));
        QCOMPARE(read.points.size(), points);
        if (points == 2)
            QCOMPARE(read.points, (QList<QPointF>{{0, 0}, {1, 1}}));
    }

    // The reader holds a buffer of its own size and the record in hand,
    // whatever the file's size: megabytes of empty records, a polyline of
    // twenty times more vertices, or a record repeating one code, cost it
    // no more.
    void streamedNotHeld_data()
    {
        QTest::addColumn<QByteArray>("small");
        QTest::addColumn<QByteArray>("large");

        auto records = [](int count) { return QByteArray("  0\n\n").repeated(count); };
        auto polyline = [](int vertices) {
            QByteArray text = "  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n 70\n1\n";
            for (int k = 0; k < vertices; ++k)
                text += " 10\n" + QByteArray::number(k % 7) + "\n 20\n" + QByteArray::number(k % 5) + "\n";
            return text + "  0\nENDSEC\n  0\nEOF\n";
        };
        auto arc = [](int repeats) {
            return "  0\nSECTION\n  2\nENTITIES\n  0\nARC\n" + QByteArray(" 40\n1\n").repeated(repeats)
                + " 51\n90\n  0\nENDSEC\n  0\nEOF\n";
        };
        QTest::newRow("empty records") << records(100'000) << records(2'000'000);
        QTest::newRow("one code repeated") << arc(10'000) << arc(400'000);
        QTest::newRow("polyline vertices") << polyline(10'000) << polyline(200'000);
    }

    void streamedNotHeld()
    {
        QFETCH(QByteArray, small);
        QFETCH(QByteArray, large);
        DxfReadStats stats[2];
        const QByteArray *texts[2] = {&small, &large};
        for (int k = 0; k < 2; ++k) {
            QBuffer buffer;
            buffer.setData(*texts[k]);
            QVERIFY(buffer.open(QIODevice::ReadOnly));
            DxfEntities entities;
            QString error;
            QVERIFY2(readDxfEntities(buffer, entities, error, stats[k]), qPrintable(error));
            QCOMPARE(stats[k].bytesRead, texts[k]->size());
        }
        QVERIFY(large.size() > 4 * 256 * 1024);
        QVERIFY(stats[1].peakBufferBytes <= 256 * 1024);
        QCOMPARE(stats[1].peakRecordFields, stats[0].peakRecordFields);
    }

    // A device that reports a size of 0 but streams data is refused once
    // the cap has been read, holding no more than a buffer meanwhile.
    void endlessDevice_data()
    {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<qint64>("largestBuffer");
        QTest::addRow("records") << QByteArray("999\n" + QByteArray(58, 'x') + "\n") << qint64(256 * 1024);
        QTest::addRow("no line break at all") << QByteArray(4096, '7') << qint64(2 * 1024 * 1024);
    }

    void endlessDevice()
    {
        QFETCH(QByteArray, pattern);
        QFETCH(qint64, largestBuffer);
        EndlessDevice device(pattern);
        DxfEntities entities;
        DxfReadStats stats;
        QString error;
        QVERIFY(!readDxfEntities(device, entities, error, stats));
        QCOMPARE(error, dxfTooLargeMessage.toString());
        QVERIFY(stats.bytesRead > dxfMaxFileSize && stats.bytesRead <= dxfMaxFileSize + largestBuffer);
        QVERIFY(stats.peakBufferBytes <= largestBuffer);
    }

    // The same from a path, where the system has such a file.
    void fileReportingSizeZero()
    {
        const QString path = QStringLiteral("/proc/self/pagemap");
        QFile probe(path);
        if (!probe.open(QIODevice::ReadOnly) || probe.read(8).size() != 8)
            QSKIP("no readable /proc/self/pagemap here");
        DxfEntities entities;
        QString error;
        QVERIFY(!readDxfEntities(path, entities, error));
        QCOMPARE(error, dxfTooLargeMessage.toString());
    }
};

QTEST_GUILESS_MAIN(TestDxfReader)
#include "tst_dxf_reader.moc"
