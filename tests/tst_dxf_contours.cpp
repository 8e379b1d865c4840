// Chaining segments into loops, choosing the outline and its holes, and the
// bounding-rectangle fallback.

#include "testsupport.h"

#include "dxf/dxfmessages.h"
#include "dxf/dxfreader.h"
#include "dxf/duplicateloops.h"
#include "dxf/duplicatesegments.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace tallero;
using namespace tallero::testing;

class TestDxfContours : public QObject
{
    Q_OBJECT

private:
    DxfScratch m_files;

    static QString lines(const QPolygonF &path)
    {
        QString text;
        for (qsizetype k = 1; k < path.size(); ++k)
            text += QStringLiteral("0 LINE;10 %1;20 %2;11 %3;21 %4;")
                        .arg(path[k - 1].x(), 0, 'g', 17).arg(path[k - 1].y(), 0, 'g', 17)
                        .arg(path[k].x(), 0, 'g', 17).arg(path[k].y(), 0, 'g', 17);
        return text;
    }
    static QString lwpolyline(const QPolygonF &ring)
    {
        QString text = QStringLiteral("0 LWPOLYLINE;70 1;");
        for (QPointF p : ring)
            text += QStringLiteral("10 %1;20 %2;").arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
        return text;
    }
    static QPolygonF square(double x, double y, double side)
    {
        return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
    }

private slots:
    void initTestCase() { isolateUserState(); }

    void assembly_data()
    {
        QTest::addColumn<QString>("entities");
        QTest::addColumn<double>("area");
        QTest::addColumn<int>("rings");
        QTest::addColumn<bool>("fallback");

        const double circle96 = 48 * std::sin(2 * std::numbers::pi / 96);   // unit circle as a 96-gon
        auto gapped = [](double dx, double dy) {
            return lines({{dx, dy}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
        };
        QTest::newRow("triangle of lines") << lines({{0, 0}, {1, 0}, {1, 1}, {0, 0}}) << 0.5 << 1 << false;
        QTest::newRow("out and back is dropped") << lines({{0, 0}, {1, 1}, {0, 0}}) << 1.0 << 1 << true;
        QTest::newRow("open lines give their bounds") << lines({{0, 0}, {3, 0}, {3, 2}}) << 6.0 << 1 << true;
        QTest::newRow("gap just inside") << gapped(0.99e-5, 0) << 1.0 << 1 << false;
        QTest::newRow("diagonal gap just inside") << gapped(0.7e-5, 0.7e-5) << 1.0 << 1 << false;
        QTest::newRow("gap of the tolerance") << gapped(1e-5, 0) << 1.0 << 1 << true;
        QTest::newRow("gap just outside") << gapped(0, -1.01e-5) << 1.0 + 1.01e-5 << 1 << true;
        QTest::newRow("arc and line") << "0 ARC;40 1;50 0;51 180;" + lines({{-1, 0}, {1, 0}})
                                      << 22.5 * std::sin(4 * std::numbers::pi / 180) << 1 << false;
        QTest::newRow("circular hole") << lwpolyline(square(0, 0, 4)) + "0 CIRCLE;10 2;20 2;40 1"
                                       << 16 - circle96 << 2 << false;
        QTest::newRow("loop inside a hole") << lwpolyline(square(0, 0, 10)) + lwpolyline(square(2, 2, 6)) + lwpolyline(square(4, 4, 2))
                                            << 64.0 << 2 << false;
        QTest::newRow("larger of two rectangles") << lwpolyline(square(0, 0, 1)) + lwpolyline(square(5, 0, 3)) << 9.0 << 1 << false;

        // Repeated and overlapping contours, as CAD files hold them.
        const QPolygonF room{{0, 0}, {6, 0}, {6, 4}, {0, 4}, {0, 0}};
        QTest::newRow("lines drawn twice")
            << lines(room) + lines({{0, 0}, {0, 4}, {6, 4}}) + lines({{6 + 3e-6, 0}, {6, 4}}) + lines({{6, 0}, {0, 0}})
            << 24.0 << 1 << false;
        QTest::newRow("outline twice, other start and direction")
            << lwpolyline(square(0, 0, 10)) + lwpolyline({{10, 10}, {10, 0}, {0, 0}, {0, 10}}) << 100.0 << 1 << false;
        QTest::newRow("outline of lines and the same polyline")
            << lines({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}) + lwpolyline(square(0, 0, 10)) << 100.0 << 1 << false;
        QTest::newRow("column across the wall")
            << lwpolyline(square(0, 0, 10)) + lwpolyline({{9, 3}, {11, 3}, {11, 7}, {9, 7}}) << 96.0 << 1 << false;
        QTest::newRow("column at 3e8, room at the origin")
            << lwpolyline(square(0, 0, 10)) + lwpolyline(square(3e8, 3e8, 2)) << 100.0 << 1 << false;
        QTest::newRow("room and column at 3e8")
            << lwpolyline(square(3e8, 3e8, 10)) + lwpolyline(square(3e8 + 4, 3e8 + 4, 2)) << 96.0 << 2 << false;
    }

    void assembly()
    {
        QFETCH(QString, entities);
        QFETCH(double, area);
        QFETCH(int, rings);
        QFETCH(bool, fallback);
        Drawing drawing;
        QString error;
        QVERIFY2(readDxfDrawing(m_files.writeEntities(entities), drawing, error), qPrintable(error));
        QVERIFY2(std::abs(drawing.area - area) < 1e-9, qPrintable(QString::number(drawing.area, 'g', 17)));
        QCOMPARE(drawing.rings.size(), rings);
        QCOMPARE(drawing.boundingBoxFallback, fallback);
        // Every description of the region agrees with its geometry.
        QCOMPARE(drawing.bounds, drawing.path.boundingRect());
        qsizetype ringCount = 0;
        for (const Polygon &polygon : drawing.polygons)
            ringCount += polygon.size();
        QCOMPARE(ringCount, drawing.rings.size());
    }

    // Contours that make no region are refused with a reason, never planned.
    void refused_data()
    {
        QTest::addColumn<QString>("entities");
        QTest::addColumn<QString>("message");
        const QString crossing = dxfSelfIntersectingContourMessage.toString();
        QTest::newRow("bow tie") << lwpolyline({{0, 0}, {10, 6}, {10, 0}, {0, 4}})
                                 << crossing.arg(QStringLiteral("4.000"), QStringLiteral("2.400"));
        QTest::newRow("figure eight of lines")
            << lines({{0, 0}, {8, 4}, {8, 0}, {0, 4}, {0, 2.5}, {1, 1}, {0, 0}})
            << crossing.arg(QStringLiteral("4.000"), QStringLiteral("2.000"));
        QTest::newRow("self-crossing hole")
            << lwpolyline(square(0, 0, 10)) + lwpolyline({{1, 1}, {5, 3}, {5, 1}, {1, 4}})
            << crossing.arg(QStringLiteral("3.400"), QStringLiteral("2.200"));
        QTest::newRow("bow tie far out") << lwpolyline({{452310, 4412870}, {452320, 4412876}, {452320, 4412870}, {452310, 4412874}})
                                         << crossing.arg(QStringLiteral("452314.000"), QStringLiteral("4412872.400"));
    }

    void refused()
    {
        QFETCH(QString, entities);
        QFETCH(QString, message);
        Drawing drawing;
        QString error;
        QVERIFY(!readDxfDrawing(m_files.writeEntities(entities), drawing, error));
        QCOMPARE(error, message);
    }

    void contoursOutsideAreCounted()
    {
        Drawing drawing;
        QString error;
        const QString entities = lwpolyline(square(0, 0, 10)) + lwpolyline(square(4, 4, 2))
            + lwpolyline(square(20, 0, 3)) + lines({{30, 0}, {31, 0}, {31, 1}, {30, 0}});
        QVERIFY2(readDxfDrawing(m_files.writeEntities(entities), drawing, error), qPrintable(error));
        QCOMPARE(drawing.ignoredContourCount, 2);
        QVERIFY(std::abs(drawing.area - 96.0) < 1e-9);
    }

    // Bounds stay in the drawing's own coordinates, however far out.
    void surveyCoordinatesKept()
    {
        Drawing drawing;
        QString error;
        QVERIFY2(readDxfDrawing(m_files.writeEntities(lwpolyline({{452310, 4412870}, {452317.35, 4412870},
                                                                {452317.35, 4412875.45}, {452310, 4412875.45}})),
                                drawing, error),
                 qPrintable(error));
        QCOMPARE(drawing.bounds.left(), 452310.0);
        QCOMPARE(drawing.bounds.top(), 4412870.0);
        QVERIFY(std::abs(drawing.area - 7.35 * 5.45) < 1e-6);
    }

    void duplicateSegments_data()
    {
        QTest::addColumn<QList<Segment>>("segments");
        QTest::addColumn<int>("kept");
        const Segment side{{0, 0}, {6, 0}};
        QTest::newRow("same") << QList<Segment>{side, side} << 1;
        QTest::newRow("reversed") << QList<Segment>{side, {{6, 0}, {0, 0}}} << 1;
        QTest::newRow("within the tolerance") << QList<Segment>{side, {{0, 0.7e-5}, {6 - 0.7e-5, 0}}} << 1;
        QTest::newRow("one end beyond it") << QList<Segment>{side, {{0, 1.01e-5}, {6, 0}}} << 2;
        QTest::newRow("sharing one end") << QList<Segment>{side, {{0, 0}, {6, 1}}} << 2;
        QTest::newRow("three copies") << QList<Segment>{side, side, {{6, 0}, {0, 0}}, {{0, 0}, {0, 4}}} << 2;
        QTest::newRow("two points") << QList<Segment>{{{1, 1}, {1, 1}}, {{1, 1}, {1, 1}}} << 1;
    }

    void duplicateSegments()
    {
        QFETCH(QList<Segment>, segments);
        QFETCH(int, kept);
        const QList<Segment> result = withoutDuplicateSegments(segments);
        QCOMPARE(result.size(), kept);
        QCOMPARE(result.first().start, segments.first().start);
        QCOMPARE(result.first().end, segments.first().end);
    }

    void duplicateLoops_data()
    {
        QTest::addColumn<QList<QPolygonF>>("loops");
        QTest::addColumn<int>("kept");
        const QPolygonF ring = closeRing(square(0, 0, 2));
        const QPolygonF turned = closeRing({{2, 2}, {0, 2}, {0, 0}, {2, 0}});
        const QPolygonF reversed = closeRing({{2, 0}, {0, 0}, {0, 2}, {2, 2}});
        QTest::newRow("same") << QList<QPolygonF>{ring, ring} << 1;
        QTest::newRow("other start") << QList<QPolygonF>{ring, turned} << 1;
        QTest::newRow("other direction") << QList<QPolygonF>{ring, reversed} << 1;
        QTest::newRow("chained, closed within the tolerance")
            << QList<QPolygonF>{ring, closeRing({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {3e-6, 0}})} << 1;
        QTest::newRow("one corner moved") << QList<QPolygonF>{ring, closeRing({{0, 0}, {2, 0}, {2, 2.001}, {0, 2}})} << 2;
        QTest::newRow("another corner between")
            << QList<QPolygonF>{ring, closeRing({{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}})} << 2;
        QTest::newRow("same corners, other order")
            << QList<QPolygonF>{ring, closeRing({{0, 0}, {2, 2}, {2, 0}, {0, 2}})} << 2;
        QTest::newRow("elsewhere") << QList<QPolygonF>{ring, closeRing(square(5, 0, 2))} << 2;
    }

    void duplicateLoops()
    {
        QFETCH(QList<QPolygonF>, loops);
        QFETCH(int, kept);
        const QList<QPolygonF> result = withoutDuplicateLoops(loops);
        QCOMPARE(result.size(), kept);
        QCOMPARE(result.first(), loops.first());
    }
};

QTEST_GUILESS_MAIN(TestDxfContours)
#include "tst_dxf_contours.moc"
