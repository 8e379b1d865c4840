#include "engine/cuttingplanner.h"
#include "engine/engineerrors.h"
#include "engine/layoutsearch.h"
#include "geometry/shapecopy.h"
#include "engineshapes.h"

#include <QtTest>

#include <thread>

using namespace tallero;

Q_DECLARE_METATYPE(tallero::Shape)

namespace {

// Everything a plan buys and where every piece goes, to the nanometre.
QString fingerprint(const CuttingPlan &plan)
{
    QStringList parts{QStringLiteral("%1 whole, origin %2 %3")
                          .arg(plan.wholeSheetCount)
                          .arg(plan.originX, 0, 'f', 9)
                          .arg(plan.originY, 0, 'f', 9)};
    for (const GridCell &cell : plan.cells) {
        parts << QStringLiteral("cell %1,%2 %3 %4").arg(cell.column).arg(cell.row)
                     .arg(cell.pieceIndex).arg(cell.shape.area, 0, 'f', 12);
    }
    for (const CuttingSheet &sheet : plan.sheets) {
        for (const PiecePlacement &p : sheet.placements) {
            parts << QStringLiteral("piece %1 at %2 %3 turned %4")
                         .arg(p.pieceIndex).arg(p.x, 0, 'f', 9).arg(p.y, 0, 'f', 9).arg(p.angle);
        }
        parts << QStringLiteral("sheet");
    }
    return parts.join(u'\n');
}

QString fingerprint(const LayoutSearchResult &result)
{
    QStringList parts;
    for (const LayoutFailure &failure : result.failures)
        parts << layoutChoiceName(failure.choice) + QStringLiteral(": ") + failure.message;
    if (result.best)
        parts << layoutChoiceName(result.winner) << fingerprint(*result.best);
    return parts.join(u'\n');
}

QString engineError(const std::function<void()> &call)
{
    try {
        call();
    } catch (const std::runtime_error &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
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

} // namespace

class EngineControlTest : public QObject
{
    Q_OBJECT

private slots:
    // A token cancelled at the n-th check stops the plan there: the engine
    // asks no more after it, and nothing the caller gave changes.
    void cancelledPlanStopsAtOnce_data()
    {
        QTest::addColumn<double>("at");   // fraction of the checks of a full plan
        QTest::newRow("before any work") << 0.0;
        QTest::newRow("during the grid walk") << 0.02;
        QTest::newRow("while nesting") << 0.6;
        QTest::newRow("at the last check") << 1.0;
    }

    void cancelledPlanStopsAtOnce()
    {
        QFETCH(double, at);
        const Shape outline = testing::lFloorWithColumn();
        const QString before = fingerprint(computeCuttingPlan(outline, 2.44, 1.22, 0.003, true, false));

        PlanControl counting;
        QList<double> fractions;
        counting.progress = [&](const PlanProgress &progress) { fractions << progress.fraction; };
        QCOMPARE(fingerprint(computeCuttingPlan(outline, 2.44, 1.22, 0.003, true, false, counting)),
                 before);
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.last(), 1.0);
        const quint64 total = counting.token.checks();
        QVERIFY(total > 20);

        PlanControl control;
        const quint64 n = qBound<quint64>(1, quint64(at * total), total);
        control.token.cancelAtCheck(n);
        bool cancelled = false;
        try {
            computeCuttingPlan(outline, 2.44, 1.22, 0.003, true, false, control);
        } catch (const PlanCancelled &) {
            cancelled = true;
        }
        QVERIFY(cancelled);
        QCOMPARE(control.token.checks(), n);
        QCOMPARE(fingerprint(computeCuttingPlan(outline, 2.44, 1.22, 0.003, true, false)), before);
    }

    // A cancelled search ends as cancelled, never as eight engine errors; an
    // engine error with a live token stays an error.
    void cancelIsNotAnEngineError()
    {
        for (int threads : {1, 2}) {
            PlanControl control;
            control.token.cancelAtCheck(50);
            bool cancelled = false;
            try {
                searchBestLayout(testing::roomWithCurvedWall(), 2.44, 1.22, 0.003, control, threads);
            } catch (const PlanCancelled &) {
                cancelled = true;
            }
            QVERIFY(cancelled);
            // Each thread stops at its first check after the cancel.
            QVERIFY(control.token.checks() <= quint64(50 + threads - 1));
        }
        const LayoutSearchResult failed =
            searchBestLayout(testing::roomWithCurvedWall(), 2.44, 1.22, -0.01, PlanControl{}, 2);
        QCOMPARE(failed.failures.size(), 8);
    }

    // The winner, its plan, the ties and the failures do not depend on how
    // many threads search.
    void parallelSearchEqualsSerial_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("g");
        QTest::newRow("curved wall") << testing::roomWithCurvedWall() << 2.44 << 1.22 << 0.003;
        QTest::newRow("L floor with column") << testing::lFloorWithColumn() << 2.0 << 1.2 << 0.0;
        QTest::newRow("complete tie") << rectangleShape(0, 0, 0.5, 0.5) << 2.0 << 1.2 << 0.0;
        // Laid horizontally, 82 slivers share a sheet; vertically, 164 would,
        // and those four layouts are refused.
        QTest::newRow("half the layouts fail") << rectangleShape(0, 0, 200, 0.001) << 2.44 << 1.22 << 0.003;
        QTest::newRow("every layout fails") << rectangleShape(0, 0, 3, 3) << 2.0 << 1.2 << -0.01;
    }

    void parallelSearchEqualsSerial()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, g);
        const LayoutSearchResult serialResult = searchBestLayout(outline, w, h, g, PlanControl{}, 1);
        if (QByteArray(QTest::currentDataTag()) == "half the layouts fail")
            QCOMPARE(serialResult.failures.size(), 4);
        const QString serial = fingerprint(serialResult);
        for (int threads : {2, 3, 8}) {
            QList<double> fractions;
            PlanControl control;
            control.progress = [&](const PlanProgress &p) { fractions << p.fraction; };
            QCOMPARE(fingerprint(searchBestLayout(outline, w, h, g, control, threads)), serial);
            QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        }
    }

    // Two plans computed at once on two threads, each from its own copy,
    // are the plans computed one after the other; they are released on this
    // thread, not the one that made them.
    void twoThreadsAtOnce()
    {
        const Shape outlines[2] = {testing::roomWithCurvedWall(), testing::lFloorWithColumn()};
        QString serial[2];
        for (int i = 0; i < 2; ++i)
            serial[i] = fingerprint(computeCuttingPlan(outlines[i], 2.44, 1.22, 0.003, false, true));
        for (int round = 0; round < 3; ++round) {
            std::optional<CuttingPlan> plans[2];
            std::optional<Shape> copies[2] = {independentCopy(outlines[0]), independentCopy(outlines[1])};
            QVERIFY(copies[0] && copies[1]);
            std::thread threads[2];
            for (int i = 0; i < 2; ++i) {
                threads[i] = std::thread([&, i] {
                    plans[i] = computeCuttingPlan(*copies[i], 2.44, 1.22, 0.003, false, true);
                });
            }
            for (std::thread &thread : threads)
                thread.join();
            for (int i = 0; i < 2; ++i)
                QCOMPARE(fingerprint(*plans[i]), serial[i]);
        }
    }

    // Work no real floor causes is refused with its reason before the
    // nesting starts: too many cut pieces before the grid walk clips
    // anything (one check, the first), crowded sheets after the walk.
    void boundedWorkIsRefused_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("maximumChecks");
        const QString crowded = QString::fromUtf8(engineerrors::cutPiecesTooSmall);
        const QString tooMany = QString::fromUtf8(engineerrors::tooManyCutPieces);
        const QString grid = QString::fromUtf8(engineerrors::gridTooLarge);
        // One check per grid position and none for nesting: 410 and 819
        // positions.
        QTest::newRow("1000 m x 1 mm strip") << rectangleShape(0, 0, 1000, 0.001) << 2.44 << 1.22 << crowded << 500.0;
        QTest::newRow("2000 m x 1 mm strip") << rectangleShape(0, 0, 2000, 0.001) << 2.44 << 1.22 << crowded << 900.0;
        QTest::newRow("0.0001 x 5 m sheets on a curved room") << testing::roomWithCurvedWall() << 0.0001 << 5.0 << tooMany << 1.0;
        QTest::newRow("0.001 x 5 m sheets on a curved room") << testing::roomWithCurvedWall() << 0.001 << 5.0 << tooMany << 1.0;
        QTest::newRow("5 x 0.0001 m sheets on a curved room") << testing::roomWithCurvedWall() << 5.0 << 0.0001 << tooMany << 1.0;
        QTest::newRow("room riddled with holes") << riddledRoom() << 0.6 << 0.6 << tooMany << 1.0;
        // A 6 x 4 m room drawn in millimetres, sheets typed in metres.
        QTest::newRow("millimetre drawing") << rectangleShape(0, 0, 6000, 4000) << 2.44 << 1.22 << grid << 1.0;
        QTest::newRow("millimetre sheet") << testing::rectangleOutline(40.0, 25.0) << 0.001 << 0.001 << grid << 1.0;
        // A 1 x 0.6 m object drawn in millimetres: 200,000 positions, under
        // the bound on any grid, over the largest real floor's.
        const QString units = QString::fromUtf8(engineerrors::gridLargerThanAnyFloor);
        QTest::newRow("1000 x 600 units with sheets in metres") << rectangleShape(0, 0, 1000, 600) << 2.44 << 1.22 << units << 1.0;
        QTest::newRow("1000 x 600 units, 2.0 x 1.2 m sheets") << rectangleShape(0, 0, 1000, 600) << 2.0 << 1.2 << units << 1.0;
    }

    void boundedWorkIsRefused()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(QString, message);
        QFETCH(double, maximumChecks);
        const PlanControl control;
        QCOMPARE(engineError([&] { computeCuttingPlan(outline, w, h, 0.0, false, false, control); }),
                 message);
        QVERIFY2(double(control.token.checks()) <= maximumChecks,
                 qPrintable(QString::number(control.token.checks())));
    }
};

QTEST_GUILESS_MAIN(EngineControlTest)
#include "tst_engine_control.moc"
