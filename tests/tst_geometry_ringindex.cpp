#include "geometry/ringindex.h"
#include "testsupport.h"

#include <QTest>

using namespace tallero;

namespace {

QPolygonF closedRectangle(double x, double y, double w, double h)
{
    return QPolygonF{QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + h),
                     QPointF(x, y + h), QPointF(x, y)};
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
};

QTEST_GUILESS_MAIN(RingIndexTest)
#include "tst_geometry_ringindex.moc"
