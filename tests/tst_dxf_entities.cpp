// Discretisation of every entity type, and how records are walked.

#include "testsupport.h"

#include "dxf/bulges.h"
#include "dxf/dxfreader.h"
#include "dxf/dxfnumber.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>

using namespace tallero;
using namespace tallero::testing;

class TestDxfEntities : public QObject
{
    Q_OBJECT

private:
    DxfScratch m_files;

    // A read that fails fails the test; the error says why.
    bool read(const QByteArray &bytes, DxfEntities &entities)
    {
        QString error;
        const bool ok = readDxfEntities(m_files.write(bytes), entities, error);
        if (!ok)
            qWarning("read failed: %s", qPrintable(error));
        return ok;
    }

private slots:
    void initTestCase() { isolateUserState(); }

    void discretisation_data()
    {
        QTest::addColumn<QString>("entities");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("segments");
        QTest::addColumn<int>("loopPoints");   // of the single loop; 0: no loop
        QTest::addColumn<QPolygonF>("mustContain");

        const QString square = "10 0;20 0;10 2;20 0;10 2;20 1;10 0;20 1";
        QTest::newRow("line") << "0 LINE;10 1;20 2;11 3;21 4" << 2 << 1 << 0 << QPolygonF{{1, 2}, {3, 4}};
        QTest::newRow("lwpolyline, one vertex") << "0 LWPOLYLINE;70 0;10 1;20 1" << 0 << 0 << 0 << QPolygonF();
        QTest::newRow("lwpolyline, closed") << "0 LWPOLYLINE;70 1;" + square << 4 << 0 << 5 << QPolygonF{{2, 1}};
        QTest::newRow("lwpolyline, huge vertex count") << "0 LWPOLYLINE;90 99999999999;70 1;" + square << 4 << 0 << 5 << QPolygonF();
        QTest::newRow("bulge 1") << "0 LWPOLYLINE;10 0;20 0;42 1;10 2;20 0" << 181 << 180 << 0 << QPolygonF{{1, -1}};
        QTest::newRow("tiny bulge") << "0 LWPOLYLINE;10 0;20 0;42 1e-13;10 2;20 0" << 2 << 1 << 0 << QPolygonF();
        QTest::newRow("coincident vertices") << "0 LWPOLYLINE;10 1;20 1;42 1;10 1;20 1" << 2 << 1 << 0 << QPolygonF();
        QTest::newRow("circle") << "0 CIRCLE;10 5;20 5;40 2" << 97 << 0 << 97 << QPolygonF{{7, 5}, {5, 7}, {3, 5}};
        QTest::newRow("arc 90") << "0 ARC;40 1;50 0;51 90" << 23 << 22 << 0 << QPolygonF{{0, 1}};
        QTest::newRow("arc 30") << "0 ARC;40 1;50 0;51 30" << 13 << 12 << 0 << QPolygonF{{0.8660254037844387, 0.5}};
        QTest::newRow("arc 350 to 10") << "0 ARC;40 1;50 350;51 10" << 13 << 12 << 0 << QPolygonF{{1, 0}};
        QTest::newRow("arc 360") << "0 ARC;40 1;50 0;51 360" << 91 << 90 << 0 << QPolygonF{{-1, 0}};
        QTest::newRow("arc end 1e8") << "0 ARC;40 1;50 0;51 1e8" << 91 << 90 << 0 << QPolygonF{{-1, 0}};
        QTest::newRow("ellipse, full") << "0 ELLIPSE;11 2;21 0;40 0.5" << 361 << 0 << 361 << QPolygonF{{0, 1}, {-2, 0}};
        QTest::newRow("ellipse 5.5 to 0.5") << "0 ELLIPSE;11 1;21 0;41 5.5;42 0.5" << 258 << 257 << 0
                                            << QPolygonF{{0.8775825618903728, 0.479425538604203}};
        QTest::newRow("spline, fit points") << "0 SPLINE;10 9;20 9;10 8;20 8;11 0;21 0;11 1;21 0;11 1;21 1" << 3 << 2 << 0 << QPolygonF{{1, 1}};
        QTest::newRow("spline, one fit point") << "0 SPLINE;11 5;21 5;10 0;20 0;10 1;20 0;10 1;20 1" << 4 << 3 << 0 << QPolygonF{{5, 5}, {1, 1}};
        QTest::newRow("spline, closed") << "0 SPLINE;10 0;20 0;10 1;20 0;10 1;20 1;10 0;20 1;10 0;20 0.000001" << 5 << 0 << 6 << QPolygonF();
        QTest::newRow("polyline, closed") << "0 POLYLINE;66 1;70 1;10 9;20 9;0 VERTEX;10 0;20 0;0 VERTEX;10 3;20 0;0 VERTEX;10 3;20 2;0 SEQEND"
                                          << 3 << 0 << 4 << QPolygonF{{3, 2}};
        QTest::newRow("polyline, bulge") << "0 POLYLINE;70 0;0 VERTEX;10 0;20 0;42 1;0 VERTEX;10 2;20 0;0 SEQEND;0 LINE;10 2;20 0;11 1;21 1"
                                         << 183 << 181 << 0 << QPolygonF{{1, -1}};
        QTest::newRow("polyline without seqend") << "0 POLYLINE;0 VERTEX;10 0;20 0;0 LINE;10 7;20 7;11 8;21 8;0 VERTEX;10 1;20 0"
                                                 << 2 << 1 << 0 << QPolygonF{{1, 0}};
        QTest::newRow("lower-case name") << "0 line;11 1;21 1" << 2 << 1 << 0 << QPolygonF{{1, 1}};
        QTest::newRow("ignored type") << "0 TEXT;10 1;20 1;1 hola" << 0 << 0 << 0 << QPolygonF();
        QTest::newRow("bad value in an unread code") << "0 LINE;30 nan;11 1;21 1;39 1e999" << 2 << 1 << 0 << QPolygonF();
    }

    void discretisation()
    {
        QFETCH(QString, entities);
        QFETCH(int, points);
        QFETCH(int, segments);
        QFETCH(int, loopPoints);
        QFETCH(QPolygonF, mustContain);

        DxfEntities read;
        QVERIFY(this->read(dxfDocument(entities).toUtf8(), read));
        QCOMPARE(read.points.size(), points);
        QCOMPARE(read.segments.size(), segments);
        QCOMPARE(read.loops.size(), loopPoints ? 1 : 0);
        if (loopPoints) {
            QCOMPARE(read.loops.first().size(), loopPoints);
            QCOMPARE(read.loops.first().first(), read.loops.first().last());
        }
        for (QPointF expected : mustContain) {
            const bool found = std::any_of(read.points.begin(), read.points.end(), [&](QPointF p) {
                return std::hypot(p.x() - expected.x(), p.y() - expected.y()) < 1e-9;
            });
            QVERIFY2(found, qPrintable(QStringLiteral("no point at %1, %2").arg(expected.x()).arg(expected.y())));
        }
        // Chords follow one another: each segment starts where the last ended.
        for (qsizetype k = 1; k < read.segments.size() && segments > 1; ++k)
            QCOMPARE(read.segments[k].start, read.segments[k - 1].end);
    }

    // A limited expansion is the start of the full one, cut within one arc
    // past the limit.
    void bulgeExpansionStopsAtItsLimit()
    {
        QList<PolylineVertex> vertices;
        for (int k = 0; k < 2000; ++k)
            vertices.append({2.0 * k, 0.0, 1.0});
        const QPolygonF full = expandBulges(vertices, true);
        const QPolygonF limited = expandBulges(vertices, true, 1000);
        QVERIFY(limited.size() > 1000 && limited.size() <= 1000 + 180);
        QCOMPARE(limited, full.first(limited.size()));
    }

    // A decimal number reads bit for bit as QString::toDouble reads it;
    // any other text reads as NaN, which the import refuses like a number
    // that is not finite.
    void numbersReadAsToDouble()
    {
        const QList<QByteArray> decimals{"0", "-0", "007", "1.5", "-2.25e3", "1E-7", "3.", ".5", "+5", "1e999",
                                         "-1e999", "1e-400", "4.9e-324", "2.2250738585072011e-308",
                                         "123456789012345678901234567890", "0.1000000000000000055511151231257827",
                                         "1.7976931348623157e308", "1.8e308", "-.25E+02"};
        QList<QByteArray> texts = decimals;
        QRandomGenerator random(3);
        for (int k = 0; k < 2000; ++k) {
            const double value = std::ldexp(random.generateDouble() - 0.5, random.bounded(-60, 60));
            texts << QByteArray::number(value, 'g', 17) << QByteArray::number(value, 'f', random.bounded(12));
        }
        for (const QByteArray &text : texts) {
            const double expected = QString::fromLatin1(text).toDouble();
            const double actual = dxfNumber(text);
            QVERIFY2(std::memcmp(&expected, &actual, sizeof(double)) == 0, text.constData());
        }
        const QList<QByteArray> notNumbers{"nan", "-inf", "inf", "abc", "0x10", "1,5", "1.5.2", "12abc", "", "-",
                                           ".", "1e", "1e+", "e5", "+-1", "1 2", "\xd9\xa1\xd9\xa2"};
        for (const QByteArray &text : notNumbers)
            QVERIFY2(std::isnan(dxfNumber(text)), text.constData());
    }

    void recordWalk_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("segments");

        const QString line = "0 LINE;10 0;20 0;11 1;21 1;";
        const QByteArray plain = dxfDocument(line).toUtf8();
        QTest::newRow("plain") << plain << 1;
        QTest::newRow("crlf") << QByteArray(plain).replace("\n", "\r\n") << 1;
        QTest::newRow("byte order mark") << "\xEF\xBB\xBF" + plain << 1;
        QTest::newRow("codes without blanks") << QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\n11\n1\n21\n1\n0\nENDSEC\n") << 1;
        QTest::newRow("code without value at the end") << plain + "  0\n" << 1;
        QTest::newRow("non-numeric code drops its pair") << QByteArray(plain).replace(" 21\n1\n", "2x\n1\n 21\n1\n") << 1;
        QTest::newRow("header and blocks ignored")
            << dxfLines("0 SECTION;2 HEADER;9 $EXTMIN;10 0;20 0;0 LINE;11 5;21 5;0 ENDSEC;"
                        "0 SECTION;2 BLOCKS;0 BLOCK;2 B;0 LINE;11 1;21 1;0 ENDBLK;0 ENDSEC;0 SECTION;2 ENTITIES;" + line
                        + "0 INSERT;2 B;0 ENDSEC;0 EOF").toUtf8() << 1;
        QTest::newRow("lower-case sections") << dxfLines("0 section;2 entities;" + line + "0 endsec;" + line).toUtf8() << 1;
        QTest::newRow("nameless section keeps state") << dxfLines("0 SECTION;2 ENTITIES;" + line + "0 SECTION;" + line).toUtf8() << 2;
        QTest::newRow("no entities section") << dxfLines("0 SECTION;2 BLOCKS;" + line + "0 ENDSEC").toUtf8() << 0;
    }

    void recordWalk()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, segments);
        DxfEntities read;
        QVERIFY(this->read(text, read));
        QCOMPARE(read.segments.size(), segments);
        for (const Segment &segment : read.segments)
            QCOMPARE(segment.end, QPointF(1, 1));
    }
};

QTEST_GUILESS_MAIN(TestDxfEntities)
#include "tst_dxf_entities.moc"
