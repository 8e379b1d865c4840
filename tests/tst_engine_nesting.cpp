#include "engine/engineerrors.h"
#include "engine/cuttingplanner.h"
#include "engine/internal/nesting.h"
#include "engine/plancheck.h"
#include "engineshapes.h"
#include "testsupport.h"

#include <QtTest>


using namespace tallero;
using testing::thrownMessage;

Q_DECLARE_METATYPE(tallero::Shape)

namespace {

using Pieces = QList<Shape>;

int sheetOf(const QList<CuttingSheet> &sheets, int pieceIndex)
{
    for (int s = 0; s < sheets.size(); ++s) {
        for (const PiecePlacement &placement : sheets[s].placements) {
            if (placement.pieceIndex == pieceIndex)
                return s;
        }
    }
    return -1;
}

} // namespace

Q_DECLARE_METATYPE(Pieces)

class NestingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void sheetChoice_data()
    {
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<QSizeF>("sheet");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("lastSheet");     // sheet of the last piece
        QTest::addColumn<double>("lastAngle");
        QTest::newRow("none") << Pieces{} << QSizeF(2.0, 1.2) << 0 << -1 << 0.0;
        QTest::newRow("fits only turned") << testing::rectanglePieces({{2.0, 1.0}}) << QSizeF(1.2, 2.0) << 1
                                          << 0 << 90.0;
        QTest::newRow("exactly the sheet") << testing::rectanglePieces({{2.0, 1.2}}) << QSizeF(2.0, 1.2) << 1
                                           << 0 << 0.0;
        // The first lies turned (lower extent), the second fits beside it no more.
        QTest::newRow("two that cannot share")
            << testing::rectanglePieces({{1.0, 1.2}, {1.0, 1.2}}) << QSizeF(2.0, 1.2) << 2 << 1 << 90.0;
        // Sheet 1 (1.4 x 1.4 and 0.55 x 1.9) is fuller than sheet 0 (1.5 x 1.5).
        QTest::newRow("fullest sheet")
            << testing::rectanglePieces({{1.5, 1.5}, {1.4, 1.4}, {0.55, 1.9}, {0.4, 0.4}}) << QSizeF(2.0, 2.0)
            << 2 << 1 << 0.0;
        QTest::newRow("equal sheets, lower index")
            << testing::rectanglePieces({{1.5, 1.5}, {1.5, 1.5}, {0.4, 0.4}}) << QSizeF(2.0, 2.0) << 2 << 0
            << 0.0;
    }

    void sheetChoice()
    {
        QFETCH(Pieces, pieces);
        QFETCH(QSizeF, sheet);
        QFETCH(int, lastSheet);
        for (PlacementSearchMode mode : {PlacementSearchMode::Reference, PlacementSearchMode::Fast}) {
            const QList<CuttingSheet> sheets =
                nestCutPieces(pieces, sheet.width(), sheet.height(), mode);
            QTEST(int(sheets.size()), "sheets");
            if (pieces.isEmpty())
                continue;
            const int last = int(pieces.size()) - 1;
            QCOMPARE(sheetOf(sheets, last), lastSheet);
            for (const PiecePlacement &placement : sheets[lastSheet].placements) {
                if (placement.pieceIndex == last)
                    QTEST(placement.angle, "lastAngle");
            }
        }
    }

    void order_data()
    {
        QTest::addColumn<Pieces>("pieces");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("larger bounding area first, ties in grid order")
            << testing::rectanglePieces({{0.5, 0.5}, {1, 1}, {1, 1}, {0.8, 0.8}}) << QList<int>{1, 2, 3, 0};
        const Shape triangle = shapeFromPolygon({QPolygonF{QPointF(0, 0), QPointF(1, 0), QPointF(0, 1)}});
        QTest::newRow("then larger area") << Pieces{triangle, rectangleShape(3, 0, 1, 1)}
                                          << QList<int>{1, 0};
        QTest::newRow("then longer side")
            << Pieces{rectangleShape(0, 0, 1, 1), rectangleShape(3, 0, 2, 0.5)} << QList<int>{1, 0};
    }

    void order()
    {
        QFETCH(Pieces, pieces);
        QTEST(nestingOrder(pieces), "order");
    }

    void errors_data()
    {
        QTest::addColumn<Shape>("piece");
        QTest::addColumn<QString>("message");
        QTest::newRow("too large in every rotation")
            << rectangleShape(0, 0, 2.1, 0.5) << QString::fromUtf8(engineerrors::pieceDoesNotFit);
        // Below the kernel's area floor it keeps its outline but loses its
        // geometry on every move, so no position can be tested.
        Shape sliver;
        sliver.polygons = {{QPolygonF{QPointF(0, 0), QPointF(2e-4, 0), QPointF(2e-4, 2e-4),
                                      QPointF(0, 2e-4), QPointF(0, 0)}}};
        sliver.rings = sliver.polygons.first();
        sliver.bounds = QRectF(0, 0, 2e-4, 2e-4);
        QTest::newRow("no position even on a new sheet")
            << sliver << QString::fromUtf8(engineerrors::pieceNotPlaced);
    }

    void errors()
    {
        QFETCH(Shape, piece);
        QTEST(thrownMessage([&] { nestCutPieces({piece}, 2.0, 1.2); }), "message");
    }

    // What every plan must satisfy, on drawings of the kinds met in use.
    void planInvariants_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("gap");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("room") << testing::roomWithCurvedWall() << 0.003 << false;
        QTest::newRow("room, vertical") << testing::roomWithCurvedWall() << 0.003 << true;
        QTest::newRow("L floor with a column") << testing::lFloorWithColumn() << 0.003 << false;
        QTest::newRow("wave hall") << testing::waveHall(400) << 0.0 << true;
    }

    void planInvariants()
    {
        QFETCH(Shape, outline);
        QFETCH(double, gap);
        QFETCH(bool, vertical);
        const double w = vertical ? 1.22 : 2.44;
        const double h = vertical ? 2.44 : 1.22;
        for (bool corner : {false, true}) {
            const CuttingPlan plan = computeCuttingPlan(outline, w, h, gap, corner, corner);
            QCOMPARE(findNestingFault(plan), NestingFault::None);
            const int cutPieces = int(plan.cells.size()) - plan.wholeSheetCount;
            QList<int> placedCount(cutPieces, 0);
            for (int s = 0; s < plan.sheets.size(); ++s) {
                const CuttingSheet &sheet = plan.sheets[s];
                QVERIFY(!sheet.placements.isEmpty());
                double used = 0.0;
                for (const PiecePlacement &placement : sheet.placements) {
                    QCOMPARE(placement.sheetIndex, s);
                    ++placedCount[placement.pieceIndex];
                    for (const GridCell &cell : plan.cells) {
                        if (cell.pieceIndex == placement.pieceIndex)
                            used += cell.shape.area;
                    }
                }
                QVERIFY(qAbs(sheet.usedArea - used) < 1e-9);
            }
            QCOMPARE(placedCount, QList<int>(cutPieces, 1));
        }
    }
};

QTEST_GUILESS_MAIN(NestingTest)
#include "tst_engine_nesting.moc"
