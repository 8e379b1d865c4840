#include "geometry/directgeometry.h"
#include "geometry/geometrydefect.h"
#include "geometry/regionsubtraction.h"
#include "geometry/ring.h"
#include "geometry/shapeops.h"
#include "geometry/internal/wkt.h"
#include "geometry/internal/wktrounding.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <cstring>

using namespace tallero;

namespace {

QPolygonF square(double x, double y, double side)
{
    return QPolygonF{QPointF(x, y), QPointF(x + side, y), QPointF(x + side, y + side),
                     QPointF(x, y + side)};
}

// Coordinates of a geometry, compared bit for bit (QPolygonF's own equality
// is fuzzy).
QByteArray coordinateBytes(const GeometryHandle &geometry)
{
    QList<Polygon> polygons;
    collectPolygons(geometry.get(), polygons);
    QByteArray bytes;
    for (const Polygon &polygon : polygons) {
        for (const QPolygonF &ring : polygon) {
            bytes.append(reinterpret_cast<const char *>(ring.constData()),
                         ring.size() * qsizetype(sizeof(QPointF)));
            bytes.append('|');
        }
    }
    return bytes;
}

QPolygonF randomRing(QRandomGenerator &random, double centreX, double centreY, double radius)
{
    QPolygonF ring;
    const int corners = 3 + int(random.bounded(20));
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * M_PI * i / corners;
        const double r = radius * (0.5 + 0.5 * random.generateDouble());
        ring << QPointF(centreX + r * std::cos(angle), centreY + r * std::sin(angle));
    }
    return ring;
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

    // The placement search skips the overlay of a piece whose area inside a
    // candidate's box is too small to hold an overlap: the clipped area
    // must be the engine's, for open and closed rings, concave ones and
    // boxes that cut them anywhere.
    void ringAreaWithin_data()
    {
        QTest::addColumn<QPolygonF>("ring");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<double>("expected");
        // An L: the square (0,0)-(2,2) without its top right quarter.
        const QPolygonF ell{QPointF(0, 0), QPointF(2, 0), QPointF(2, 1), QPointF(1, 1),
                            QPointF(1, 2), QPointF(0, 2), QPointF(0, 0)};
        QTest::newRow("whole") << ell << QRectF(-1, -1, 4, 4) << 3.0;
        QTest::newRow("in the notch") << ell << QRectF(1.2, 1.2, 0.5, 0.5) << 0.0;
        QTest::newRow("across the notch's corner") << ell << QRectF(0.5, 0.5, 1, 1) << 0.75;
        QTest::newRow("along an edge only") << ell << QRectF(2, 0, 1, 1) << 0.0;
        QTest::newRow("open ring") << QPolygonF(ell.begin(), ell.end() - 1)
                                   << QRectF(0.5, -0.5, 2, 1) << 0.75;
        QTest::newRow("slanted") << QPolygonF{QPointF(0, 0), QPointF(4, 0), QPointF(0, 4)}
                                 << QRectF(1, 1, 2, 2) << 2.0;
        QTest::newRow("outside") << ell << QRectF(5, 5, 1, 1) << 0.0;
    }

    void ringAreaWithin()
    {
        QFETCH(QPolygonF, ring);
        QFETCH(QRectF, box);
        QFETCH(double, expected);
        const double within = tallero::ringAreaWithin(ring, box);
        QVERIFY2(std::abs(within - expected) < 1e-12, qPrintable(QString::number(within)));
        // The engine agrees.
        const QPolygonF boxRing{box.topLeft(), box.topRight(), box.bottomRight(),
                                box.bottomLeft(), box.topLeft()};
        const std::optional<Shape> common =
            intersectShapes(shapeFromPolygon({tallero::closeRing(ring)}), shapeFromPolygon({boxRing}));
        QVERIFY(common);
        QVERIFY(std::abs(common->area - within) < 1e-12);
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

    void directGeometryMatchesWkt_data()
    {
        QTest::addColumn<QList<Polygon>>("polygons");
        QTest::addColumn<bool>("readable");

        QRandomGenerator random(20261206);
        for (int i = 0; i < 40; ++i) {
            const double scale = i < 20 ? 10.0 : 50000.0;
            const double x = (random.generateDouble() - 0.5) * scale;
            const double y = (random.generateDouble() - 0.5) * scale;
            Polygon polygon{randomRing(random, x, y, 3.0), randomRing(random, x, y, 0.5)};
            QList<Polygon> polygons{polygon};
            if (i % 3 == 0)
                polygons.append(Polygon{randomRing(random, x + 10.0, y, 2.0)});
            QTest::newRow(qPrintable(QStringLiteral("random %1").arg(i))) << polygons << true;
        }
        QTest::newRow("negative zero")
            << QList<Polygon>{{QPolygonF{QPointF(-0.0, -0.0), QPointF(1, -0.0), QPointF(1, 1), QPointF(-0.0, 1)}}} << true;
        QTest::newRow("ten decimals exactly at a half")
            << QList<Polygon>{{QPolygonF{QPointF(0.00048828125, 0), QPointF(1, 0), QPointF(1, 0.00048828125)}}} << true;
        // Closed to QPointF's fuzzy equality, so left as it is, but the ten
        // decimals of the first and last point differ: the reader refuses it.
        QTest::newRow("fuzzily closed, rounded apart")
            << QList<Polygon>{{QPolygonF{QPointF(0.00048828125, 0), QPointF(3, 0), QPointF(3, 2),
                                         QPointF(std::nextafter(0.00048828125, 0.0), 0)}}}
            << false;
        QTest::newRow("short hole left out")
            << QList<Polygon>{{square(0, 0, 4), QPolygonF{QPointF(1, 1), QPointF(2, 1)}}} << true;
    }

    void directGeometryMatchesWkt()
    {
        QFETCH(QList<Polygon>, polygons);
        QFETCH(bool, readable);
        const QList<Polygon> accepted = acceptPolygons(polygons);
        const std::optional<GeometryHandle> direct = buildPolygonsGeometry(accepted);
        QVERIFY(direct.has_value());
        const GeometryHandle viaText = readWkt(acceptedPolygonsToWkt(accepted));
        QCOMPARE(bool(viaText), readable);
        QCOMPARE(bool(*direct), readable);
        QCOMPARE(coordinateBytes(*direct), coordinateBytes(viaText));
        const double directArea = geometryArea(direct->get()).value_or(0.0);
        const double textArea = geometryArea(viaText.get()).value_or(0.0);
        QVERIFY(std::memcmp(&directArea, &textArea, sizeof(double)) == 0);
    }

    // The coordinate a geometry built straight from coordinates holds is the
    // one its ten-decimal WKT would be read back as, halves included.
    void wktRounding()
    {
        QRandomGenerator random(5);
        QList<double> values{0.00048828125, -0.00048828125, 1.00048828125, -0.0, -1e-12, 2.44};
        for (int i = 0; i < 20000; ++i)
            values << (random.generateDouble() - 0.5) * 10.0 << random.bounded(1 << 24) / 2048.0;
        for (double value : values) {
            const double rounded = roundAsWkt(value);
            const double read = QString::number(value, 'f', 10).toDouble();
            QVERIFY2(std::memcmp(&rounded, &read, sizeof(double)) == 0,
                     qPrintable(QString::number(value, 'g', 17)));
        }
    }

    void directGeometryLeavesHugeCoordinatesToWkt()
    {
        const QList<Polygon> utm{{square(500000.123, 4100000.456, 10)}};
        QVERIFY(!buildPolygonsGeometry(acceptPolygons(utm)).has_value());
        // The shape is still made, through the text.
        QVERIFY(isNonEmpty(shapeFromPolygons(utm)));
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
        const std::optional<Shape> intersection = intersectShapes(first, second);
        QVERIFY(intersection.has_value());
        const Shape common = *intersection;
        QCOMPARE(isNonEmpty(common), intersectionCounts);
        QVERIFY(qAbs(common.area - intersectionArea) < 1e-9);
        if (!intersectionCounts)
            QVERIFY(common.polygons.isEmpty());

        const std::optional<Shape> union_ = uniteShapes(first, second);
        QVERIFY(union_.has_value());
        const Shape united = *union_;
        QCOMPARE(united.polygons.size(), unionPolygons);
        QCOMPARE(united.rings.size(), unionPolygons);
        QVERIFY(united.bounds.contains(first.bounds) && united.bounds.contains(second.bounds));
        QVERIFY(qAbs(united.area - (first.area + second.area - intersectionArea)) < 1e-9);

        QVERIFY(qAbs(sharedBoundaryLength(first, second).value_or(-1.0) - sharedBoundary) < 1e-9);
    }

    // A failed operation gives no result (an empty one is a result: the
    // disjoint rows above), and the engine's reason is kept on the context;
    // empty and unreadable inputs are safe.
    void failureIsNotEmptiness()
    {
        // Self-crossing: the engine's overlay cannot intersect it with a
        // rectangle across the crossing.
        const Shape bowTie = shapeFromPolygon({QPolygonF{QPointF(0, 0), QPointF(6, 3), QPointF(6, 0), QPointF(0, 2)}});
        const Shape across = rectangleShape(2.44, 0, 2.44, 1.22);
        const quint64 errorsBefore = geometryDiagnostics().errorCount;
        QVERIFY(!intersectShapes(bowTie, across).has_value());
        QVERIFY(geometryDiagnostics().errorCount > errorsBefore);
        QVERIFY(!geometryDiagnostics().lastError.isEmpty());

        const Shape unit = shapeFromPolygon({square(0, 0, 1)});
        QVERIFY(!uniteShapes(unit, Shape()).has_value());
        QCOMPARE(sharedBoundaryLength(unit, Shape()), std::optional<double>(0.0));
        QVERIFY(!geometryArea(nullptr).has_value());
        QVERIFY(!geometryLength(nullptr).has_value());
        QVERIFY(!isNonEmpty(shapeFromGeometry(GeometryHandle())));
        QVERIFY(!isNonEmpty(shapeFromPolygons({})));
        QVERIFY(!readWkt(QString()));
        QVERIFY(!readWkt(QStringLiteral("POLYGON((0 0, 1")));
        QVERIFY(readWkt(QStringLiteral("POLYGON((0 0,1 0,1 1,0 0))")));
        // A copy shares the engine geometry rather than cloning it.
        const Shape copy = unit;
        QCOMPARE(copy.geometry.get(), unit.geometry.get());
    }

    void geometryDefects_data()
    {
        QTest::addColumn<Polygon>("polygon");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPointF>("location");
        const int none = int(GeometryDefect::Kind::None);
        const int crossing = int(GeometryDefect::Kind::SelfIntersection);
        QTest::newRow("square") << Polygon{square(0, 0, 2)} << none << QPointF();
        QTest::newRow("bow tie") << Polygon{QPolygonF{QPointF(0, 0), QPointF(10, 6), QPointF(10, 0), QPointF(0, 4)}}
                                 << crossing << QPointF(4, 2.4);
        // Two squares sharing one corner, drawn as one ring.
        QTest::newRow("ring touching itself")
            << Polygon{QPolygonF{QPointF(0, 0), QPointF(2, 0), QPointF(2, 2), QPointF(4, 2), QPointF(4, 4),
                                 QPointF(2, 4), QPointF(2, 2), QPointF(0, 2)}}
            << crossing << QPointF(2, 2);
        QTest::newRow("hole across the shell") << Polygon{square(0, 0, 4), square(3, 1, 2)} << crossing << QPointF();
        QTest::newRow("hole outside the shell")
            << Polygon{square(0, 0, 4), square(6, 6, 1)} << int(GeometryDefect::Kind::Other) << QPointF();
    }

    void geometryDefects()
    {
        QFETCH(Polygon, polygon);
        QFETCH(int, kind);
        QFETCH(QPointF, location);
        const Shape shape = shapeFromPolygon(polygon);
        QVERIFY(shape.geometry);
        const GeometryDefect defect = findGeometryDefect(shape);
        QCOMPARE(int(defect.kind), kind);
        QCOMPARE(isValidGeometry(shape), kind == int(GeometryDefect::Kind::None));
        if (!location.isNull())
            QVERIFY2(QLineF(defect.location, location).length() < 1e-9,
                     qPrintable(QStringLiteral("%1 %2").arg(defect.location.x()).arg(defect.location.y())));
    }

    // Holes are removed once whatever their arrangement, and the result is
    // a valid region.
    void subtractUnion_data()
    {
        QTest::addColumn<QList<QPolygonF>>("holes");
        QTest::addColumn<double>("area");
        QTest::addColumn<int>("rings");
        QTest::newRow("no hole") << QList<QPolygonF>{} << 100.0 << 1;
        QTest::newRow("overlapping") << QList<QPolygonF>{square(1, 1, 4), square(3, 3, 4)} << 72.0 << 2;
        QTest::newRow("nested") << QList<QPolygonF>{square(2, 2, 6), square(4, 4, 2)} << 64.0 << 2;
        QTest::newRow("repeated") << QList<QPolygonF>{square(4, 4, 2), square(4, 4, 2)} << 96.0 << 2;
        QTest::newRow("across the wall") << QList<QPolygonF>{QPolygonF{QPointF(9, 3), QPointF(11, 3), QPointF(11, 7), QPointF(9, 7)}}
                                         << 96.0 << 1;
        QTest::newRow("cutting the room in two")
            << QList<QPolygonF>{QPolygonF{QPointF(-1, 4), QPointF(11, 4), QPointF(11, 6), QPointF(-1, 6)}} << 80.0 << 2;
        QTest::newRow("outside") << QList<QPolygonF>{square(20, 20, 2)} << 100.0 << 1;
        QTest::newRow("covering everything") << QList<QPolygonF>{square(-1, -1, 12)} << 0.0 << 0;
    }

    void subtractUnion()
    {
        QFETCH(QList<QPolygonF>, holes);
        QFETCH(double, area);
        QFETCH(int, rings);
        QList<Shape> holeShapes;
        for (const QPolygonF &hole : holes)
            holeShapes.append(shapeFromPolygon({hole}));
        const std::optional<Shape> region = tallero::subtractUnion(shapeFromPolygon({square(0, 0, 10)}), holeShapes);
        QVERIFY(region.has_value());
        QVERIFY(qAbs(region->area - area) < 1e-9);
        QCOMPARE(region->rings.size(), rings);
        QVERIFY(isValidGeometry(*region));
        if (rings > 0)
            QCOMPARE(region->bounds, region->path.boundingRect());
    }

    // Far from the origin a sliver keeps its geometry and its area when
    // moved there, where shapeFromPolygons would measure it as nothing.
    void translatedShapeKeepsSlivers()
    {
        const Shape sliver = rectangleShape(0, 0, 0.001, 1.2);
        const std::optional<Shape> far = translatedShape(sliver, 3e6, 4e6);
        QVERIFY(far.has_value());
        QVERIFY(far->geometry);
        QCOMPARE(far->area, sliver.area);
        QVERIFY(qAbs(far->bounds.left() - 3e6) < 1e-9);
        QVERIFY(qAbs(far->bounds.width() - 0.001) < 1e-9);
    }
};

QTEST_GUILESS_MAIN(GeometryTest)
#include "tst_geometry.moc"
