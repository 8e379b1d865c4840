#include "engine/engineerrors.h"
#include "engine/layoutsearch.h"
#include "engine/plancheck.h"
#include "engineshapes.h"
#include "testsupport.h"

#include <QTest>

using namespace tallero;

namespace {

GridCell cutCell(int pieceIndex, double width, double height)
{
    GridCell cell;
    cell.pieceIndex = pieceIndex;
    cell.shape = rectangleShape(0, 0, width, height);
    return cell;
}

GridCell wholeCell()
{
    GridCell cell;
    cell.whole = true;
    cell.shape = rectangleShape(0, 0, 2, 1.2);
    return cell;
}

PiecePlacement placed(int pieceIndex, double x, double y, double w, double h)
{
    PiecePlacement placement;
    placement.pieceIndex = pieceIndex;
    placement.shape = rectangleShape(x, y, w, h);
    placement.x = x;
    placement.y = y;
    return placement;
}

// A plan with the given counts, for the comparison key alone.
CuttingPlan countedPlan(int whole, int cut, int sheets)
{
    CuttingPlan plan;
    plan.wholeSheetCount = whole;
    plan.cells.resize(whole + cut);
    plan.sheets.resize(sheets);
    return plan;
}

} // namespace

class EngineModelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void pieceCodes()
    {
        CuttingPlan plan;
        plan.cells = {wholeCell(), cutCell(0, 0.4004, 0.3), cutCell(1, 0.4, 0.3),
                      cutCell(2, 0.4006, 0.3), wholeCell(), cutCell(3, 0.3, 0.4)};
        CuttingSheet first;
        first.placements = {placed(1, 0, 0, 0.4, 0.3), placed(3, 0.5, 0, 0.3, 0.4)};
        CuttingSheet second;
        second.placements = {placed(0, 0, 0, 0.4, 0.3), placed(2, 0, 0.5, 0.4, 0.3)};
        plan.sheets = {first, second};

        assignPieceCodes(plan);

        QStringList codes;
        QList<int> sheets;
        for (const GridCell &cell : plan.cells) {
            codes << cell.code;
            sheets << cell.sheetIndex;
        }
        // 0.4004 and 0.4 round to the same millimetre, 0.4006 does not, and
        // a turned piece keeps its own code.
        QCOMPARE(codes, (QStringList{"E", "R1", "R1", "R2", "E", "R3"}));
        QCOMPARE(plan.pieceCodes, (QStringList{"R1", "R1", "R2", "R3"}));
        QCOMPARE(sheets, (QList<int>{0, 1, 0, 1, 0, 0}));
    }

    void derivedQuantities()
    {
        CuttingPlan plan = countedPlan(5, 4, 3);
        plan.sheetWidth = 2.0;
        plan.sheetHeight = 1.2;
        for (int i = 0; i < plan.cells.size(); ++i)
            plan.cells[i].shape = rectangleShape(0, 0, 2.0, i < 5 ? 1.2 : 0.6);
        plan.sheets[0].usedArea = 1.8;

        QCOMPARE(totalPurchase(plan), 8);
        QCOMPARE(cutPieceCount(plan), 4);
        QCOMPARE(cuttingSheetNumber(plan, 0), 6);
        QCOMPARE(cuttingSheetNumber(plan, 2), 8);
        QVERIFY(qAbs(sheetEfficiency(plan, 0) - 75.0) < 1e-9);
        QVERIFY(qAbs(sheetWaste(plan, 0) - 25.0) < 1e-9);
        QVERIFY(qAbs(coveredArea(plan) - (5 * 2.4 + 4 * 1.2)) < 1e-9);
        QVERIFY(qAbs(purchasedArea(plan) - 8 * 2.4) < 1e-9);
        QVERIFY(qAbs(overallEfficiency(plan) - 16.8 / 19.2 * 100.0) < 1e-9);
        QVERIFY(qAbs(wasteArea(plan) - 2.4) < 1e-9);

        const CuttingPlan empty;
        QCOMPARE(overallEfficiency(empty), 0.0);
        QCOMPARE(sheetEfficiency(empty, 0), 0.0);
    }

    void betterPlan_data()
    {
        QTest::addColumn<CuttingPlan>("candidate");
        QTest::addColumn<CuttingPlan>("best");
        QTest::addColumn<bool>("better");

        QTest::newRow("smaller purchase") << countedPlan(3, 9, 4) << countedPlan(8, 1, 1) << true;
        QTest::newRow("larger purchase") << countedPlan(8, 1, 1) << countedPlan(3, 9, 4) << false;
        QTest::newRow("same purchase, fewer cutting sheets")
            << countedPlan(8, 3, 2) << countedPlan(7, 3, 3) << true;
        QTest::newRow("same sheets, fewer cut pieces")
            << countedPlan(8, 2, 2) << countedPlan(8, 3, 2) << true;
        QTest::newRow("complete tie keeps the earlier") << countedPlan(8, 3, 2) << countedPlan(8, 3, 2) << false;
    }

    void betterPlan()
    {
        QFETCH(CuttingPlan, candidate);
        QFETCH(CuttingPlan, best);
        QFETCH(bool, better);
        QCOMPARE(isBetterPlan(candidate, best), better);
    }

    void layoutSearchOrderAndTies()
    {
        const QList<LayoutChoice> choices = layoutChoices();
        QStringList names;
        for (const LayoutChoice &choice : choices)
            names << layoutChoiceName(choice);
        QCOMPARE(names, (QStringList{"horizontal bottom-left", "horizontal top-left",
                                     "horizontal bottom-right", "horizontal top-right",
                                     "vertical bottom-left", "vertical top-left",
                                     "vertical bottom-right", "vertical top-right"}));

        // A small square gives one cut piece on one sheet in every layout:
        // the first layout tried stays.
        const Shape square = rectangleShape(0, 0, 0.5, 0.5);
        const LayoutSearchResult tie = searchBestLayout(square, 2.0, 1.2, 0.0);
        QVERIFY(tie.best.has_value());
        QCOMPARE(layoutChoiceName(tie.winner), QStringLiteral("horizontal bottom-left"));
        QCOMPARE(totalPurchase(*tie.best), 1);

        // A 1.2 × 4 strip is exactly two vertical sheets; horizontally it is
        // all cut pieces.
        const LayoutSearchResult strip = searchBestLayout(rectangleShape(0, 0, 1.2, 4.0), 2.0, 1.2, 0.0);
        QVERIFY(strip.best.has_value());
        QVERIFY(strip.winner.vertical);
        QCOMPARE(strip.best->wholeSheetCount, 2);
        QCOMPARE(totalPurchase(*strip.best), 2);
    }

    // A piece outside the sheet or over another is found. An overlap test
    // the engine cannot make proves nothing: the check stops with the
    // engine error instead of answering "no overlap".
    void nestingFaults_data()
    {
        QTest::addColumn<QList<PiecePlacement>>("placements");
        QTest::addColumn<QSizeF>("sheet");
        QTest::addColumn<int>("fault");   // -1: the engine error

        const QSizeF sheet(2.0, 1.2);
        const auto none = int(NestingFault::None);
        const auto outside = int(NestingFault::PieceOutsideSheet);
        const auto overlap = int(NestingFault::PiecesOverlap);
        QTest::newRow("side by side") << QList<PiecePlacement>{placed(0, 0, 0, 1, 1), placed(1, 1, 0, 1, 1)}
                                      << sheet << none;
        QTest::newRow("reaching the edge within 1e-7")
            << QList<PiecePlacement>{placed(0, 1.0 + 5e-8, 0, 1, 1.2)} << sheet << none;
        QTest::newRow("past the right edge") << QList<PiecePlacement>{placed(0, 1.0 + 1e-6, 0, 1, 1)} << sheet << outside;
        QTest::newRow("below the sheet") << QList<PiecePlacement>{placed(0, 0, -1e-6, 1, 1)} << sheet << outside;
        QTest::newRow("overlapping") << QList<PiecePlacement>{placed(0, 0, 0, 1, 1), placed(1, 0.5, 0, 1, 1)}
                                     << sheet << overlap;
        PiecePlacement withoutGeometry;
        withoutGeometry.shape.bounds = QRectF(0, 0, 1, 1);
        QTest::newRow("piece without geometry") << QList<PiecePlacement>{placed(0, 0, 0, 1, 1), withoutGeometry}
                                                << sheet << -1;
        // A self-crossing piece across a rectangle: the engine's overlay
        // fails on it.
        PiecePlacement bowTie;
        bowTie.shape = shapeFromPolygon({QPolygonF{QPointF(0, 0), QPointF(6, 3), QPointF(6, 0), QPointF(0, 2)}});
        QTest::newRow("overlay failure") << QList<PiecePlacement>{bowTie, placed(1, 2.44, 0, 2.44, 1.22)}
                                         << QSizeF(10.0, 10.0) << -1;
    }

    void nestingFaults()
    {
        QFETCH(QList<PiecePlacement>, placements);
        QFETCH(QSizeF, sheet);
        QFETCH(int, fault);
        CuttingPlan plan;
        plan.sheetWidth = sheet.width();
        plan.sheetHeight = sheet.height();
        plan.sheets = {CuttingSheet{}};
        plan.sheets[0].placements = placements;
        if (fault >= 0)
            QCOMPARE(int(findNestingFault(plan)), fault);
        else
            QCOMPARE(testing::thrownMessage([&] { findNestingFault(plan); }),
                     QString::fromUtf8(engineerrors::geometryOperationFailed));
    }
};

QTEST_GUILESS_MAIN(EngineModelTest)
#include "tst_engine_model.moc"
