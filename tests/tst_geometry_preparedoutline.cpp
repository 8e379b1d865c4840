#include "geometry/preparedoutline.h"
#include "geometry/shapeops.h"
#include "geometry/internal/wkt.h"
#include "testsupport.h"

#include <QTest>

using namespace tallero;

namespace {

// A 20 x 10 floor with a 4 x 2 grid of square columns: enough holes that
// the clip sorts them out.
Shape columnFloor()
{
    QString wkt = QStringLiteral("POLYGON((0 0, 20 0, 20 10, 0 10, 0 0)");
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 2; ++j) {
            const double x = 2.0 + 5.0 * i;
            const double y = 2.5 + 5.0 * j;
            wkt += QStringLiteral(", (%1 %2, %1 %3, %4 %3, %4 %2, %1 %2)")
                       .arg(x)
                       .arg(y)
                       .arg(y + 0.4)
                       .arg(x + 0.4);
        }
    }
    wkt += QStringLiteral(")");
    return shapeFromGeometry(readWkt(wkt));
}

} // namespace

// The grid clips every cell on the outline's edge through the prepared
// outline; a clip that differs from the plain intersection in one
// coordinate would change the cut pieces and so the plan.
class PreparedOutlineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void clipEqualsIntersection_data()
    {
        QTest::addColumn<QRectF>("cell");
        QTest::newRow("around one column") << QRectF(1.5, 2.0, 2.44, 1.22);
        QTest::newRow("cutting a column") << QRectF(2.2, 2.6, 1.22, 2.44);
        QTest::newRow("across the outer edge") << QRectF(19.0, 9.5, 2.44, 1.22);
        QTest::newRow("between columns") << QRectF(3.0, 4.0, 1.0, 1.0);
        QTest::newRow("outside") << QRectF(30.0, 30.0, 1.0, 1.0);
        QTest::newRow("flush with a column") << QRectF(2.4, 2.5, 1.0, 0.4);
    }

    void clipEqualsIntersection()
    {
        QFETCH(QRectF, cell);
        const Shape outline = columnFloor();
        QVERIFY(isNonEmpty(outline));
        const PreparedOutline prepared(outline);
        const Shape rectangle = rectangleShape(cell.x(), cell.y(), cell.width(), cell.height());
        const std::optional<Shape> clipped = prepared.clipCell(rectangle);
        const std::optional<Shape> plain = intersectShapes(outline, rectangle);
        QVERIFY(clipped && plain);
        QCOMPARE(clipped->area, plain->area);
        QCOMPARE(clipped->rings, plain->rings);
    }
};

QTEST_GUILESS_MAIN(PreparedOutlineTest)
#include "tst_geometry_preparedoutline.moc"
