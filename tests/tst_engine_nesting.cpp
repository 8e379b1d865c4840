#include "engine/engineerrors.h"
#include "engine/internal/nesting.h"
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
};

QTEST_GUILESS_MAIN(NestingTest)
#include "tst_engine_nesting.moc"
