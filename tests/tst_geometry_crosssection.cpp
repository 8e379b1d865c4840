#include "geometry/crosssection.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tallero;

namespace {

QPolygonF rectangle(double x, double y, double w, double h)
{
    return QPolygonF{QPointF(x, y), QPointF(x + w, y), QPointF(x + w, y + h), QPointF(x, y + h)};
}

// What the rings enclose on the line x = t, from their crossings (t on no
// vertex).
double crossedLength(const QList<QPolygonF> &rings, double t)
{
    std::vector<double> ys;
    for (const QPolygonF &ring : rings) {
        for (qsizetype i = 0; i < ring.size(); ++i) {
            const QPointF &a = ring[i];
            const QPointF &b = ring[(i + 1) % ring.size()];
            if ((a.x() < t) != (b.x() < t))
                ys.push_back(a.y() + (b.y() - a.y()) * (t - a.x()) / (b.x() - a.x()));
        }
    }
    std::sort(ys.begin(), ys.end());
    double length = 0.0;
    for (std::size_t i = 0; i + 1 < ys.size(); i += 2)
        length += ys[i + 1] - ys[i];
    return length;
}

} // namespace

// The least cross-section bounds how many long pieces a sheet can hold: a
// value too high would count a sheet that is not needed.
class CrossSectionTest : public QObject
{
    Q_OBJECT

private slots:
    void least_data()
    {
        QTest::addColumn<QList<QPolygonF>>("rings");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("expected");

        const QList<QPolygonF> box{rectangle(0, 0, 2, 1)};
        QTest::newRow("inside a rectangle") << box << 0.5 << 1.5 << 1.0;
        QTest::newRow("up to its side") << box << 1.9 << 2.0 << 1.0;
        QTest::newRow("past its side") << box << -0.1 << 1.0 << 0.0;
        QTest::newRow("closed ring") << QList<QPolygonF>{rectangle(0, 0, 2, 1) << QPointF(0, 0)}
                                     << 0.5 << 1.5 << 1.0;
        // Length x / 2: the least is at the range's low end.
        const QList<QPolygonF> wedge{QPolygonF{{0, 0}, {2, 0}, {2, 1}}};
        QTest::newRow("wedge") << wedge << 0.4 << 1.0 << 0.2;
        // A hole takes its height away only over its own columns.
        const QList<QPolygonF> holed{rectangle(0, 0, 2, 2), rectangle(0.5, 0.5, 1, 1)};
        QTest::newRow("beside a hole") << holed << 0.1 << 0.4 << 2.0;
        QTest::newRow("across a hole") << holed << 0.2 << 1.0 << 1.0;
        // An L steps down from 2 to 1 at x = 1, a jump on a vertical edge.
        const QList<QPolygonF> ell{QPolygonF{{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}}};
        QTest::newRow("before the step") << ell << 0.2 << 0.8 << 2.0;
        QTest::newRow("over the step") << ell << 0.5 << 1.5 << 1.0;
        // Two parts one above the other add up.
        QTest::newRow("two parts") << QList<QPolygonF>{rectangle(0, 0, 1, 0.3), rectangle(0, 0.5, 1, 0.5)}
                                   << 0.1 << 0.9 << 0.8;
        // A dip in the middle of the range, between two vertices.
        const QList<QPolygonF> notch{QPolygonF{{0, 0}, {2, 0}, {2, 1}, {1.2, 1}, {1, 0.4}, {0.8, 1}, {0, 1}}};
        QTest::newRow("notch inside the range") << notch << 0.5 << 1.5 << 0.4;
        QTest::newRow("reversed range") << box << 1.5 << 0.5 << 0.0;
    }

    void least()
    {
        QFETCH(QList<QPolygonF>, rings);
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, expected);
        QVERIFY(std::abs(CrossSections(rings).least(from, to) - expected) < 1e-12);
    }

    // Against the lengths on many lines of random rings with holes: never
    // above any of them, and equal to the least of them on lines close to
    // the vertices and the range's ends, where the least lies.
    void leastOfRandomRings()
    {
        QRandomGenerator random(20261206);
        for (int round = 0; round < 300; ++round) {
            QList<QPolygonF> rings;
            for (int r = 0; r < 2; ++r) {
                const double radius = r == 0 ? 5.0 : 1.5;
                QPolygonF ring;
                const int corners = 5 + random.bounded(20);
                for (int i = 0; i < corners; ++i) {
                    const double angle = 2.0 * M_PI * i / corners;
                    const double rho = radius * (0.6 + 0.4 * random.generateDouble());
                    // Snapped, so some edges stand upright.
                    ring << QPointF(std::round(rho * std::cos(angle) * 4) / 4,
                                    rho * std::sin(angle));
                }
                rings << ring;
            }
            const double from = -4.0 + 6.0 * random.generateDouble();
            const double to = from + 2.0 * random.generateDouble();
            const double least = CrossSections(rings).least(from, to);
            QList<double> lines{from + 1e-9, to - 1e-9};
            for (const QPolygonF &ring : rings) {
                for (const QPointF &p : ring) {
                    if (p.x() > from && p.x() < to)
                        lines << p.x() - 1e-9 << p.x() + 1e-9;
                }
            }
            for (int i = 0; i < 50; ++i)
                lines << from + (to - from) * random.generateDouble();
            double seen = std::numeric_limits<double>::max();
            for (double t : lines) {
                const double length = crossedLength(rings, t);
                QVERIFY2(least <= length + 1e-9, qPrintable(QString::number(round)));
                seen = std::min(seen, length);
            }
            QVERIFY2(std::abs(least - seen) < 1e-6, qPrintable(QString::number(round)));
        }
    }
};

QTEST_GUILESS_MAIN(CrossSectionTest)
#include "tst_geometry_crosssection.moc"
