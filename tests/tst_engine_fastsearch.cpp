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
