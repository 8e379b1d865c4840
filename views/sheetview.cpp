#include "views/sheetview.h"

#include "views/languagetext.h"
#include "views/layoutpalette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

// Margins of the drawing area: the title band above, room below.
constexpr double marginLeft = 25.0;
constexpr double marginTop = 64.0;
constexpr double marginRight = 25.0;
constexpr double marginBottom = 28.0;

const QColor sheetFill(0xf8fafc);
const QColor sheetBorder(0xcbd5e1);
const QColor pieceBorder(0x334155);

QFont labelFont(int weight, int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setWeight(QFont::Weight(weight));
    font.setPixelSize(pixelSize);
    return font;
}

QFont titleFont()
{
    QFont font(QStringLiteral("Arial"), 12);
    font.setBold(true);
    return font;
}


} // namespace

const QList<QColor> &sheetPalette()
{
    static const QList<QColor> palette = layoutPalette().mid(0, 6);
    return palette;
}

QColor sheetPaletteColour(int sheetIndex)
{
    const QList<QColor> &palette = sheetPalette();
    const qsizetype count = palette.size();
    return palette.at(((sheetIndex % count) + count) % count);
}

SheetView::SheetView(QWidget *parent)
    : QWidget(parent)
{
}

SheetView::~SheetView() = default;

bool SheetView::hasSheet() const
{
    return plan && sheetIndex >= 0 && sheetIndex < plan->sheets.size();
}

std::optional<QTransform> SheetView::sheetTransform() const
{
    if (!plan)
        return std::nullopt;
    const double w = plan->sheetWidth;
    const double h = plan->sheetHeight;
    const QRectF area = QRectF(rect()).adjusted(marginLeft, marginTop, -marginRight, -marginBottom);
    const double scale = std::min(area.height() / h, area.width() / w) * 0.94;
    // A widget smaller than its margins, or a sheet without size, has no
    // drawing area; a negative scale would draw the sheet mirrored.
    if (!(w > 0.0) || !(h > 0.0) || !(scale > 0.0) || !std::isfinite(scale))
        return std::nullopt;
    QTransform transform;
    transform.translate(area.center().x(), area.center().y());
    transform.scale(scale, -scale);
    transform.translate(-w / 2.0, -h / 2.0);
    return transform;
}

QString SheetView::titleText() const
{
    if (!plan)
        return QString();
    return textIn(language, QStringLiteral("PLANCHA P%1  ·  %2 × %3 m"),
                          QStringLiteral("SHEET P%1  ·  %2 × %3 m"), QStringLiteral("PLATTE P%1  ·  %2 × %3 m"))
        .arg(cuttingSheetNumber(*plan, sheetIndex))
        .arg(QString::number(plan->sheetWidth, 'f', 3), QString::number(plan->sheetHeight, 'f', 3));
}

namespace {

// Whether a line of text, centred in `box` moved down by `offset` pixels,
// lies within its piece's outline.
bool lineFits(const QPainterPath &piece, const QRectF &box, double offset, const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(text);
    if (width > box.width())
        return false;
    QRectF line(0, 0, width, metrics.height());
    line.moveCenter(box.center() + QPointF(0, offset));
    return piece.contains(line);
}

} // namespace

SheetLabelLayout SheetView::labelLayout(const QPainterPath &pieceOnScreen, const QString &code,
                                        const QString &sizeText)
{
    SheetLabelLayout layout;
    layout.box = pieceOnScreen.boundingRect().adjusted(2, 2, -2, -2);
    const QRectF &r = layout.box;
    const int size = std::clamp(int(std::min(r.height(), r.width()) * 0.15), 8, 13);
    if (2 * size > r.width() || 2 * size + 12 > r.height())
        return layout;
    layout.codePixelSize = size;
    layout.sizePixelSize = std::max(size - 2, 7);
    // The size rules alone let a long code or size spill over the
    // neighbouring pieces of a narrow piece, or, on a slanted or notched
    // piece, onto the sheet where white text cannot be read. Each line is
    // shown only where it lies on the piece.
    layout.showCode = lineFits(pieceOnScreen, r, -10, labelFont(700, layout.codePixelSize), code);
    layout.showSize = lineFits(pieceOnScreen, r, 10, labelFont(400, layout.sizePixelSize), sizeText);
    return layout;
}

QString SheetView::sizeText(const PiecePlacement &placement)
{
    return QStringLiteral("%1 × %2 m")
        .arg(QString::number(placement.shape.bounds.width(), 'f', 3),
             QString::number(placement.shape.bounds.height(), 'f', 3));
}

void SheetView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), darkTheme ? QColor(0x1e293b) : QColor(0xf8fafc));
    if (!hasSheet())
        return;

    painter.setPen(darkTheme ? QColor(Qt::white) : QColor(0x111827));
    painter.setFont(titleFont());
    painter.drawText(QPointF(25, 35), titleText());

    const std::optional<QTransform> transform = sheetTransform();
    if (!transform)
        return;
    const CuttingSheet &sheet = plan->sheets.at(sheetIndex);
    const QRectF sheetRect = transform->mapRect(QRectF(0, 0, plan->sheetWidth, plan->sheetHeight));

    painter.save();
    painter.setBrush(sheetFill);
    painter.setPen(QPen(sheetBorder, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRect(sheetRect);
    // A piece reaching past the sheet edge is drawn only inside the sheet.
    painter.setClipRect(sheetRect, Qt::IntersectClip);
    painter.setBrush(sheetPaletteColour(sheetIndex));
    painter.setPen(QPen(pieceBorder, 0.8, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    for (const PiecePlacement &placement : sheet.placements)
        painter.drawPath(transform->map(placement.shape.path));
    painter.restore();

    painter.setPen(Qt::white);
    for (const PiecePlacement &placement : sheet.placements) {
        const QString code = plan->pieceCodes.value(placement.pieceIndex);
        const QString size = sizeText(placement);
        const SheetLabelLayout layout = labelLayout(transform->map(placement.shape.path), code, size);
        if (layout.showCode) {
            painter.setFont(labelFont(700, layout.codePixelSize));
            painter.drawText(layout.box.translated(0, -10), Qt::AlignCenter, code);
        }
        if (layout.showSize) {
            painter.setFont(labelFont(400, layout.sizePixelSize));
            painter.drawText(layout.box.translated(0, 10), Qt::AlignCenter, size);
        }
    }
}

} // namespace tallero
