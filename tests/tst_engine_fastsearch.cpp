#include "engine/cuttingplanner.h"
#include "engineshapes.h"
#include "testsupport.h"

#include <QtTest>

#include <cmath>

using namespace tallero;

Q_DECLARE_METATYPE(tallero::Shape)

namespace {

// A five-pointed star: sharp concave corners where pieces can interlock.
Shape star()
{
    QPolygonF ring;
    for (int i = 0; i < 10; ++i) {
        const double a = M_PI / 2 + M_PI * i / 5;
        const double r = i % 2 ? 1.6 : 4.0;
        ring << QPointF(4 + r * std::cos(a), 4 + r * std::sin(a));
    }
    return shapeFromPolygon({ring});
}

// A strip with small rectangular tabs of distinct sizes on its top edge, one
// per 2 m: the tabs become small cut pieces that crowd one cutting sheet.
Shape tabStrip(int tabs)
{
    const double length = 2.0 * tabs;
    QPolygonF ring{QPointF(0.0, 0.0), QPointF(length, 0.0), QPointF(length, 2.4)};
    for (int k = tabs - 1; k >= 0; --k) {
        const double width = 0.10 + 0.25 * k / (tabs - 1);
        const double depth = 0.08 + 0.17 * ((k * 7) % tabs) / (tabs - 1);
        const double left = 2.0 * k + 0.7;
        ring << QPointF(left + width, 2.4) << QPointF(left + width, 2.4 + depth)
             << QPointF(left, 2.4 + depth) << QPointF(left, 2.4);
    }
    ring << QPointF(0.0, 2.4) << QPointF(0.0, 0.0);
    return shapeFromPolygon({ring});
}

// A room traced by hand: walls of 5 mm steps that wander up to 2 mm off the
// line, so its cut pieces have hundreds of vertices along each edge.
Shape noisyRoom(double width, double depth)
{
    const QPointF corners[] = {QPointF(0, 0), QPointF(width, 0), QPointF(width, depth),
                               QPointF(0, depth)};
    QPolygonF ring;
    unsigned int seed = 12345;
    for (int side = 0; side < 4; ++side) {
        const QPointF a = corners[side];
        const QPointF b = corners[(side + 1) % 4];
        const QPointF along = b - a;
        const double length = std::hypot(along.x(), along.y());
        const QPointF normal(along.y() / length, -along.x() / length);
        const int steps = int(std::lround(length / 0.005));
        for (int i = 0; i < steps; ++i) {
            seed = seed * 1103515245u + 12345u;
            const double off = i == 0 ? 0.0 : 0.002 * (((seed >> 8) % 2001) / 1000.0 - 1.0);
            ring << a + along * (double(i) / steps) + normal * off;
        }
    }
    ring << ring.first();
    return shapeFromPolygon({ring});
}

// A hall with a wavy wall 1.5 m high and round columns standing in it.
Shape columnHall()
{
    QPolygonF outer;
    for (int i = 0; i < 150; ++i) {
        const double x = 15.0 * i / 149;
        outer << QPointF(x, 1.5 * std::sin(2.0 * M_PI * x / 9.3) + 1.5);
    }
    outer << QPointF(15.0, 12.0) << QPointF(0.0, 12.0) << outer.first();
    QList<QPolygonF> rings{outer};
    for (const QPointF &centre : {QPointF(4.3, 6.1), QPointF(9.9, 8.7), QPointF(12.2, 4.9)}) {
        QPolygonF column;
        for (int i = 0; i <= 32; ++i)
            column << centre + 0.35 * QPointF(std::cos(M_PI * (i % 32) / 16), std::sin(M_PI * (i % 32) / 16));
        rings << column;
    }
    return shapeFromPolygon(rings);
}

} // namespace

// The fast placement search may skip work but never change a plan: both
// searches must give the same plan, placement by placement.
class FastSearchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void samePlans_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("gap");
        const struct
        {
            const char *name;
            Shape outline;
            double w, h, gap;
        } drawings[] = {
            {"rectangle", testing::rectangleOutline(5.0, 3.0), 2.0, 1.2, 0.0},
            {"room", testing::roomWithCurvedWall(), 2.44, 1.22, 0.003},
            {"L floor", testing::lFloorWithColumn(), 2.44, 1.22, 0.003},
            {"star", star(), 1.5, 1.0, 0.01},
            {"wave hall", testing::waveHall(300), 2.44, 1.22, 0.003},
            {"tab strip", tabStrip(14), 2.44, 1.22, 0.003},
            {"noisy room", noisyRoom(3.0, 2.2), 2.44, 1.22, 0.003},
            {"column hall", columnHall(), 2.44, 1.22, 0.003},
        };
        for (const auto &drawing : drawings) {
            QTest::newRow(QByteArray(drawing.name).append(", horizontal").constData())
                << drawing.outline << drawing.w << drawing.h << drawing.gap;
            QTest::newRow(QByteArray(drawing.name).append(", vertical").constData())
                << drawing.outline << drawing.h << drawing.w << drawing.gap;
        }
    }

    void samePlans()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, gap);
        for (bool right : {false, true}) {
            for (bool top : {false, true}) {
                const CuttingPlan plain =
                    computeCuttingPlan(outline, w, h, gap, right, top, PlacementSearchMode::Reference);
                const CuttingPlan fast =
                    computeCuttingPlan(outline, w, h, gap, right, top, PlacementSearchMode::Fast);
                QCOMPARE(fast.cells.size(), plain.cells.size());
                QCOMPARE(fast.wholeSheetCount, plain.wholeSheetCount);
                QCOMPARE(fast.sheets.size(), plain.sheets.size());
                for (qsizetype s = 0; s < plain.sheets.size(); ++s) {
                    const CuttingSheet &a = plain.sheets[s];
                    const CuttingSheet &b = fast.sheets[s];
                    QCOMPARE(b.placements.size(), a.placements.size());
                    QVERIFY(b.usedArea == a.usedArea);
                    QVERIFY(b.occupied.area == a.occupied.area);
                    for (qsizetype p = 0; p < a.placements.size(); ++p) {
                        const PiecePlacement &pa = a.placements[p];
                        const PiecePlacement &pb = b.placements[p];
                        QCOMPARE(pb.pieceIndex, pa.pieceIndex);
                        QCOMPARE(pb.sheetIndex, pa.sheetIndex);
                        // Exactly equal, not within a tolerance.
                        QVERIFY(pb.x == pa.x && pb.y == pa.y && pb.angle == pa.angle);
                        QVERIFY(pb.shape.bounds == pa.shape.bounds);
                        QVERIFY(pb.shape.area == pa.shape.area);
                    }
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(FastSearchTest)
#include "tst_engine_fastsearch.moc"
