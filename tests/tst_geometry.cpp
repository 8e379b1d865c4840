#include "geometry/shapeops.h"
#include "geometry/wkt.h"
#include "testsupport.h"

#include <QTest>

using namespace tallero;

namespace {

QPolygonF square(double x, double y, double side)
{
    return QPolygonF{QPointF(x, y), QPointF(x + side, y), QPointF(x + side, y + side),
                     QPointF(x, y + side)};
}

} // namespace

class GeometryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void closeRing_data()
    {
        QTest::addColumn<QPolygonF>("ring");
        QTest::addColumn<int>("closedSize");

        QTest::newRow("open triangle gains its first point")
            << QPolygonF{QPointF(0, 0), QPointF(1, 0), QPointF(0, 1)} << 4;
        QTest::newRow("already closed")
            << QPolygonF{QPointF(0, 0), QPointF(1, 0), QPointF(0, 1), QPointF(0, 0)} << 4;
        QTest::newRow("closed within fuzzy equality")
            << QPolygonF{QPointF(3, 4), QPointF(5, 4), QPointF(5, 6), QPointF(3 + 1e-13, 4)} << 4;
        QTest::newRow("zero coordinate compared absolutely")
            << QPolygonF{QPointF(0, 1), QPointF(1, 1), QPointF(1, 2), QPointF(1e-11, 1)} << 5;
        QTest::newRow("two points stay open") << QPolygonF{QPointF(0, 0), QPointF(1, 0)} << 2;
    }

    void closeRing()
    {
        QFETCH(QPolygonF, ring);
        QFETCH(int, closedSize);
        const QPolygonF closed = tallero::closeRing(ring);
        QCOMPARE(closed.size(), closedSize);
        if (closedSize > ring.size())
            QCOMPARE(closed.last(), ring.first());
    }

    void ringToWktWritesTenDecimals()
    {
        const QString text = ringToWkt(QPolygonF{QPointF(-1.5, 2), QPointF(1e-11, 123456.25)});
        QCOMPARE(text, QStringLiteral("(-1.5000000000 2.0000000000,0.0000000000 123456.2500000000)"));
    }

    void polygonsToWkt_data()
    {
        QTest::addColumn<QList<Polygon>>("polygons");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<int>("ringsOfFirst");

        const QPolygonF unit = square(0, 0, 1);
        const QString unitText = QStringLiteral(
            "(0.0000000000 0.0000000000,1.0000000000 0.0000000000,1.0000000000 1.0000000000,"
            "0.0000000000 1.0000000000,0.0000000000 0.0000000000)");

        QTest::newRow("one polygon") << QList<Polygon>{{unit}}
                                     << QStringLiteral("POLYGON(") + unitText + ")" << 1 << 1;
        QTest::newRow("two polygons make a multipolygon")
            << QList<Polygon>{{unit}, {square(2, 0, 1)}}
            << QStringLiteral("MULTIPOLYGON((") + unitText
                   + "),((2.0000000000 0.0000000000,3.0000000000 0.0000000000,3.0000000000 "
                     "1.0000000000,2.0000000000 1.0000000000,2.0000000000 0.0000000000)))"
            << 2 << 1;
        QTest::newRow("short exterior skipped")
            << QList<Polygon>{{QPolygonF{QPointF(0, 0), QPointF(1, 1)}}} << QString() << 0 << 0;
        QTest::newRow("empty polygon skipped") << QList<Polygon>{Polygon{}} << QString() << 0 << 0;
        // A 1e-7 m² triangle is the smallest exterior that counts.
        QTest::newRow("area exactly 1e-7 accepted")
            << QList<Polygon>{{QPolygonF{QPointF(0, 0), QPointF(2e-7, 0), QPointF(0, 1)}}}
            << QStringLiteral("POLYGON((0.0000000000 0.0000000000,0.0000002000 0.0000000000,"
                              "0.0000000000 1.0000000000,0.0000000000 0.0000000000))")
            << 1 << 1;
        QTest::newRow("area below 1e-7 skipped")
            << QList<Polygon>{{QPolygonF{QPointF(0, 0), QPointF(1.9e-7, 0), QPointF(0, 1)}}}
            << QString() << 0 << 0;
        QTest::newRow("short hole left out of the text, kept in the rings")
            << QList<Polygon>{{unit, QPolygonF{QPointF(0.2, 0.2), QPointF(0.4, 0.2)}}}
            << QStringLiteral("POLYGON(") + unitText + ")" << 1 << 2;
    }

    void polygonsToWkt()
    {
        QFETCH(QList<Polygon>, polygons);
        QFETCH(QString, text);
        QFETCH(int, accepted);
        QFETCH(int, ringsOfFirst);
        const PolygonsWkt wkt = tallero::polygonsToWkt(polygons);
        QCOMPARE(wkt.text, text);
        QCOMPARE(wkt.accepted.size(), accepted);
        if (accepted > 0)
            QCOMPARE(wkt.accepted.first().size(), ringsOfFirst);
    }

    void unreadableWktGivesEmptyHandle()
    {
        QVERIFY(!readWkt(QString()));
        QVERIFY(!readWkt(QStringLiteral("POLYGON((0 0, 1")));
        QVERIFY(readWkt(QStringLiteral("POLYGON((0 0,1 0,1 1,0 0))")));
    }

    void rectangleAndHoles()
    {
        const Shape rectangle = rectangleShape(0, 0, 2, 1.2);
        QVERIFY(isNonEmpty(rectangle));
        QCOMPARE(rectangle.rings.size(), 1);
        QCOMPARE(rectangle.rings.first().size(), 5);
        QVERIFY(qAbs(rectangle.area - 2.4) < 1e-12);
        QCOMPARE(rectangle.bounds, QRectF(0, 0, 2, 1.2));

        const Shape holed = shapeFromPolygon({square(0, 0, 4), square(1, 1, 1)});
        QCOMPARE(holed.rings.size(), 2);
        QVERIFY(qAbs(holed.area - 15.0) < 1e-12);
        QVERIFY(!holed.path.contains(QPointF(1.5, 1.5)));
        QVERIFY(holed.path.contains(QPointF(3, 3)));

        const Shape sliver = shapeFromPolygon({QPolygonF{QPointF(0, 0), QPointF(1e-8, 0), QPointF(0, 1)}});
        QVERIFY(!sliver.geometry);
        QVERIFY(!isNonEmpty(sliver));
    }

    void setOperations_data()
    {
        QTest::addColumn<QPolygonF>("a");
        QTest::addColumn<QPolygonF>("b");
        QTest::addColumn<double>("intersectionArea");
        QTest::addColumn<bool>("intersectionCounts");
        QTest::addColumn<int>("unionPolygons");
        QTest::addColumn<double>("sharedBoundary");

        QTest::newRow("overlapping squares") << square(0, 0, 2) << square(1, 1, 2) << 1.0 << true << 1 << 0.0;
        QTest::newRow("edge contact only") << square(0, 0, 1) << square(1, 0, 1) << 0.0 << false << 1 << 1.0;
        QTest::newRow("corner contact") << square(0, 0, 1) << square(1, 1, 1) << 0.0 << false << 2 << 0.0;
        QTest::newRow("disjoint") << square(0, 0, 1) << square(3, 0, 1) << 0.0 << false << 2 << 0.0;
    }

    void setOperations()
    {
        QFETCH(QPolygonF, a);
        QFETCH(QPolygonF, b);
        QFETCH(double, intersectionArea);
        QFETCH(bool, intersectionCounts);
        QFETCH(int, unionPolygons);
        QFETCH(double, sharedBoundary);

        const Shape first = shapeFromPolygon({a});
        const Shape second = shapeFromPolygon({b});
        const Shape common = intersectShapes(first, second);
        QCOMPARE(isNonEmpty(common), intersectionCounts);
        QVERIFY(qAbs(common.area - intersectionArea) < 1e-9);
        if (!intersectionCounts)
            QVERIFY(common.polygons.isEmpty());

        const Shape united = uniteShapes(first, second);
        QCOMPARE(united.polygons.size(), unionPolygons);
        QCOMPARE(united.rings.size(), unionPolygons);
        QVERIFY(united.bounds.contains(first.bounds) && united.bounds.contains(second.bounds));
        QVERIFY(qAbs(united.area - (first.area + second.area - intersectionArea)) < 1e-9);

        QVERIFY(qAbs(sharedBoundaryLength(first, second) - sharedBoundary) < 1e-9);
    }

    void emptyShapesAreSafe()
    {
        const Shape square1 = shapeFromPolygon({square(0, 0, 1)});
        QCOMPARE(sharedBoundaryLength(square1, Shape()), 0.0);
        QVERIFY(!isNonEmpty(shapeFromGeometry(GeometryHandle())));
        QVERIFY(!isNonEmpty(shapeFromPolygons({})));
        // A copy shares the engine geometry rather than cloning it.
        const Shape copy = square1;
        QCOMPARE(copy.geometry.get(), square1.geometry.get());
    }
};

QTEST_GUILESS_MAIN(GeometryTest)
#include "tst_geometry.moc"
