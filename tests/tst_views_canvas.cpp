#include "views/layoutpalette.h"
#include "views/nestingcanvas.h"
#include "testsupport.h"

#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

using namespace tallero;

namespace {

Drawing rectangleDrawing(double x, double y, double w, double h)
{
    return testing::drawingOf(rectangleShape(x, y, w, h));
}

GridCell cell(double x, double y, double w, double h, bool whole, int sheetIndex, const QString &code)
{
    GridCell c;
    c.shape = rectangleShape(x, y, w, h);
    c.whole = whole;
    c.sheetIndex = sheetIndex;
    c.code = code;
    return c;
}

// A 10 x 10 m drawing in a 535 x 535 widget: 40 pixels per metre, the
// drawing's origin at pixel (67.5, 485).
void setUpTenMetreCanvas(NestingCanvas &canvas)
{
    canvas.resize(535, 535);
    canvas.setDrawing(rectangleDrawing(0, 0, 10, 10), QStringLiteral("/tmp/room.dxf"));
}

QPoint pixelOf(double x, double y)
{
    return QPoint(int(std::floor(67.5 + 40 * x)), int(std::floor(485 - 40 * y)));
}

void sendWheel(NestingCanvas &canvas, QPoint angleDelta)
{
    QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&canvas, &event);
}

void sendMouse(NestingCanvas &canvas, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(position), QPointF(position), QPointF(position), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&canvas, &event);
}

} // namespace

class CanvasTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void transform_data()
    {
        QTest::addColumn<QSize>("widget");
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPointF>("pan");
        QTest::addColumn<QPointF>("world");
        QTest::addColumn<QPointF>("screen");

        const QRectF square(0, 0, 10, 10);
        QTest::newRow("centre under the title band") << QSize(535, 535) << square << 1.0 << QPointF() << QPointF(5, 5) << QPointF(267.5, 285);
        QTest::newRow("origin at the bottom, y up") << QSize(535, 535) << square << 1.0 << QPointF() << QPointF(0, 0) << QPointF(67.5, 485);
        QTest::newRow("top right corner") << QSize(535, 535) << square << 1.0 << QPointF() << QPointF(10, 10) << QPointF(467.5, 85);
        const QRectF wide(2, 1, 12.5, 8);
        QTest::newRow("height limits") << QSize(800, 435) << wide << 1.0 << QPointF() << QPointF(2, 1) << QPointF(150, 395);
        QTest::newRow("zoom and pan") << QSize(800, 435) << wide << 2.0 << QPointF(10, -5) << QPointF(2, 1) << QPointF(-90, 550);
        QTest::newRow("width limits") << QSize(435, 435) << QRectF(0, 0, 20, 2) << 1.0 << QPointF() << QPointF(0, 0) << QPointF(43.5, 252.4);
    }

    void transform()
    {
        QFETCH(QSize, widget);
        QFETCH(QRectF, bounds);
        QFETCH(double, zoom);
        QFETCH(QPointF, pan);
        QFETCH(QPointF, world);
        QFETCH(QPointF, screen);

        NestingCanvas canvas;
        canvas.resize(widget);
        canvas.setDrawing(rectangleDrawing(bounds.x(), bounds.y(), bounds.width(), bounds.height()), QString());
        canvas.zoom = zoom;
        canvas.panX = pan.x();
        canvas.panY = pan.y();
        const QPointF mapped = canvas.worldToScreen().map(world);
        QVERIFY2(std::abs(mapped.x() - screen.x()) < 1e-9 && std::abs(mapped.y() - screen.y()) < 1e-9,
                 qPrintable(QStringLiteral("(%1, %2)").arg(mapped.x()).arg(mapped.y())));
    }

    void wheel_data()
    {
        QTest::addColumn<QList<QPoint>>("deltas");
        QTest::addColumn<double>("expected");
        const QPoint up(0, 120);
        const QPoint down(0, -120);
        QTest::newRow("notch up") << QList<QPoint>{up} << 1.2;
        QTest::newRow("notch down") << QList<QPoint>{down} << 0.8;
        QTest::newRow("horizontal swipe") << QList<QPoint>{QPoint(120, 0), QPoint(-120, 0)} << 1.0;
        QTest::newRow("touchpad thirds make one step") << QList<QPoint>{{0, 40}, {0, 40}, {0, 40}} << 1.2;
        QTest::newRow("touchpad part of a step") << QList<QPoint>{{0, 40}, {0, 40}} << 1.0;
        QTest::newRow("touchpad back and forth") << QList<QPoint>{{0, 90}, {0, -90}, {0, 60}} << 1.0;
        QTest::newRow("two notches at once") << QList<QPoint>{{0, 240}} << 1.2 * 1.2;
        QTest::newRow("up stops at 1.2^16") << QList<QPoint>(30, up) << std::pow(1.2, 16);
        QTest::newRow("down stops at 0.8^10") << QList<QPoint>(30, down) << std::pow(0.8, 10);
    }

    void wheel()
    {
        QFETCH(QList<QPoint>, deltas);
        QFETCH(double, expected);
        NestingCanvas canvas;
        for (const QPoint &delta : deltas)
            sendWheel(canvas, delta);
        QVERIFY2(std::abs(canvas.zoom - expected) < 1e-9, qPrintable(QString::number(canvas.zoom, 'g', 17)));
    }

    // The title names the drawing's size and the zoom once there is a plan;
    // wheel notches show in it.
    void title_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("withPlan");
        QTest::addColumn<int>("notches");
        QTest::addColumn<QString>("expected");
        QTest::newRow("es") << "es" << false << 0 << "VISTA DE MONTAJE";
        QTest::newRow("unknown is Spanish") << "fr" << false << 0 << "VISTA DE MONTAJE";
        QTest::newRow("es plan") << "es" << true << 0 << "VISTA DE MONTAJE (12.500 x 8.000 m) - Zoom: 1.0x";
        QTest::newRow("de plan") << "de" << true << 0 << "MONTAGEANSICHT (12.500 x 8.000 m) – Zoom: 1.0x";
        QTest::newRow("en plan, zoomed by the wheel")
            << "en" << true << 20 << "LAYOUT VIEW (12.500 x 8.000 m) - Zoom: 18.5x";
    }

    void title()
    {
        QFETCH(QString, language);
        QFETCH(bool, withPlan);
        QFETCH(int, notches);
        QFETCH(QString, expected);
        NestingCanvas canvas;
        canvas.language = language;
        canvas.setDrawing(rectangleDrawing(3, 4, 12.5, 8), QString());
        if (withPlan)
            canvas.setPlan(CuttingPlan());
        for (int i = 0; i < notches; ++i)
            sendWheel(canvas, QPoint(0, 120));
        QCOMPARE(canvas.titleText(), expected);
    }

    void viewStateLifecycle()
    {
        NestingCanvas canvas;
        canvas.setDrawing(rectangleDrawing(0, 0, 4, 3), QStringLiteral("/some/folder/hall.dxf"));
        QCOMPARE(canvas.fileName, QStringLiteral("hall.dxf"));
        canvas.zoomIn();
        canvas.panX = 12;
        canvas.setPlan(CuttingPlan());
        // A new plan keeps the view; Fit view, a new drawing and New project reset it.
        QCOMPARE(canvas.zoom, 1.2);
        QCOMPARE(canvas.panX, 12.0);
        canvas.resetView();
        QCOMPARE(canvas.zoom, 1.0);
        QCOMPARE(canvas.panX, 0.0);
        canvas.zoomIn();
        canvas.setDrawing(rectangleDrawing(0, 0, 4, 3), QStringLiteral("other.dxf"));
        QCOMPARE(canvas.zoom, 1.0);
        QVERIFY(!canvas.plan);
        canvas.setPlan(CuttingPlan());
        canvas.zoomIn();
        canvas.clearAll();
        QVERIFY(!canvas.plan);
        QVERIFY(canvas.fileName.isEmpty());
        QVERIFY(!isNonEmpty(canvas.drawing));
        QCOMPARE(canvas.zoom, 1.0);
    }

    void pan_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPointF>("expected");
        QTest::newRow("right") << int(Qt::RightButton) << QPointF(30, -10);
        QTest::newRow("middle") << int(Qt::MiddleButton) << QPointF(30, -10);
        QTest::newRow("left does not pan") << int(Qt::LeftButton) << QPointF(0, 0);
    }

    void pan()
    {
        QFETCH(int, button);
        QFETCH(QPointF, expected);
        const auto mouseButton = Qt::MouseButton(button);
        NestingCanvas canvas;
        canvas.resize(300, 300);
        sendMouse(canvas, QEvent::MouseButtonPress, QPoint(100, 100), mouseButton, mouseButton);
        sendMouse(canvas, QEvent::MouseMove, QPoint(120, 95), Qt::NoButton, mouseButton);
        sendMouse(canvas, QEvent::MouseMove, QPoint(130, 90), Qt::NoButton, mouseButton);
        sendMouse(canvas, QEvent::MouseButtonRelease, QPoint(130, 90), mouseButton, Qt::NoButton);
        // Moving with no button held after the release changes nothing.
        sendMouse(canvas, QEvent::MouseMove, QPoint(200, 200), Qt::NoButton, Qt::NoButton);
        QCOMPARE(QPointF(canvas.panX, canvas.panY), expected);
    }

    void codeLabelSize_data()
    {
        QTest::addColumn<QSizeF>("cell");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("expected");
        QTest::newRow("smallest cell with a code") << QSizeF(10.75, 11) << "E" << 7;
        QTest::newRow("too narrow") << QSizeF(10.7, 40) << "E" << 0;
        QTest::newRow("too low") << QSizeF(40, 10.9) << "E" << 0;
        QTest::newRow("size from the smaller side") << QSizeF(40, 400) << "R1" << 8;
        QTest::newRow("never above 12 pixels") << QSizeF(400, 300) << "R12" << 12;
        QTest::newRow("long code in a narrow cell") << QSizeF(14, 100) << "R123" << 0;
        QTest::newRow("short code in the same cell") << QSizeF(14, 100) << "E" << 7;
        QTest::newRow("long code where it fits") << QSizeF(30, 100) << "R123" << 7;
    }

    void codeLabelSize()
    {
        QFETCH(QSizeF, cell);
        QFETCH(QString, code);
        QFETCH(int, expected);
        QCOMPARE(NestingCanvas::codeLabelPixelSize(QRectF(QPointF(20, 20), cell), code), expected);
    }

    void codeLabelsPainted()
    {
        NestingCanvas canvas;
        setUpTenMetreCanvas(canvas);
        CuttingPlan plan;
        // 12 pixels wide: the size rules would allow a 7-pixel code, but
        // "R123" is wider than the cell and would spill over its neighbour.
        plan.cells << cell(0, 0, 0.3, 5, false, 0, QStringLiteral("R123"));
        plan.cells << cell(0.3, 0, 0.7, 5, false, 1, QString());
        // Wide enough: white on a dark fill, dark on a light one (purple).
        plan.cells << cell(2, 0, 1, 5, false, 0, QStringLiteral("R123"));
        plan.cells << cell(4, 0, 1, 5, false, 2, QStringLiteral("R123"));
        canvas.setPlan(plan);
        const QImage image = testing::renderWidget(canvas);

        // Pixels of the band around a cell's middle, inside its borders,
        // whose lightness differs from the fill's by more than 60 up or down.
        const auto textPixels = [&image](double x0, double x1, int fillIndex, int direction) {
            const QPoint low = pixelOf(x0, 2.2);
            const QPoint high = pixelOf(x1, 2.8);
            const int fill = layoutPalette().at(fillIndex).lightness();
            int count = 0;
            for (int y = high.y(); y <= low.y(); ++y)
                for (int x = low.x() + 2; x <= high.x() - 2; ++x)
                    count += (image.pixelColor(x, y).lightness() - fill) * direction > 60 ? 1 : 0;
            return count;
        };
        QCOMPARE(textPixels(0, 0.3, 0, +1) + textPixels(0, 0.3, 0, -1), 0);
        QCOMPARE(textPixels(0.3, 1, 1, +1) + textPixels(0.3, 1, 1, -1), 0);
        QVERIFY(textPixels(2, 3, 0, +1) > 5);
        QCOMPARE(textPixels(2, 3, 0, -1), 0);
        QVERIFY(textPixels(4, 5, 2, -1) > 5);
        QCOMPARE(textPixels(4, 5, 2, +1), 0);
    }

    void fills_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("border");
        QTest::addColumn<QColor>("outline");
        QTest::newRow("dark") << true << QColor(0x1e293b) << QColor(0x60a5fa) << QColor(0xe2e8f0);
        QTest::newRow("light") << false << QColor(Qt::white) << QColor(0x1d4ed8) << QColor(0x1e293b);
    }

    void fills()
    {
        QFETCH(bool, dark);
        QFETCH(QColor, background);
        QFETCH(QColor, border);
        QFETCH(QColor, outline);
        NestingCanvas canvas;
        canvas.darkTheme = dark;
        setUpTenMetreCanvas(canvas);
        CuttingPlan plan;
        plan.cells << cell(0, 9, 1, 1, true, 0, QString());
        for (int sheet = 0; sheet < 10; ++sheet)
            plan.cells << cell(sheet, 0, 1, 1, false, sheet, QString());
        canvas.setPlan(plan);
        const QImage image = testing::renderWidget(canvas);

        QCOMPARE(image.pixelColor(pixelOf(0.5, 9.5)), QColor(0x29459a));
        for (int sheet = 0; sheet < 10; ++sheet)
            QCOMPARE(image.pixelColor(pixelOf(sheet + 0.3, 0.5)), layoutPalette().at(sheet % 9));
        // The tenth cutting sheet repeats the first one's colour.
        QCOMPARE(image.pixelColor(pixelOf(9.3, 0.5)), image.pixelColor(pixelOf(0.3, 0.5)));
        QCOMPARE(image.pixelColor(pixelOf(5, 5)), background);
        QCOMPARE(image.pixelColor(3, 530), background);
        // Cell borders and the outline are whole-pixel lines at any zoom:
        // the line between two cells, and the outline's left side where no
        // cell lies (both fall on a pixel's centre line here).
        QCOMPARE(image.pixelColor(pixelOf(1, 0.5)), border);
        QCOMPARE(image.pixelColor(pixelOf(0, 5)), outline);
        canvas.zoom = 0.5;
        const QImage zoomedOut = testing::renderWidget(canvas);
        QCOMPARE(zoomedOut.pixelColor(QPoint(167, 285)), outline);
    }

    void emptyState_data()
    {
        QTest::addColumn<QRectF>("bounds");
        QTest::newRow("no drawing") << QRectF();
        QTest::newRow("zero height") << QRectF(0, 0, 5, 0);
        QTest::newRow("zero width") << QRectF(0, 0, 0, 5);
    }

    void emptyState()
    {
        QFETCH(QRectF, bounds);
        NestingCanvas canvas;
        canvas.resize(500, 300);
        if (!bounds.isNull())
            canvas.setDrawing(rectangleDrawing(bounds.x(), bounds.y(), bounds.width(), bounds.height()),
                              QString());
        canvas.setPlan(CuttingPlan());
        const QImage image = testing::renderWidget(canvas);
        // The message sits centred; the area around it holds only background.
        int messagePixels = 0;
        for (int x = 0; x < 500; ++x)
            for (int y = 140; y < 160; ++y)
                messagePixels += image.pixelColor(x, y) != QColor(0x1e293b) ? 1 : 0;
        QVERIFY(messagePixels > 20);
        for (int y = 60; y < 120; ++y)
            for (int x = 0; x < 500; ++x)
                QCOMPARE(image.pixelColor(x, y), QColor(0x1e293b));
    }

    void widgetWithoutDrawingArea()
    {
        // Not taller than the title band: nothing of the plan can show, and
        // painting must not fail.
        NestingCanvas canvas;
        canvas.resize(300, 30);
        canvas.setDrawing(rectangleDrawing(0, 0, 4, 3), QString());
        CuttingPlan plan;
        plan.cells << cell(0, 0, 4, 3, false, 0, QStringLiteral("R1"));
        canvas.setPlan(plan);
        const QImage image = testing::renderWidget(canvas);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixelColor(x, y) != layoutPalette().at(0));
    }
};

QTEST_MAIN(CanvasTest)
#include "tst_views_canvas.moc"
