// The sheet view of the cutting sheets viewer: its transform and title, the
// fills by sheet, the labels that fit their piece, and what it paints when
// there is nothing to show.

#include "testsupport.h"

#include "views/layoutpalette.h"
#include "views/sheetview.h"

#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QTest>

#include <optional>

using namespace tallero;

namespace {

// `count` cutting sheets of 2.0 × 1.2 m after four whole sheets, each with
// one piece of `pieceWidth` × 0.6 m whose lower left corner is at (x, 0.3).
CuttingPlan planWithSheets(int count, double x = 0.5, double pieceWidth = 1.0)
{
    CuttingPlan plan;
    plan.sheetWidth = 2.0;
    plan.sheetHeight = 1.2;
    plan.wholeSheetCount = 4;
    for (int i = 0; i < count; ++i) {
        PiecePlacement placement;
        placement.pieceIndex = i;
        placement.sheetIndex = i;
        placement.shape = rectangleShape(x, 0.3, pieceWidth, 0.6);
        CuttingSheet sheet;
        sheet.placements.append(placement);
        sheet.usedArea = placement.shape.area;
        plan.sheets.append(sheet);
        plan.pieceCodes.append(QStringLiteral("R%1").arg(i + 1));
    }
    return plan;
}

// 1020 × 620 pixels, the snapshot's size: the drawing area is 970 × 528 with
// its centre at (510, 328), and a 2.0 × 1.2 m sheet is drawn 413.6 pixels
// to the metre.
constexpr double pixelsPerMetre = 413.6;

QPainterPath rectanglePath(const QRectF &rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

} // namespace

class ViewsSheetViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void transform()
    {
        SheetView view;
        view.resize(1020, 620);
        view.plan = planWithSheets(1);
        const std::optional<QTransform> transform = view.sheetTransform();
        QVERIFY(transform);
        const QPointF lowerLeft = transform->map(QPointF(0, 0));
        const QPointF upperRight = transform->map(QPointF(2.0, 1.2));
        QCOMPARE(lowerLeft.x(), 510 - pixelsPerMetre);
        QCOMPARE(lowerLeft.y(), 328 + 0.6 * pixelsPerMetre);
        QCOMPARE(upperRight.x(), 510 + pixelsPerMetre);
        QCOMPARE(upperRight.y(), 328 - 0.6 * pixelsPerMetre);

        // Smaller than its margins: no sheet, rather than a mirrored one.
        view.resize(40, 60);
        QVERIFY(!view.sheetTransform());
    }

    void title_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en") << "en" << QStringLiteral("SHEET P6  ·  2.000 × 1.200 m");
        QTest::newRow("other") << "fr" << QStringLiteral("PLANCHA P6  ·  2.000 × 1.200 m");
    }

    void title()
    {
        QFETCH(QString, language);
        QFETCH(QString, expected);
        SheetView view;
        view.plan = planWithSheets(3);
        view.sheetIndex = 1;
        view.language = language;
        QCOMPARE(view.titleText(), expected);
    }

    // Inside the piece and away from its labels, unless a row says otherwise.
    void fills_data()
    {
        QTest::addColumn<int>("sheetIndex");
        QTest::addColumn<double>("x");   // of the piece's lower left corner
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        const QPoint inPiece(510 - 150, 328 + 80);
        QTest::newRow("first") << 0 << 0.5 << inPiece << QColor(0x10b981);
        QTest::newRow("bare sheet") << 0 << 0.5 << QPoint(510 - 380, 328) << QColor(0xf8fafc);
        QTest::newRow("third") << 2 << 0.5 << inPiece << QColor(0xa855f7);
        QTest::newRow("seventh, as the first") << 6 << 0.5 << inPiece << QColor(0x10b981);
        QTest::newRow("eighth") << 7 << 0.5 << inPiece << QColor(0xf97316);
        // A piece reaching 0.5 m past the sheet's right edge is clipped there.
        QTest::newRow("piece past the edge, on the sheet") << 0 << 1.5 << QPoint(510 + 300, 328 + 80) << QColor(0x10b981);
        QTest::newRow("piece past the edge, beyond it")
            << 0 << 1.5 << QPoint(510 + int(pixelsPerMetre) + 30, 328 + 80) << QColor(0x1e293b);
    }

    void fills()
    {
        QFETCH(int, sheetIndex);
        QFETCH(double, x);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        SheetView view;
        view.resize(1020, 620);
        view.plan = planWithSheets(8, x);
        view.sheetIndex = sheetIndex;
        QCOMPARE(testing::renderWidget(view).pixelColor(at).rgb(), colour.rgb());
    }

    void nothingToShow_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("sheetIndex");
        QTest::addColumn<bool>("dark");
        QTest::newRow("no plan") << -1 << 0 << true;
        QTest::newRow("index at the count") << 3 << 3 << true;
        QTest::newRow("index far beyond, light") << 3 << 40 << false;
        QTest::newRow("negative index") << 3 << -1 << true;
        QTest::newRow("plan without sheets") << 0 << 0 << false;
    }

    void nothingToShow()
    {
        QFETCH(int, sheets);
        QFETCH(int, sheetIndex);
        QFETCH(bool, dark);
        SheetView view;
        view.resize(300, 200);
        if (sheets >= 0)
            view.plan = planWithSheets(sheets);
        view.sheetIndex = sheetIndex;
        view.darkTheme = dark;
        const QImage image = testing::renderWidget(view);
        const QRgb background = QColor(dark ? 0x1e293b : 0xf8fafc).rgb();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != background)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 painted").arg(x).arg(y)));
            }
        }
    }

    void labels_data()
    {
        QTest::addColumn<QPainterPath>("piece");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("codePixels");
        QTest::addColumn<int>("sizePixels");
        QTest::addColumn<bool>("showCode");
        QTest::addColumn<bool>("showSize");
        const QString size = QStringLiteral("1.234 × 0.567 m");
        QTest::newRow("30 x 20: too low") << rectanglePath(QRectF(0, 0, 30, 20)) << "R1" << size << 0 << 0 << false << false;
        QTest::newRow("20 x 32: just enough for the sizes, code fits")
            << rectanglePath(QRectF(0, 0, 20, 32)) << "R1" << size << 8 << 7 << true << false;
        QTest::newRow("19 x 32: too narrow") << rectanglePath(QRectF(0, 0, 19, 32)) << "R1" << size << 0 << 0 << false << false;
        QTest::newRow("large: capped") << rectanglePath(QRectF(0, 0, 600, 400)) << "R1" << size << 13 << 11 << true << true;
        QTest::newRow("narrow and tall: size line wider than the piece")
            << rectanglePath(QRectF(0, 0, 40, 300)) << "R12" << size << 8 << 7 << true << false;
        QTest::newRow("long code wider than the piece")
            << rectanglePath(QRectF(0, 0, 40, 300)) << "R1234567890123" << "1 m" << 8 << 7 << false << true;
        QTest::newRow("medium") << rectanglePath(QRectF(10, 10, 104, 64)) << "R3" << size << 9 << 7 << true << true;
        // A piece cut on the slant: its bounds have room for both lines, but
        // the size line would run off the piece onto the bare sheet.
        QPainterPath slanted;
        slanted.addPolygon(QPolygonF{QPointF(0, 0), QPointF(120, 0), QPointF(120, 40), QPointF(40, 120),
                                     QPointF(0, 120), QPointF(0, 0)});
        QTest::newRow("slanted piece: size line off the piece")
            << slanted << "R4" << QStringLiteral("0.160 × 0.260 m") << 13 << 11 << true << false;
        // A notch at the centre (a column through the piece) takes both.
        QPainterPath notched = rectanglePath(QRectF(0, 0, 200, 120));
        notched.addRect(QRectF(40, 40, 120, 40));
        QTest::newRow("hole under the labels") << notched << "R2" << size << 13 << 11 << false << false;
    }

    void labels()
    {
        QFETCH(QPainterPath, piece);
        QFETCH(QString, code);
        QFETCH(QString, size);
        QFETCH(int, codePixels);
        QFETCH(int, sizePixels);
        QFETCH(bool, showCode);
        QFETCH(bool, showSize);
        const SheetLabelLayout layout = SheetView::labelLayout(piece, code, size);
        QCOMPARE(layout.box, piece.boundingRect().adjusted(2, 2, -2, -2));
        QCOMPARE(layout.codePixelSize, codePixels);
        QCOMPARE(layout.sizePixelSize, sizePixels);
        QCOMPARE(layout.showCode, showCode);
        QCOMPARE(layout.showSize, showSize);
    }
};

QTEST_MAIN(ViewsSheetViewTest)
#include "tst_views_sheetview.moc"
