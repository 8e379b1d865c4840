#include "dxf/outlinecontainment.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using namespace tallero;

namespace {

// A star-like ring around (0, 0) whose radius wanders, snapped to a coarse
// grid so that points fall on vertices, on edges and at the heights of
// horizontal edges as often as between them.
QPolygonF wanderingRing(QRandomGenerator &random, int corners, double snap, bool closed)
{
    QPolygonF ring;
    for (int i = 0; i < corners; ++i) {
        const double angle = 2.0 * M_PI * i / corners;
        const double radius = 5.0 + 4.0 * random.generateDouble();
        ring << QPointF(std::round(radius * std::cos(angle) / snap) * snap,
                        std::round(radius * std::sin(angle) / snap) * snap);
    }
    if (closed)
        ring << ring.first();
    return ring;
}

} // namespace

class OutlineContainmentTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void agreesWithQPolygonF_data()
    {
        QTest::addColumn<int>("corners");
        QTest::addColumn<double>("snap");
        QTest::addColumn<bool>("closed");
        QTest::newRow("few corners, coarse grid") << 7 << 1.0 << true;
        QTest::newRow("open ring") << 12 << 0.5 << false;
        QTest::newRow("many corners, fine grid") << 5000 << 0.01 << true;
        QTest::newRow("no snapping") << 300 << 1e-12 << true;
    }

    void agreesWithQPolygonF()
    {
        QFETCH(int, corners);
        QFETCH(double, snap);
        QFETCH(bool, closed);
        QRandomGenerator random(corners);
        const QPolygonF ring = wanderingRing(random, corners, snap, closed);
        OutlineContainment containment(ring);
        int inside = 0;
        // Vertices and edge midpoints first, then points all over the ring.
        QList<QPointF> points(ring.begin(), ring.end());
        for (qsizetype i = 1; i < ring.size(); ++i)
            points << (ring[i - 1] + ring[i]) / 2.0;
        for (int i = 0; i < 4000; ++i) {
            const double x = std::round((random.generateDouble() * 24.0 - 12.0) / snap) * snap;
            const double y = std::round((random.generateDouble() * 24.0 - 12.0) / snap) * snap;
            points << QPointF(x, y);
        }
        for (const QPointF &point : points) {
            const bool expected = ring.containsPoint(point, Qt::OddEvenFill);
            QCOMPARE(containment.containsPoint(point), expected);
            inside += expected;
        }
        // Both answers must occur, or the comparison proves little.
        QVERIFY(inside > 0 && inside < points.size());
    }

    void degenerateRings()
    {
        OutlineContainment empty{QPolygonF()};
        QVERIFY(!empty.containsPoint(QPointF(0, 0)));
        OutlineContainment flat{QPolygonF{QPointF(0, 1), QPointF(5, 1), QPointF(2, 1)}};
        QVERIFY(!flat.containsPoint(QPointF(1, 1)));

        // Heights 0 and 5e-324: more edges than one band takes, over a span
        // that halves to zero. Once a division 0/0 and an int of NaN.
        QPolygonF zigzag;
        for (int k = 0; k <= 8; ++k)
            zigzag.append(QPointF(k, k % 2 ? 5e-324 : 0.0));
        zigzag << QPointF(8, 5e-324) << QPointF(0, 5e-324);
        OutlineContainment denormal{zigzag};
        for (const QPointF &point : {QPointF(0.5, 0.0), QPointF(1.5, 5e-324), QPointF(3, -1), QPointF(3, 1)})
            QCOMPARE(denormal.containsPoint(point), zigzag.containsPoint(point, Qt::OddEvenFill));
    }
};

QTEST_GUILESS_MAIN(OutlineContainmentTest)
#include "tst_dxf_outlinecontainment.moc"
