#include "views/nestingcanvas.h"

#include "views/languagetext.h"
#include "views/layoutpalette.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

// Height of the title band above the drawing area, in pixels.
constexpr double titleBandHeight = 35.0;
// One notch of a standard mouse wheel, in eighths of a degree.
constexpr int wheelStep = 120;

const QColor wholeSheetFill(0x29459a);
const QColor darkCodeText(0x0f172a);

struct CanvasColours
{
    QColor background;
    QColor title;
    QColor fileName;   // also the empty-state message
    QColor cellBorder;
    QColor outline;
};

const CanvasColours &canvasColours(bool dark)
{
    static const CanvasColours darkColours{QColor(0x1e293b), Qt::white, QColor(0x94a3b8), QColor(0x60a5fa),
                                           QColor(0xe2e8f0)};
    static const CanvasColours lightColours{Qt::white, QColor(0x111827), QColor(0x64748b), QColor(0x1d4ed8),
                                            QColor(0x1e293b)};
    return dark ? darkColours : lightColours;
}

QFont titleFont()
{
    QFont font(QStringLiteral("Arial"), 11, 700);
    font.setItalic(false);
    return font;
}

QFont fileNameFont()
{
    QFont font(QStringLiteral("Arial"), 8, QFont::Normal);
    font.setItalic(true);
    return font;
}

QFont codeFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(pixelSize);
    return font;
}

// Borders and the outline are one-pixel lines at every zoom. A pen a
// fraction of a pixel wide would be painted, with antialiasing, at that
// fraction of its colour, which leaves the lines all but invisible.
QPen hairline(const QColor &colour)
{
    QPen pen(colour, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    return pen;
}

QColor cellFill(const GridCell &cell)
{
    return cell.whole ? wholeSheetFill : layoutPaletteColour(cell.sheetIndex);
}


} // namespace

NestingCanvas::NestingCanvas(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

void NestingCanvas::setDrawing(const Drawing &newDrawing, const QString &newFileName)
{
    drawing = newDrawing;
    fileName = QFileInfo(newFileName).fileName();
    plan.reset();
    zoom = 1.0;
    panX = 0.0;
    panY = 0.0;
    pendingWheelDelta = 0;
    update();
}

void NestingCanvas::setPlan(std::optional<CuttingPlan> newPlan)
{
    plan = std::move(newPlan);
    update();
}

void NestingCanvas::clearAll()
{
    plan.reset();
    drawing = Drawing();
    fileName.clear();
    zoom = 1.0;
    panX = 0.0;
    panY = 0.0;
    pendingWheelDelta = 0;
    update();
}

void NestingCanvas::zoomIn()
{
    zoom = std::min(zoom * 1.2, maximumZoom);
    update();
}

void NestingCanvas::zoomOut()
{
    zoom = std::max(zoom * 0.8, minimumZoom);
    update();
}

void NestingCanvas::resetView()
{
    zoom = 1.0;
    panX = 0.0;
    panY = 0.0;
    update();
}

QTransform NestingCanvas::worldToScreen() const
{
    if (!isNonEmpty(drawing))
        return QTransform();
    const QRectF &b = drawing.bounds;
    const double w = width();
    const double h = height();
    const double fitted = std::min((h - titleBandHeight) / b.height(), w / b.width());
    const double scale = fitted * 0.8 * zoom;
    QTransform transform;
    transform.translate(w * 0.5 + panX, (h - titleBandHeight) * 0.5 + titleBandHeight + panY);
    transform.scale(scale, -scale);
    transform.translate(-b.center().x(), -b.center().y());
    return transform;
}

QString NestingCanvas::titleText() const
{
    if (!plan)
        return textIn(language, QStringLiteral("VISTA DE MONTAJE"), QStringLiteral("LAYOUT VIEW"),
                              QStringLiteral("MONTAGEANSICHT"));
    const QString width = QString::number(drawing.bounds.width(), 'f', 3);
    const QString height = QString::number(drawing.bounds.height(), 'f', 3);
    const QString zoomText = QString::number(zoom, 'f', 1);
    return textIn(language, QStringLiteral("VISTA DE MONTAJE (%1 x %2 m) - Zoom: %3x"),
                          QStringLiteral("LAYOUT VIEW (%1 x %2 m) - Zoom: %3x"),
                          QStringLiteral("MONTAGEANSICHT (%1 x %2 m) – Zoom: %3x"))
        .arg(width, height, zoomText);
}

int NestingCanvas::codeLabelPixelSize(const QRectF &cellOnScreen, const QString &code)
{
    const QRectF r = cellOnScreen.adjusted(1, 1, -1, -1);
    const int size = std::clamp(int(std::min(r.width(), r.height()) * 0.22), 7, 12);
    if (1.25 * size > r.width() || size + 2 > r.height())
        return 0;
    // The size rules alone let a long code spill over its neighbours in a
    // narrow cell; a code is shown only where its measured width fits.
    if (QFontMetricsF(codeFont(size)).horizontalAdvance(code) > r.width())
        return 0;
    return size;
}

void NestingCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        lastMousePos = event->position().toPoint();
        return;
    }
    QWidget::mousePressEvent(event);
}

void NestingCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & (Qt::RightButton | Qt::MiddleButton))) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint position = event->position().toPoint();
    panX += position.x() - lastMousePos.x();
    panY += position.y() - lastMousePos.y();
    lastMousePos = position;
    update();
}

void NestingCanvas::wheelEvent(QWheelEvent *event)
{
    // A horizontal swipe carries no vertical delta and is no zoom request.
    const int delta = event->angleDelta().y();
    event->accept();
    if (delta == 0)
        return;
    // Touchpads and free-spinning wheels send fractions of a notch; they are
    // summed so that every full notch's worth is one step, as on a standard
    // wheel.
    pendingWheelDelta += delta;
    const int steps = pendingWheelDelta / wheelStep;
    pendingWheelDelta -= steps * wheelStep;
    // A step that would leave the zoom range is refused, not clamped.
    const double factor = steps > 0 ? 1.2 : 0.8;
    for (int i = 0; i < std::abs(steps); ++i) {
        const double next = zoom * factor;
        if (next >= minimumZoom && next <= maximumZoom)
            zoom = next;
    }
    if (steps != 0)
        update();
}

void NestingCanvas::paintEvent(QPaintEvent *)
{
    const CanvasColours &colours = canvasColours(darkTheme);
    const double w = width();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), colours.background);

    const QString title = titleText();
    painter.setPen(colours.title);
    painter.setFont(titleFont());
    painter.drawText(QPointF(18, 30), title);

    if (!fileName.isEmpty()) {
        const double titleAdvance = painter.fontMetrics().horizontalAdvance(title);
        painter.setFont(fileNameFont());
        painter.setPen(colours.fileName);
        const int available = int(std::max(0.0, w - 54.0 - titleAdvance));
        const QString text =
            painter.fontMetrics().elidedText(QStringLiteral("• ") + fileName, Qt::ElideRight, available);
        painter.drawText(QRectF(titleAdvance + 36, 13, available, 20), Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    if (!isNonEmpty(drawing)) {
        painter.setPen(colours.fileName);
        painter.drawText(rect(), Qt::AlignCenter,
                         textIn(language, QStringLiteral("Carga un plano DXF para calcular el despiece."),
                                        QStringLiteral("Load a DXF drawing to calculate the cutting plan."),
                                        QStringLiteral("Laden Sie eine DXF-Zeichnung, um den Zuschnitt zu berechnen.")));
        return;
    }

    const QTransform transform = worldToScreen();
    const double scale = transform.m11();
    // A widget no taller than the title band has no drawing area.
    if (!(scale > 0.0) || !std::isfinite(scale))
        return;

    painter.save();
    painter.setTransform(transform);
    if (plan) {
        const QPen border = hairline(colours.cellBorder);
        for (const GridCell &cell : plan->cells) {
            painter.setBrush(cellFill(cell));
            painter.setPen(border);
            painter.drawPath(cell.shape.path);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(hairline(colours.outline));
    painter.drawPath(drawing.path);
    painter.restore();

    if (!plan)
        return;
    for (const GridCell &cell : plan->cells) {
        const QRectF cellOnScreen = transform.mapRect(cell.shape.bounds);
        const int size = codeLabelPixelSize(cellOnScreen, cell.code);
        if (size == 0)
            continue;
        const QRectF r = cellOnScreen.adjusted(1, 1, -1, -1);
        painter.setFont(codeFont(size));
        painter.setPen(cellFill(cell).lightness() <= 165 ? QColor(Qt::white) : darkCodeText);
        painter.drawText(r, Qt::AlignCenter, cell.code);
    }
}

} // namespace tallero
