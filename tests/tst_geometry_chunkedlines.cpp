#include "geometry/chunkedlines.h"
#include "geometry/shapeops.h"
#include "geometry/internal/wkt.h"
#include "testsupport.h"

#include <QTest>

#include <cmath>

using namespace tallero;

namespace {

// A ring of many short steps: a sheet's contents after many pieces.
QString staircaseWkt(int steps)
{
    QString wkt = QStringLiteral("POLYGON((0 0");
    for (int i = 0; i < steps; ++i) {
        const double x = 0.1 * i;
        wkt += QStringLiteral(", %1 %2, %3 %2").arg(x).arg(1.0 + 0.05 * (i % 2)).arg(x + 0.1);
    }
    wkt += QStringLiteral(", %1 0, 0 0))").arg(0.1 * steps);
    return wkt;
}

} // namespace

// The placement search measures a piece's contact with a sheet's contents
// against the runs near the piece: a run left out, or a segment counted
// twice, would change which position wins.
class ChunkedLinesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void sharedLengthMatchesWhole_data()
    {
        QTest::addColumn<QString>("piece");
        QTest::addColumn<double>("expected");
        // The staircase's boundary runs along y = 0 from 0 to 4 and, at the
        // top, alternates between heights 1.0 and 1.05 every 0.1.
        QTest::newRow("on the bottom edge")
            << QStringLiteral("POLYGON((0.55 -0.5, 1.85 -0.5, 1.85 0, 0.55 0, 0.55 -0.5))") << 1.3;
        QTest::newRow("spanning many runs")
            << QStringLiteral("POLYGON((0 -0.2, 4 -0.2, 4 0, 0 0, 0 -0.2))") << 4.0;
        QTest::newRow("on top of one step")
            << QStringLiteral("POLYGON((0.1 1.05, 0.2 1.05, 0.2 1.2, 0.1 1.2, 0.1 1.05))") << 0.1;
        QTest::newRow("touching at a corner only")
            << QStringLiteral("POLYGON((4 -1, 5 -1, 5 0, 4 0, 4 -1))") << 0.0;
        QTest::newRow("against the right side")
            << QStringLiteral("POLYGON((4 0.2, 4.5 0.2, 4.5 0.7, 4 0.7, 4 0.2))") << 0.5;
        QTest::newRow("slanted edge along a step")
            << QStringLiteral("POLYGON((0.1 1.05, 0.2 1.05, 0.15 1.2, 0.1 1.05))") << 0.1;
        QTest::newRow("across the steps")
            << QStringLiteral("POLYGON((0.05 1.0, 0.35 1.0, 0.35 1.5, 0.05 1.5, 0.05 1.0))") << 0.15;
        QTest::newRow("far away")
            << QStringLiteral("POLYGON((10 10, 11 10, 11 11, 10 11, 10 10))") << 0.0;
    }

    void sharedLengthMatchesWhole()
    {
        QFETCH(QString, piece);
        QFETCH(double, expected);
        const GeometryHandle contents = readWkt(staircaseWkt(40));
        QVERIFY(contents);
        const GeometryHandle boundary = geometryBoundary(contents.get());
        const ChunkedLines runs(boundary.get());
        QVERIFY(runs.isUsable());

        const GeometryHandle placed = readWkt(piece);
        QVERIFY(placed);
        const GeometryHandle placedBoundary = geometryBoundary(placed.get());
        const Shape placedShape = shapeFromGeometry(placed);
        const std::optional<double> whole = intersectionLength(placedBoundary.get(), boundary.get());
        QVERIFY(whole);
        QVERIFY(std::abs(*whole - expected) < 1e-9);
        // Measured by the engine, and summed from the coordinates where the
        // lines allow it.
        for (const bool simple : {false, true}) {
            const std::optional<double> local =
                runs.sharedLength(placedBoundary.get(), placedShape.bounds, simple);
            QVERIFY(local);
            QVERIFY2(std::abs(*local - *whole) < 1e-12,
                     qPrintable(QStringLiteral("%1 against %2").arg(*local).arg(*whole)));
        }
    }

    void pointsAreNotLines()
    {
        const GeometryHandle point = readWkt(QStringLiteral("POINT(1 1)"));
        QVERIFY(point);
        QVERIFY(!ChunkedLines(point.get()).isUsable());
        QVERIFY(!ChunkedLines(nullptr).isUsable());
    }
};

QTEST_GUILESS_MAIN(ChunkedLinesTest)
#include "tst_geometry_chunkedlines.moc"
