// The thorough nesting: never more cutting sheets than the standard one,
// fewer where a greedy pass is known to waste one, the same plan whatever
// the threads, and sound sheets from both nestings. Its cancel is tested
// with the standard nesting's in tst_engine_control.

#include "engineshapes.h"

#include "engine/cuttingplanner.h"
#include "engine/cuttingsheetbound.h"
#include "engine/layoutsearch.h"
#include "engine/internal/nesting.h"
#include "engine/plancheck.h"
#include "engine/thoroughnesting.h"

#include <QTest>

#include <cmath>
#include <numbers>

using namespace tallero;
using testing::planFingerprint;

namespace {

// Every piece on exactly one sheet, each placement naming its sheet, no
// sheet empty, each sheet's used area the sum of its pieces' `areas` (by
// piece index), and the nesting check content.
void verifySound(const CuttingPlan &plan, const QList<double> &areas)
{
    QList<int> seen(areas.size(), 0);
    for (int s = 0; s < plan.sheets.size(); ++s) {
        QVERIFY(!plan.sheets[s].placements.isEmpty());
        double used = 0.0;
        for (const PiecePlacement &p : plan.sheets[s].placements) {
            QCOMPARE(p.sheetIndex, s);
            QVERIFY(p.pieceIndex >= 0 && p.pieceIndex < areas.size());
            ++seen[p.pieceIndex];
            used += areas[p.pieceIndex];
        }
        QVERIFY(qAbs(plan.sheets[s].usedArea - used) < 1e-9);
    }
    QVERIFY(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; }));
    QCOMPARE(findNestingFault(plan), NestingFault::None);
}

// The lower bound holds on real packings: the pieces of each sheet need
// one sheet by it, and all of them no more sheets than the plan has.
void verifyBoundHolds(const CuttingPlan &plan)
{
    QList<Shape> all;
    for (const CuttingSheet &sheet : plan.sheets) {
        QList<Shape> pieces;
        for (const PiecePlacement &p : sheet.placements)
            pieces.append(p.shape);
        QCOMPARE(rectangleSheetBound(pieces, plan.sheetWidth, plan.sheetHeight), 1);
        all.append(pieces);
    }
    QVERIFY(rectangleSheetBound(all, plan.sheetWidth, plan.sheetHeight) <= plan.sheets.size());
}

// The area of every cut piece of a plan, by piece index.
QList<double> cutPieceAreas(const CuttingPlan &plan)
{
    QList<double> areas(cutPieceCount(plan), 0.0);
    for (const GridCell &cell : plan.cells) {
        if (!cell.whole)
            areas[cell.pieceIndex] = cell.shape.area;
    }
    return areas;
}

// A room with its far wall bowed out by `sagitta`.
Shape bowedRoom(double width, double depth, double sagitta)
{
    QPolygonF ring{QPointF(0.0, 0.0), QPointF(width, 0.0)};
    const double radius = ((width / 2) * (width / 2) + sagitta * sagitta) / (2 * sagitta);
    const double cy = depth + sagitta - radius;
    const double half = std::asin((width / 2) / radius);
    for (int i = 0; i <= 40; ++i) {
        const double a = std::numbers::pi / 2 - half + 2 * half * i / 40;
        ring << QPointF(width / 2 + radius * std::cos(a), cy + radius * std::sin(a));
    }
    ring << QPointF(0.0, 0.0);
    return shapeFromPolygon({ring});
}

// A semicircular room `width` across.
Shape halfRound(double width)
{
    QPolygonF ring{QPointF(0.0, 0.0), QPointF(width, 0.0)};
    for (int i = 1; i < 72; ++i) {
        const double a = std::numbers::pi * i / 72;
        ring << QPointF(width / 2 * (1 + std::cos(a)), width / 2 * std::sin(a));
    }
    ring << QPointF(0.0, 0.0);
    return shapeFromPolygon({ring});
}

Shape lShape(double a, double b, double c, double d)
{
    const QPolygonF ring{QPointF(0, 0),         QPointF(a, 0),     QPointF(a, b - d),
                         QPointF(a - c, b - d), QPointF(a - c, b), QPointF(0, b),
                         QPointF(0, 0)};
    return shapeFromPolygon({ring});
}

} // namespace

class EngineThoroughTest : public QObject
{
    Q_OBJECT

private slots:
    // Piece sets on which the greedy pass opens a sheet more than needed
    // (strips whose widths add up to whole sheets only in other pairings),
    // and standard packings that already meet the lower bound, which the
    // search returns at once although the area bound alone would have sent
    // it looking.
    void packings_data()
    {
        QTest::addColumn<QList<QSizeF>>("sizes");
        QTest::addColumn<int>("standardSheets");
        QTest::addColumn<int>("thoroughSheets");
        QTest::addColumn<bool>("atLowerBound");
        QTest::newRow("full-height strips")
            << QList<QSizeF>{{0.9, 1.2}, {0.9, 1.2}, {0.7, 1.2}, {0.6, 1.2}, {0.5, 1.2}, {0.4, 1.2}} << 3 << 2 << false;
        QTest::newRow("full-width strips")
            << QList<QSizeF>{{2.0, 0.55}, {2.0, 0.5}, {2.0, 0.45}, {2.0, 0.35}, {2.0, 0.35}, {2.0, 0.2}} << 3 << 2
            << false;
        // No two share a sheet by area.
        QTest::newRow("three over half") << QList<QSizeF>{{1.3, 1.0}, {1.3, 1.0}, {1.3, 1.0}} << 3 << 3 << true;
        // The 0.6 x 1.1 piece (0.275 of the sheet) fits beside neither
        // 1.5 x 1.2 piece (0.75) by area.
        QTest::newRow("small beside neither") << QList<QSizeF>{{1.5, 1.2}, {1.5, 1.2}, {0.6, 1.1}} << 3 << 3 << true;
        // Full-height strips, two to a sheet: three are wider than it.
        QTest::newRow("five full-height strips") << QList<QSizeF>(5, QSizeF(0.7, 1.2)) << 3 << 3 << true;
    }

    void packings()
    {
        QFETCH(QList<QSizeF>, sizes);
        QFETCH(int, standardSheets);
        QFETCH(int, thoroughSheets);
        QFETCH(bool, atLowerBound);
        const QList<Shape> pieces = testing::rectanglePieces(sizes);
        const QList<CuttingSheet> standard = nestCutPieces(pieces, 2.0, 1.2);
        QCOMPARE(standard.size(), standardSheets);
        ThoroughNestingReport report;
        CuttingPlan plan;
        plan.sheetWidth = 2.0;
        plan.sheetHeight = 1.2;
        plan.sheets = nestCutPiecesThoroughly(pieces, 2.0, 1.2, standard, {}, &report);
        QCOMPARE(plan.sheets.size(), thoroughSheets);
        QCOMPARE(report.sheets, thoroughSheets);
        QCOMPARE(report.standardSheets, standardSheets);
        if (atLowerBound) {
            QCOMPARE(report.lowerBound, thoroughSheets);
            QCOMPARE(report.searchesUsed, 0);
        }
        verifySound(plan, pieceAreas(pieces));
    }

    // On every layout of many floors both plans are sound, and the thorough
    // plan has at most the standard plan's cutting sheets and keeps the
    // standard packing itself when it found none with fewer.
    void neverWorseThanStandard_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("g");
        const QList<QPair<double, double>> rooms{{5.3, 3.9}, {6.7, 4.45}, {7.9, 5.6}, {4.1, 3.3}};
        for (const auto &[width, depth] : rooms) {
            QTest::addRow("room %.2f x %.2f", width, depth)
                << rectangleShape(0, 0, width, depth) << 2.44 << 1.22 << 0.003;
            QTest::addRow("bowed room %.2f x %.2f", width, depth)
                << bowedRoom(width, depth, 0.5) << 2.0 << 1.2 << 0.0;
        }
        QTest::newRow("L 9.1 x 7.3") << lShape(9.1, 7.3, 4.2, 3.1) << 2.44 << 1.22 << 0.003;
        QTest::newRow("L 6.6 x 5.9") << lShape(6.6, 5.9, 2.7, 2.2) << 2.0 << 1.2 << 0.0;
        QTest::newRow("L with column") << testing::lFloorWithColumn() << 2.44 << 1.22 << 0.003;
        QTest::newRow("curved wall") << testing::roomWithCurvedWall() << 2.0 << 1.2 << 0.0;
        // Surveyed coordinates, far from the origin.
        QTest::newRow("far bowed room")
            << *translatedShape(bowedRoom(6.7, 4.45, 0.5), 451230.0, 4470815.0) << 2.0 << 1.2 << 0.0;
        // Here the thorough nesting saves a sheet on some layouts, so the
        // packings it builds itself are checked too.
        QTest::newRow("half-round room") << halfRound(9.0) << 2.0 << 1.2 << 0.0;
    }

    void neverWorseThanStandard()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, g);
        int saved = 0;
        for (const LayoutChoice &choice : layoutChoices()) {
            const double lw = choice.vertical ? h : w;
            const double lh = choice.vertical ? w : h;
            const CuttingPlan standard =
                computeCuttingPlan(outline, lw, lh, g, choice.right, choice.top, PlanControl{},
                                   NestingMode::Standard);
            const CuttingPlan thorough =
                computeCuttingPlan(outline, lw, lh, g, choice.right, choice.top, PlanControl{},
                                   NestingMode::Thorough);
            QCOMPARE(thorough.nesting, NestingMode::Thorough);
            QCOMPARE(standard.nesting, NestingMode::Standard);
            QCOMPARE(thorough.wholeSheetCount, standard.wholeSheetCount);
            QVERIFY2(thorough.sheets.size() <= standard.sheets.size(),
                     qPrintable(layoutChoiceName(choice)));
            if (thorough.sheets.size() == standard.sheets.size())
                QCOMPARE(planFingerprint(thorough), planFingerprint(standard));
            saved += int(standard.sheets.size() - thorough.sheets.size());
            verifySound(standard, cutPieceAreas(standard));
            verifySound(thorough, cutPieceAreas(thorough));
            verifyBoundHolds(standard);
            verifyBoundHolds(thorough);
        }
        if (QByteArray(QTest::currentDataTag()) == "half-round room")
            QVERIFY(saved > 0);
    }

    // Same inputs, same plan: run twice, and on one and on two threads.
    void deterministicWhateverTheThreads_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("g");
        QTest::newRow("curved wall") << testing::roomWithCurvedWall() << 2.44 << 1.22 << 0.003;
        QTest::newRow("L with column") << testing::lFloorWithColumn() << 2.0 << 1.2 << 0.0;
        QTest::newRow("bowed room") << bowedRoom(7.9, 5.6, 0.5) << 2.0 << 1.2 << 0.0;
    }

    void deterministicWhateverTheThreads()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, g);
        const LayoutSearchResult standard =
            searchBestLayout(outline, w, h, g, PlanControl{}, 2, NestingMode::Standard);
        QString first;
        for (int threads : {1, 2, 1, 2}) {
            const LayoutSearchResult result =
                searchBestLayout(outline, w, h, g, PlanControl{}, threads, NestingMode::Thorough);
            QVERIFY(result.best.has_value());
            QVERIFY(!isBetterPlan(*standard.best, *result.best));
            QCOMPARE(findNestingFault(*result.best), NestingFault::None);
            const QString print = layoutChoiceName(result.winner) + planFingerprint(*result.best);
            if (first.isEmpty()) {
                first = print;
                // Recalculating the winning layout gives the plan Optimise
                // chose.
                const LayoutChoice &c = result.winner;
                const CuttingPlan again =
                    computeCuttingPlan(outline, c.vertical ? h : w, c.vertical ? w : h, g, c.right,
                                       c.top, PlanControl{}, NestingMode::Thorough);
                QCOMPARE(planFingerprint(again), planFingerprint(*result.best));
            }
            QCOMPARE(print, first);
        }
    }
};

QTEST_GUILESS_MAIN(EngineThoroughTest)
#include "tst_engine_thorough.moc"
