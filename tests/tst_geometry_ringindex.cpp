#include "geometry/ringindex.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QTest>

#include <QLineF>

#include <algorithm>
#include <cmath>

using namespace tallero;

namespace {

QPolygonF closedRectangle(double x, double y, double w, double h)
{
    return QPolygonF{QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + h),
                     QPointF(x, y + h), QPointF(x, y)};
}

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

double distanceToSegment(const QPointF &point, const QLineF &edge)
{
    const QPointF along = edge.p2() - edge.p1();
    const double length2 = QPointF::dotProduct(along, along);
    const double t = length2 > 0.0
        ? std::clamp(QPointF::dotProduct(point - edge.p1(), along) / length2, 0.0, 1.0)
        : 0.0;
    return QLineF(point, edge.p1() + t * along).length();
}

} // namespace

// The clearance test decides which probes prove an overlap in the placement
// search: a point called deep inside that lies near an edge, or in a hole,
// would drop a free position.
class RingIndexTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void clearance_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<double>("clearance");
        QTest::addColumn<bool>("deep");
        // A 4 x 2 room with a 1 x 1 hole from (1.5, 0.5).
        QTest::newRow("centre of the left part") << QPointF(0.75, 1.0) << 0.1 << true;
        QTest::newRow("clearance reaches the hole") << QPointF(1.45, 1.0) << 0.1 << false;
        QTest::newRow("in the hole") << QPointF(2.0, 1.0) << 0.1 << false;
        // Only horizontal edges are near: they never count for the parity
        // test, but they bound the clearance all the same.
        QTest::newRow("under the top edge") << QPointF(0.75, 1.95) << 0.1 << false;
        QTest::newRow("above the bottom edge") << QPointF(3.2, 0.05) << 0.1 << false;
        QTest::newRow("above the bottom edge, small clearance") << QPointF(3.2, 0.05) << 0.01 << true;
        // Clearances wider than a band: every band they reach is looked at.
        QTest::newRow("wide clearance, every edge farther") << QPointF(0.75, 1.0) << 0.72 << true;
        QTest::newRow("wide clearance reaches the hole") << QPointF(3.0, 1.0) << 0.6 << false;
        QTest::newRow("outside") << QPointF(5.0, 1.0) << 0.1 << false;
    }

    void clearance()
    {
        QFETCH(QPointF, point);
        QFETCH(double, clearance);
        QFETCH(bool, deep);
        const QList<QPolygonF> rings{closedRectangle(0, 0, 4, 2), closedRectangle(1.5, 0.5, 1, 1)};
        const RingIndex index(rings);
        QCOMPARE(index.containsWithClearance(point, clearance), deep);
        // Deep inside implies inside, by the odd-even rule over all rings.
        if (deep)
            QVERIFY(index.containsPoint(point));
    }

    // Which loops of a drawing are holes is asked of the index with
    // QPolygonF's own answers in mind: it must agree on vertices, edges and
    // the heights of horizontal edges.
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
        RingIndex containment(ring);
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
        // The clearance test walks each band only as far right as the
        // clearance reaches: it must answer as a look at every edge does.
        const double clearance = 0.37 * std::max(snap, 0.1);
        int deep = 0;
        for (const QPointF &point : points) {
            const bool expected = ring.containsPoint(point, Qt::OddEvenFill);
            QCOMPARE(containment.containsPoint(point), expected);
            inside += expected;
            bool farFromEdges = true;
            for (qsizetype i = 0; i < ring.size() && farFromEdges; ++i) {
                const QLineF edge(ring[i], ring[(i + 1) % ring.size()]);
                farFromEdges = distanceToSegment(point, edge) > clearance;
            }
            const bool expectedDeep = expected && farFromEdges;
            QCOMPARE(containment.containsWithClearance(point, clearance), expectedDeep);
            deep += expectedDeep;
        }
        // Both answers must occur, or the comparison proves little.
        QVERIFY(inside > 0 && inside < points.size());
        QVERIFY(deep > 0 && deep < inside);
    }

    void degenerateRings()
    {
        RingIndex empty{QPolygonF()};
        QVERIFY(!empty.containsPoint(QPointF(0, 0)));
        RingIndex flat{QPolygonF{QPointF(0, 1), QPointF(5, 1), QPointF(2, 1)}};
        QVERIFY(!flat.containsPoint(QPointF(1, 1)));

        // Heights 0 and 5e-324: more edges than one band takes, over a span
        // that halves to zero. Once a division 0/0 and an int of NaN.
        QPolygonF zigzag;
        for (int k = 0; k <= 8; ++k)
            zigzag.append(QPointF(k, k % 2 ? 5e-324 : 0.0));
        zigzag << QPointF(8, 5e-324) << QPointF(0, 5e-324);
        RingIndex denormal{zigzag};
        for (const QPointF &point : {QPointF(0.5, 0.0), QPointF(1.5, 5e-324), QPointF(3, -1), QPointF(3, 1)})
            QCOMPARE(denormal.containsPoint(point), zigzag.containsPoint(point, Qt::OddEvenFill));
    }
};

QTEST_GUILESS_MAIN(RingIndexTest)
#include "tst_geometry_ringindex.moc"
