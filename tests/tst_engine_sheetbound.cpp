// Lower bounds on cutting sheets from piece areas: never above a packing
// that exists, and stronger than the area bound where large pieces cannot
// share a sheet.

#include "engine/cuttingsheetbound.h"

#include <QTest>

using namespace tallero;

namespace {

// An L filling a 1.2 x 1.2 square but for a 0.6 x 0.6 corner.
Shape lPiece()
{
    return shapeFromPolygon({QPolygonF{{0, 0}, {1.2, 0}, {1.2, 0.6}, {0.6, 0.6}, {0.6, 1.2}, {0, 1.2}, {0, 0}}});
}

} // namespace

class TestSheetBound : public QObject
{
    Q_OBJECT

private slots:
    void bounds_data()
    {
        QTest::addColumn<QList<double>>("areas");
        QTest::addColumn<int>("areaBound");
        QTest::addColumn<int>("strongBound");

        // Sheet area 1 throughout.
        QTest::newRow("none") << QList<double>{} << 0 << 0;
        QTest::newRow("one small") << QList<double>{0.1} << 1 << 1;
        // Three pieces of 0.6: 1.8 in area fits two sheets, but no two share.
        QTest::newRow("three over half") << QList<double>{0.6, 0.6, 0.6} << 2 << 3;
        // Exactly half twice fills one sheet: the bound must not count two.
        QTest::newRow("two halves") << QList<double>{0.5, 0.5} << 1 << 1;
        // Two large pieces leave 0.2 and 0.3; the 0.35 fits beside neither, the
        // 0.1 and 0.15 could. Threshold 0.35: 0.8 and 0.7 both alone (0.35 does
        // not fit beside them), 0.35 needs a third sheet.
        QTest::newRow("small beside large") << QList<double>{0.8, 0.7, 0.35, 0.1, 0.15} << 3 << 3;
        QTest::newRow("medium nowhere") << QList<double>{0.8, 0.7, 0.35} << 2 << 3;
        // Free area of the large sheets takes the small ones: no extra sheet.
        QTest::newRow("fills the gaps") << QList<double>{0.7, 0.7, 0.3, 0.3} << 2 << 2;
        // Areas within the placement tolerance of a full sheet still share.
        QTest::newRow("touching halves")
            << QList<double>{0.5 + 1e-8, 0.5} << 1 << 1;
    }

    void bounds()
    {
        QFETCH(QList<double>, areas);
        QFETCH(int, areaBound);
        QFETCH(int, strongBound);
        QCOMPARE(areaSheetBound(areas, 1.0), areaBound);
        QCOMPARE(largePieceSheetBound(areas, 1.0), strongBound);
        // The same pieces on a sheet twice as large, areas doubled: the same
        // counts, so nothing hangs on the unit of area.
        QList<double> doubled;
        for (double a : areas)
            doubled.append(2.0 * a);
        QCOMPARE(largePieceSheetBound(doubled, 2.0), strongBound);
    }


    void rectangleBound_data()
    {
        QTest::addColumn<QList<Shape>>("pieces");
        QTest::addColumn<int>("sheets");

        // Sheet 2.44 x 1.22. Strips as high as the sheet: three are wider
        // together than the sheet, so five need three sheets, although their
        // area fits two and no one is over half a sheet.
        QList<Shape> strips;
        for (int i = 0; i < 5; ++i)
            strips.append(rectangleShape(0, 0, 0.827, 1.22));
        QTest::newRow("five full-height strips") << strips << 3;
        // Two strips exactly half the sheet high share it: the bound must not
        // count the second (the nesting puts them one above the other).
        QTest::newRow("two half-height strips")
            << QList<Shape>{rectangleShape(0, 0, 2.0, 0.61), rectangleShape(0, 0, 2.0, 0.61)} << 1;
        // Ls are no rectangles: they count by their area alone (and two fit
        // side by side, so one sheet is right).
        QTest::newRow("Ls count by area") << QList<Shape>{lPiece(), lPiece()} << 1;
        // A piece under a gable holds a band 2.44 x 0.7 along its lower edge,
        // so a 0.7 square, though small by area, fits nowhere beside it.
        QTest::newRow("band and a square")
            << QList<Shape>{shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.7}, {1.22, 0.95},
                                                   {0, 0.7}, {0, 0}}}),
                            rectangleShape(0, 0, 0.7, 0.7)}
            << 2;
        // Pieces that stand over half the sheet high however they are turned
        // (0.83 x 1.0): three are wider together than the sheet, although a
        // sheet holds them by area.
        QTest::newRow("three turned strips")
            << QList<Shape>{rectangleShape(0, 0, 0.83, 1.0), rectangleShape(0, 0, 1.0, 0.83),
                            rectangleShape(0, 0, 0.83, 1.0)}
            << 2;
        // Strips as wide as the sheet with a gable in the middle: every line
        // near the middle meets each over 0.75 m, so no two share a sheet,
        // though their area and their 0.45 m bands would allow it.
        const Shape gabled = shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.45}, {1.62, 0.45},
                                                         {1.22, 0.75}, {0.82, 0.45}, {0, 0.45}}});
        QTest::newRow("gabled strips") << QList<Shape>{gabled, gabled} << 2;
        // A gable 0.1 m off the middle still meets the other one turned.
        const Shape offGabled = shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.45}, {1.72, 0.45},
                                                            {1.32, 0.75}, {0.92, 0.45}, {0, 0.45}}});
        QTest::newRow("gables off the middle") << QList<Shape>{offGabled, offGabled} << 2;
        // A sheet cut along a slant: the halves meet every line over the
        // sheet's height together, and fill one sheet.
        QTest::newRow("slanted halves")
            << QList<Shape>{shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.4}, {0, 0.8}}}),
                            shapeFromPolygon({QPolygonF{{0, 0.8}, {2.44, 0.4}, {2.44, 1.22}, {0, 1.22}}})}
            << 1;
        // Gables far apart pass each other when one strip is turned: 0.85 m
        // apart, each 0.5 m wide at its foot.
        const Shape leftGabled = shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.45}, {1.045, 0.45},
                                                             {0.795, 0.75}, {0.545, 0.45}, {0, 0.45}}});
        QTest::newRow("gables that pass") << QList<Shape>{leftGabled, leftGabled} << 1;
        // A low strip with two gables leaves no gap 1.22 m wide for a
        // rectangle 0.8 m high above it, wherever the rectangle goes.
        const Shape twoGables = shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.3}, {1.9, 0.3},
                                                            {1.6, 0.8}, {1.3, 0.3}, {1.14, 0.3},
                                                            {0.84, 0.8}, {0.54, 0.3}, {0, 0.3}}});
        QTest::newRow("rectangle over two gables")
            << QList<Shape>{twoGables, rectangleShape(0, 0, 1.22, 0.8)} << 2;
        // With both gables at the left the rectangle finds its gap.
        const Shape gablesLeft = shapeFromPolygon({QPolygonF{{0, 0}, {2.44, 0}, {2.44, 0.3}, {1.2, 0.3},
                                                             {0.9, 0.8}, {0.6, 0.3}, {0.3, 0.8},
                                                             {0, 0.3}}});
        QTest::newRow("rectangle beside two gables")
            << QList<Shape>{gablesLeft, rectangleShape(0, 0, 1.22, 0.8)} << 1;
    }

    void rectangleBound()
    {
        QFETCH(QList<Shape>, pieces);
        QFETCH(int, sheets);
        QCOMPARE(rectangleSheetBound(pieces, 2.44, 1.22), sheets);
        // A search with no steps proves nothing beyond the area bounds.
        QCOMPARE(rectangleSheetBound(pieces, 2.44, 1.22, 0),
                 std::max(1, largePieceSheetBound(pieceAreas(pieces), 2.44 * 1.22)));
    }
};

QTEST_GUILESS_MAIN(TestSheetBound)
#include "tst_engine_sheetbound.moc"
