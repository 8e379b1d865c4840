#include "engine/cuttingplanner.h"
#include "engine/layoutsearch.h"
#include "geometry/shapecopy.h"
#include "engineshapes.h"

#include <QtTest>

#include <thread>

using namespace tallero;

Q_DECLARE_METATYPE(tallero::Shape)

using testing::planFingerprint;

namespace {

QString fingerprint(const LayoutSearchResult &result)
{
    QStringList parts;
    for (const LayoutFailure &failure : result.failures)
        parts << layoutChoiceName(failure.choice) + QStringLiteral(": ") + failure.message;
    if (result.best)
        parts << layoutChoiceName(result.winner) << planFingerprint(*result.best);
    return parts.join(u'\n');
}

} // namespace

class EngineControlTest : public QObject
{
    Q_OBJECT

private slots:
    // A token cancelled at the n-th check stops the plan there, in either
    // nesting: the engine asks no more after it, and nothing the caller gave
    // changes. A search stops at its first check after the cancel on every
    // thread, and ends as cancelled, never as eight engine errors.
    void cancelledPlanStopsAtOnce_data()
    {
        QTest::addColumn<double>("at");   // fraction of the checks of a full plan
        QTest::addColumn<bool>("thorough");
        QTest::newRow("before any work") << 0.0 << false;
        QTest::newRow("during the grid walk") << 0.02 << false;
        QTest::newRow("while nesting") << 0.6 << false;
        QTest::newRow("at the last check") << 1.0 << false;
        QTest::newRow("thorough, early") << 0.05 << true;
        QTest::newRow("thorough, in the search") << 0.6 << true;
        QTest::newRow("thorough, near the end") << 0.97 << true;
    }

    void cancelledPlanStopsAtOnce()
    {
        QFETCH(double, at);
        QFETCH(bool, thorough);
        const Shape outline = testing::lFloorWithColumn();
        const NestingMode mode = thorough ? NestingMode::Thorough : NestingMode::Standard;
        const double w = thorough ? 2.0 : 2.44;
        const double h = thorough ? 1.2 : 1.22;
        const double g = thorough ? 0.0 : 0.003;
        const auto plan = [&](const PlanControl &control) {
            return computeCuttingPlan(outline, w, h, g, !thorough, false, control, mode);
        };
        const QString before = planFingerprint(plan(PlanControl{}));

        PlanControl counting;
        QList<double> fractions;
        counting.progress = [&](const PlanProgress &progress) { fractions << progress.fraction; };
        QCOMPARE(planFingerprint(plan(counting)), before);
        QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
        QCOMPARE(fractions.last(), 1.0);
        const quint64 total = counting.token.checks();
        QVERIFY(total > 20);

        const quint64 n = qBound<quint64>(1, quint64(at * double(total)), total);
        PlanControl control;
        control.token.cancelAtCheck(n);
        QVERIFY_THROWS_EXCEPTION(PlanCancelled, plan(control));
        QCOMPARE(control.token.checks(), n);

        for (int threads : {1, 2}) {
            PlanControl searchControl;
            searchControl.token.cancelAtCheck(n);
            QVERIFY_THROWS_EXCEPTION(PlanCancelled, searchBestLayout(outline, w, h, g, searchControl, threads, mode));
            QVERIFY(searchControl.token.checks() <= n + quint64(threads - 1));
        }
        QCOMPARE(planFingerprint(plan(PlanControl{})), before);
    }

    // The winner, its plan, the ties and the failures do not depend on how
    // many threads search.
    void parallelSearchEqualsSerial_data()
    {
        QTest::addColumn<Shape>("outline");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("g");
        QTest::addColumn<int>("failures");
        QTest::newRow("curved wall") << testing::roomWithCurvedWall() << 2.44 << 1.22 << 0.003 << 0;
        QTest::newRow("L floor with column") << testing::lFloorWithColumn() << 2.0 << 1.2 << 0.0 << 0;
        QTest::newRow("complete tie") << rectangleShape(0, 0, 0.5, 0.5) << 2.0 << 1.2 << 0.0 << 0;
        // Laid horizontally, 82 slivers share a sheet; vertically, 164 would,
        // and those four layouts are refused.
        QTest::newRow("half the layouts fail") << rectangleShape(0, 0, 200, 0.001) << 2.44 << 1.22 << 0.003 << 4;
        // An engine error with a live token stays an error on every thread.
        QTest::newRow("every layout fails") << rectangleShape(0, 0, 3, 3) << 2.0 << 1.2 << -0.01 << 8;
    }

    void parallelSearchEqualsSerial()
    {
        QFETCH(Shape, outline);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, g);
        QFETCH(int, failures);
        const LayoutSearchResult serialResult = searchBestLayout(outline, w, h, g, PlanControl{}, 1);
        QCOMPARE(serialResult.failures.size(), failures);
        QCOMPARE(serialResult.best.has_value(), failures < 8);
        for (qsizetype k = 0; k < serialResult.failures.size(); ++k) {
            QVERIFY(!serialResult.failures[k].message.isEmpty());
            if (failures == 8)   // in the order the layouts are tried
                QCOMPARE(layoutChoiceName(serialResult.failures[k].choice), layoutChoiceName(layoutChoices()[k]));
        }
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
            serial[i] = planFingerprint(computeCuttingPlan(outlines[i], 2.44, 1.22, 0.003, false, true));
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
                QCOMPARE(planFingerprint(*plans[i]), serial[i]);
        }
    }
};

QTEST_GUILESS_MAIN(EngineControlTest)
#include "tst_engine_control.moc"
