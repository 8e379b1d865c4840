// The indexed segment chainer against a plain reading of its rule, and its
// results on large drawings.

#include "testsupport.h"

#include "dxf/jointolerance.h"
#include "dxf/segmentchainer.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace tallero;

namespace {

// The rule read literally: rescan the remaining segments from the first after
// every match.
QList<QPolygonF> referenceChains(QList<Segment> remaining)
{
    QList<QPolygonF> chains;
    while (!remaining.isEmpty()) {
        const Segment first = remaining.takeLast();
        QPolygonF chain{first.start, first.end};
        for (qsizetype i = 0; i < remaining.size(); ++i) {
            const QPointF last = chain.last();
            if (withinJoinTolerance(last, remaining[i].start))
                chain.append(remaining[i].end);
            else if (withinJoinTolerance(last, remaining[i].end))
                chain.append(remaining[i].start);
            else
                continue;
            remaining.removeAt(i);
            i = -1;
        }
        chains.append(chain);
    }
    return chains;
}

// QPointF's own comparison is relative, too coarse far from the origin.
bool identical(const QPolygonF &a, const QPolygonF &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](QPointF p, QPointF q) { return p.x() == q.x() && p.y() == q.y(); });
}

// Segments between random points of a square lattice. With a spacing below
// the tolerance, neighbours along an axis join, diagonal ones may or may not,
// and most points are shared by several segments, so the first-in-list-order
// choice matters at almost every step.
QList<Segment> latticeSegments(quint32 seed, int count, int side, double spacing, QPointF origin)
{
    QRandomGenerator random(seed);
    auto point = [&] {
        return origin + spacing * QPointF(random.bounded(side), random.bounded(side));
    };
    QList<Segment> segments;
    for (int k = 0; k < count; ++k)
        segments.append({point(), point()});
    return segments;
}

// Closed and open polylines, shuffled, directions flipped, every joint moved
// by up to 1.2 times the tolerance.
QList<Segment> jitteredPolylines(quint32 seed, QPointF origin)
{
    QRandomGenerator random(seed);
    QList<Segment> segments;
    for (int shape = 0; shape < 40; ++shape) {
        const int corners = 3 + random.bounded(8);
        const bool closed = random.bounded(2);
        QPolygonF path;
        for (int k = 0; k < corners; ++k)
            path.append(origin + QPointF(random.bounded(0.01), random.bounded(0.01)));
        if (closed)
            path.append(path.first());
        for (qsizetype k = 1; k < path.size(); ++k) {
            const double angle = random.bounded(2 * std::numbers::pi);
            const QPointF jitter = random.bounded(1.2 * joinTolerance) * QPointF(std::cos(angle), std::sin(angle));
            const Segment s{path[k - 1], path[k] + jitter};
            segments.append(random.bounded(2) ? s : Segment{s.end, s.start});
        }
    }
    for (qsizetype k = segments.size() - 1; k > 0; --k)
        segments.swapItemsAt(k, random.bounded(k + 1));
    return segments;
}

} // namespace

class TestDxfChainer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { tallero::testing::isolateUserState(); }

    void matchesReference_data()
    {
        QTest::addColumn<QList<Segment>>("segments");
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QTest::addRow("lattice 0.7e-5, seed %u", seed) << latticeSegments(seed, 400, 12, 0.7e-5, {});
            QTest::addRow("lattice 0.5e-5 far out, seed %u", seed) << latticeSegments(seed, 400, 12, 0.5e-5, {-3e5, 7e5});
            QTest::addRow("lattice on cell edges, seed %u", seed) << latticeSegments(seed, 300, 10, 1e-5, {-2e-5, 4e-5});
            QTest::addRow("jittered polylines, seed %u", seed) << jitteredPolylines(seed, {});
            QTest::addRow("jittered polylines far out, seed %u", seed) << jitteredPolylines(seed, {1e6, -1e6});
        }
    }

    void matchesReference()
    {
        QFETCH(QList<Segment>, segments);
        const QList<QPolygonF> expected = referenceChains(segments);
        const QList<QPolygonF> actual = chainSegments(segments);
        QCOMPARE(actual.size(), expected.size());
        for (qsizetype k = 0; k < expected.size(); ++k)
            QVERIFY2(identical(actual[k], expected[k]), qPrintable(QStringLiteral("chain %1 differs").arg(k)));
    }

    void largeDrawings_data()
    {
        QTest::addColumn<QList<Segment>>("segments");
        QTest::addColumn<int>("chains");

        // One closed wavy curve of 100,000 short segments, scrambled.
        const int n = 100000;
        QPolygonF curve;
        for (int k = 0; k < n; ++k) {
            const double t = 2 * std::numbers::pi * k / n;
            curve.append((5 + 0.5 * std::cos(7 * t)) * QPointF(std::cos(t), std::sin(t)));
        }
        QList<Segment> closedCurve;
        for (int k = 0; k < n; ++k) {
            const int i = int(qint64(k) * 7919 % n);
            const Segment s{curve[i], curve[(i + 1) % n]};
            closedCurve.append(i % 3 ? s : Segment{s.end, s.start});
        }
        QTest::newRow("closed curve") << closedCurve << 1;

        // Spokes that all end at one hub: every chain but the hub's own
        // passes through a crowded cell.
        QList<Segment> hub;
        for (int k = 0; k < 50000; ++k)
            hub.append({QPointF(std::cos(k * 1e-4), std::sin(k * 1e-4)), QPointF(0, 0)});
        QTest::newRow("hub of spokes") << hub << 25000;
    }

    void largeDrawings()
    {
        QFETCH(QList<Segment>, segments);
        QFETCH(int, chains);
        const QList<QPolygonF> result = chainSegments(segments);
        QCOMPARE(result.size(), chains);
        qsizetype used = 0;
        for (const QPolygonF &chain : result)
            used += chain.size() - 1;
        QCOMPARE(used, segments.size());
    }
};

QTEST_GUILESS_MAIN(TestDxfChainer)
#include "tst_dxf_chainer.moc"
