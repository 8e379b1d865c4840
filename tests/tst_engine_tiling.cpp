#include "engine/engineerrors.h"
#include "engine/cuttingplanner.h"
#include "geometry/shapeops.h"
#include "engineshapes.h"
#include "testsupport.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace tallero;
using testing::thrownMessage;

Q_DECLARE_METATYPE(tallero::Shape)

namespace {

// "column,row:width x height" of each cut cell, in grid order, to the
// millimetre.
QStringList cutCells(const CuttingPlan &plan)
{
    QStringList cells;
    for (const GridCell &cell : plan.cells) {
        if (!cell.whole) {
            cells << QStringLiteral("%1,%2:%3x%4")
                         .arg(cell.column)
                         .arg(cell.row)
                         .arg(cell.shape.bounds.width(), 0, 'f', 3)
                         .arg(cell.shape.bounds.height(), 0, 'f', 3);
        }
    }
    return cells;
}

QStringList wholeCells(const CuttingPlan &plan)
{
    QStringList cells;
    for (const GridCell &cell : plan.cells) {
        if (cell.whole)
            cells << QStringLiteral("%1,%2").arg(cell.column).arg(cell.row);
    }
    return cells;
}

// Every cell a plain walk would record, clipping each grid position with the
// engine, as "column,row" -> clipped shape.
QMap<QPair<int, int>, Shape> plainClips(const Shape &outline, const CuttingPlan &plan)
{
    QMap<QPair<int, int>, Shape> clips;
    const double stepX = plan.sheetWidth + plan.gap;
    const double stepY = plan.sheetHeight + plan.gap;
    int column = 0;
    for (double x = plan.originX; outline.bounds.right() - 1e-7 > x; x += stepX, ++column) {
        int row = 0;
        for (double y = plan.originY; outline.bounds.bottom() - 1e-7 > y; y += stepY, ++row) {
            const Shape clip = intersectShapes(
                outline, rectangleShape(x, y, plan.sheetWidth, plan.sheetHeight)).value();
            if (isNonEmpty(clip))
                clips.insert({column, row}, clip);
        }
    }
    return clips;
}

// A 40 x 25 m room pierced every half metre by a 0.1 m square hole.
Shape riddledRoom()
{
    Polygon room{QPolygonF(QRectF(0, 0, 40, 25))};
    for (double x = 0.2; x < 39.8; x += 0.5) {
        for (double y = 0.2; y < 24.8; y += 0.5)
            room.append(QPolygonF(QRectF(x, y, 0.1, 0.1)));
    }
    return shapeFromPolygons({room});
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

} // namespace

class TilingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void rectangleGrid_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("top");
        QTest::addColumn<double>("originX");
        QTest::addColumn<double>("originY");
        QTest::addColumn<QStringList>("whole");
        QTest::addColumn<QStringList>("cut");
        QTest::addColumn<QString>("label");
        QTest::newRow("bottom left") << false << false << 0.0 << 0.0
                                     << QStringList{"0,0", "0,1", "1,0", "1,1"}
                                     << QStringList{"0,2:2.000x0.600", "1,2:2.000x0.600",
                                                    "2,0:1.000x1.200", "2,1:1.000x1.200",
                                                    "2,2:1.000x0.600"}
                                     << "INFERIOR IZQUIERDA";
        QTest::newRow("top right") << true << true << -1.0 << -0.6
                                   << QStringList{"1,1", "1,2", "2,1", "2,2"}
                                   << QStringList{"0,0:1.000x0.600", "0,1:1.000x1.200",
                                                  "0,2:1.000x1.200", "1,0:2.000x0.600",
                                                  "2,0:2.000x0.600"}
                                   << "SUPERIOR DERECHA";
    }

    void rectangleGrid()
    {
        QFETCH(bool, right);
        QFETCH(bool, top);
        QFETCH(double, originX);
        QFETCH(double, originY);
        const CuttingPlan plan =
            computeCuttingPlan(testing::rectangleOutline(5.0, 3.0), 2.0, 1.2, 0.0, right, top);
        QVERIFY(qAbs(plan.originX - originX) < 1e-12);
        QVERIFY(qAbs(plan.originY - originY) < 1e-12);
        QCOMPARE(plan.cells.size(), 9);
        QCOMPARE(plan.wholeSheetCount, 4);
        QFETCH(QStringList, whole);
        QCOMPARE(wholeCells(plan), whole);
        QFETCH(QStringList, cut);
        QCOMPARE(cutCells(plan), cut);
        QFETCH(QString, label);
        QCOMPARE(plan.startLabel, label);
        int pieceIndex = 0;
        for (const GridCell &cell : plan.cells) {
            if (!cell.whole)
                QCOMPARE(cell.pieceIndex, pieceIndex++);
        }
    }

    // The grid stops at the far edge: the clearance strip between two whole
    // columns stays uncovered, and a grid line within 1e-7 of the edge opens
    // no sliver column, while one just beyond that does. Clipping noise up
    // to 1e-6 m² does not make a whole sheet a cut piece.
    void farEdgeAndSlack_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("gap");
        QTest::addColumn<int>("cells");
        QTest::addColumn<int>("whole");
        QTest::addColumn<double>("covered");
        QTest::newRow("clearance strip") << testing::rectangleOutline(4.1, 1.2) << 0.1 << 2 << 2 << 4.8;
        QTest::newRow("grid line 5e-8 short of the edge")
            << testing::rectangleOutline(4.0 + 5e-8, 1.2) << 0.0 << 2 << 2 << 4.8;
        QTest::newRow("grid line 3e-7 short of the edge")
            << testing::rectangleOutline(4.0 + 3e-7, 1.2) << 0.0 << 3 << 2 << 4.8 + 3.6e-7;
        // One sheet with a square hole of the missing area.
        const auto holed = [](double missingArea) {
            const double side = std::sqrt(missingArea);
            return shapeFromPolygon({QPolygonF(QRectF(0, 0, 2, 1.2)), QPolygonF(QRectF(1, 0.6, side, side))});
        };
        QTest::newRow("5e-7 missing") << holed(5e-7) << 0.0 << 1 << 1 << 2.4 - 5e-7;
        QTest::newRow("2e-6 missing") << holed(2e-6) << 0.0 << 1 << 0 << 2.4 - 2e-6;
    }

    void farEdgeAndSlack()
    {
        QFETCH(Shape, outline);
        QFETCH(double, gap);
        const CuttingPlan plan = computeCuttingPlan(outline, 2.0, 1.2, gap, false, false);
        QFETCH(int, cells);
        QCOMPARE(plan.cells.size(), cells);
        QFETCH(int, whole);
        QCOMPARE(plan.wholeSheetCount, whole);
        int wholeCells = 0;
        double coveredArea = 0.0;
        for (const GridCell &cell : plan.cells) {
            wholeCells += cell.whole;
            coveredArea += cell.shape.area;
        }
        QCOMPARE(wholeCells, whole);
        QFETCH(double, covered);
        QVERIFY(qAbs(coveredArea - covered) < 1e-9);
    }

    // A cell met by only 1e-8 m² of the outline is no cell, yet the row count
    // moves past it.
    void cornerTouchKeepsRowCount()
    {
        const double side = 1e-4;
        const QPolygonF lower{QPointF(0, 0), QPointF(2, 0), QPointF(2, 1.2), QPointF(0, 1.2)};
        const QPolygonF tooth{QPointF(0, 2.4 - side), QPointF(side, 2.4 - side),
                              QPointF(side, 3.4), QPointF(0, 3.4)};
        const Shape outline = shapeFromPolygons({{lower}, {tooth}});
        const CuttingPlan plan = computeCuttingPlan(outline, 2.0, 1.2, 0.0, false, false);
        QCOMPARE(plan.cells.size(), 2);
        QCOMPARE(plan.cells[0].row, 0);
        QVERIFY(plan.cells[0].whole);
        QCOMPARE(plan.cells[1].row, 2);
        QVERIFY(!plan.cells[1].whole);
    }

    // Work no plan can come from is refused with its reason before it
    // starts. At the first check, before any clipping: sheet measures that
    // are none, an outline with no area or no finite bounds, a sheet size in
    // the wrong unit, which would make the grid walk run for hours (or, for
    // a large coordinate that a small step cannot move, for ever), and more
    // cut pieces than any real floor has. After the grid walk, before the
    // nesting: pieces so small that too many would share a sheet.
    void refusedBeforeWork_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("g");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("top");
        QTest::addColumn<QString>("message");
        QTest::addColumn<quint64>("checks");   // at most
        const auto row = [](const char *name, const Shape &outline, double w, double h, const char *message,
                            double g = 0.0, bool right = false, bool top = false, quint64 checks = 1) {
            QTest::newRow(name) << outline << w << h << g << right << top << QString::fromUtf8(message) << checks;
        };
        const Shape room = testing::rectangleOutline(5.0, 3.0);
        const char *measures = engineerrors::invalidSheetMeasures;
        row("zero width", room, 0.0, 1.2, measures);
        row("negative height", room, 2.0, -1.2, measures);
        row("negative clearance", room, 2.0, 1.2, measures, -0.01);
        row("NaN width", room, notANumber, 1.2, measures);
        row("infinite height", room, 2.0, infinity, measures);
        row("NaN clearance", room, 2.0, 1.2, measures, notANumber);
        row("infinite clearance", room, 2.0, 1.2, measures, infinity);
        row("step overflows", room, 1.7e308, 1.2, measures, 1.7e308);

        Shape unbounded = room;
        unbounded.bounds.setRight(infinity);
        const Shape sliver =
            shapeFromPolygon({QPolygonF{QPointF(0, 0), QPointF(5, 0), QPointF(5, 5e-8), QPointF(0, 5e-8)}});
        row("empty outline", Shape{}, 2.0, 1.2, engineerrors::invalidOutline);
        row("sliver outline", sliver, 2.0, 1.2, engineerrors::invalidOutline);
        row("infinite bounds", unbounded, 2.0, 1.2, engineerrors::invalidOutline);

        const Shape hall = testing::rectangleOutline(40.0, 25.0);
        const char *grid = engineerrors::gridTooLarge;
        row("millimetre sheet", hall, 0.001, 0.001, grid);
        row("millimetre sheet, top right", hall, 0.001, 0.001, grid, 0.0, true, true);
        row("step of 1e-300", hall, 1e-300, 1e-300, grid, 0.0, true, false);
        row("millimetre sheet, far from the origin", rectangleShape(1e15, 0.0, 40.0, 25.0), 0.001, 0.001, grid);
        // A 1 x 0.6 m object drawn in millimetres: 200,000 positions, under
        // the bound on any grid, over the largest real floor's.
        row("1000 x 600 units with sheets in metres", rectangleShape(0, 0, 1000, 600), 2.44, 1.22,
            engineerrors::gridLargerThanAnyFloor);

        const char *tooMany = engineerrors::tooManyCutPieces;
        row("0.0001 x 5 m sheets on a curved room", testing::roomWithCurvedWall(), 0.0001, 5.0, tooMany);
        row("5 x 0.0001 m sheets on a curved room", testing::roomWithCurvedWall(), 5.0, 0.0001, tooMany);
        row("room riddled with holes", riddledRoom(), 0.6, 0.6, tooMany);
        // One check per grid position and none for nesting: 410 and 819
        // positions.
        const char *crowded = engineerrors::cutPiecesTooSmall;
        row("1000 m x 1 mm strip", rectangleShape(0, 0, 1000, 0.001), 2.44, 1.22, crowded, 0.0, false, false, 500);
        row("2000 m x 1 mm strip", rectangleShape(0, 0, 2000, 0.001), 2.44, 1.22, crowded, 0.0, false, false, 900);
    }

    void refusedBeforeWork()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, g);
        QFETCH(bool, right);
        QFETCH(bool, top);
        QFETCH(quint64, checks);
        // The token counts the checkpoints passed: one before the inputs are
        // looked at, and one more for every grid position walked.
        const PlanControl control;
        QTEST(thrownMessage([&] { computeCuttingPlan(outline, w, h, g, right, top, control); }), "message");
        QVERIFY2(control.token.checks() <= checks, qPrintable(QString::number(control.token.checks())));
    }

    // Cells wholly inside or outside the outline are decided without
    // clipping; the plan must hold exactly the cells that clipping every
    // position gives: the same positions, the same whole/cut split, cut
    // pieces identical to the clip and whole cells the same rectangle.
    void cellsMatchPlainClipping_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("gap");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("top");
        QTest::newRow("room") << testing::roomWithCurvedWall() << 0.0 << false << false;
        QTest::newRow("L floor with column, top right")
            << testing::lFloorWithColumn() << 0.003 << true << true;
        QTest::newRow("wave hall, top left") << testing::waveHall(300) << 0.003 << false << true;
    }

    void cellsMatchPlainClipping()
    {
        QFETCH(Shape, outline);
        QFETCH(double, gap);
        QFETCH(bool, right);
        QFETCH(bool, top);
        const CuttingPlan plan = computeCuttingPlan(outline, 2.44, 1.22, gap, right, top);
        const QMap<QPair<int, int>, Shape> clips = plainClips(outline, plan);
        QCOMPARE(plan.cells.size(), clips.size());
        for (const GridCell &cell : plan.cells) {
            const Shape clip = clips.value({cell.column, cell.row});
            QVERIFY(clip.geometry);
            QCOMPARE(cell.whole, clip.area >= 2.44 * 1.22 - 1e-6);
            QCOMPARE(cell.shape.bounds, clip.bounds);
            QVERIFY(qAbs(cell.shape.area - clip.area) < 1e-12);
            if (!cell.whole)
                QCOMPARE(cell.shape.rings, clip.rings);
        }
    }

    // A clip the engine cannot make (this self-crossing outline makes its
    // overlay fail) used to drop the cell without a word; the plan must
    // stop instead.
    void failedClipIsAnEngineError()
    {
        const Shape bowTie = shapeFromPolygon(
            {QPolygonF{QPointF(0, 0), QPointF(6, 3), QPointF(6, 0), QPointF(0, 2)}});
        QVERIFY(isNonEmpty(bowTie));
        QCOMPARE(thrownMessage([&] { computeCuttingPlan(bowTie, 2.44, 1.22, 0.0, false, false); }),
                 QString::fromUtf8(engineerrors::geometryOperationFailed));
    }

    // A drawing far from the origin gets the plan the same drawing has at
    // the origin, with its cells in its own coordinates; near the origin
    // nothing moves.
    void farDrawingPlansAsAtOrigin_data()
    {
        QTest::addColumn<QPolygonF>("ring");
        QTest::addColumn<QPointF>("offset");
        const QPolygonF lRoom{QPointF(0, 0), QPointF(7.35, 0), QPointF(7.35, 2.8), QPointF(3.1, 2.8),
                              QPointF(3.1, 5.45), QPointF(0, 5.45)};
        const QPolygonF narrowRoom{QPointF(0, 0), QPointF(6.001, 0), QPointF(6.001, 4), QPointF(0, 4)};
        QTest::newRow("L room at UTM coordinates") << lRoom << QPointF(452310, 4412870);
        QTest::newRow("6.001 m room at 3e6") << narrowRoom << QPointF(3e6, 3e6);
        QTest::newRow("6.001 m room at -3e6") << narrowRoom << QPointF(-3e6, -3e6);
        QTest::newRow("L room at 3e8") << lRoom << QPointF(3e8, 3e8);
        QTest::newRow("L room just inside the near range") << lRoom << QPointF(9990, 0);
    }

    void farDrawingPlansAsAtOrigin()
    {
        QFETCH(QPolygonF, ring);
        QFETCH(QPointF, offset);
        const Shape near = shapeFromPolygon({ring});
        const Shape far = shapeFromPolygon({ring.translated(offset)});
        for (bool right : {false, true}) {
            const CuttingPlan atOrigin = computeCuttingPlan(near, 2.0, 1.2, 0.0, right, false);
            const CuttingPlan moved = computeCuttingPlan(far, 2.0, 1.2, 0.0, right, false);
            QCOMPARE(moved.wholeSheetCount, atOrigin.wholeSheetCount);
            QCOMPARE(moved.sheets.size(), atOrigin.sheets.size());
            QCOMPARE(moved.cells.size(), atOrigin.cells.size());
            QVERIFY(qAbs(moved.originX - offset.x() - atOrigin.originX) < 1e-6);
            QVERIFY(qAbs(moved.originY - offset.y() - atOrigin.originY) < 1e-6);
            for (qsizetype k = 0; k < moved.cells.size(); ++k) {
                const QRectF expected = atOrigin.cells[k].shape.bounds.translated(offset);
                const QRectF actual = moved.cells[k].shape.bounds;
                QVERIFY(qAbs(actual.left() - expected.left()) < 1e-6);
                QVERIFY(qAbs(actual.bottom() - expected.bottom()) < 1e-6);
                QVERIFY(qAbs(moved.cells[k].shape.area - atOrigin.cells[k].shape.area) < 1e-6);
            }
            for (qsizetype s = 0; s < moved.sheets.size(); ++s)
                QCOMPARE(moved.sheets[s].placements.size(), atOrigin.sheets[s].placements.size());
        }
    }
};

QTEST_GUILESS_MAIN(TilingTest)
#include "tst_engine_tiling.moc"
