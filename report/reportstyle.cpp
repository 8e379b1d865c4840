#include "report/reportstyle.h"

#include "views/languagetext.h"

#include <QFontMetricsF>
#include <QImage>

namespace tallero {

namespace {

// A paint device of the report's resolution: fonts measured against it have
// the sizes they get on the PDF page.
const QImage &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(reportDotsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

} // namespace

QFont reportFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double reportTextWidth(const QFont &font, const QString &text)
{
    return QFontMetricsF(font, &measuringDevice()).horizontalAdvance(text);
}

double reportLineHeight(const QFont &font)
{
    return QFontMetricsF(font, &measuringDevice()).height();
}

double reportAscent(const QFont &font)
{
    return QFontMetricsF(font, &measuringDevice()).ascent();
}

double reportDescent(const QFont &font)
{
    return QFontMetricsF(font, &measuringDevice()).descent();
}

const QList<QColor> &reportPalette()
{
    static const QList<QColor> palette{
        QColor(0x10b981), QColor(0xf97316), QColor(0xa855f7), QColor(0xeab308),
        QColor(0xec4899), QColor(0x14b8a6), QColor(0x6366f1), QColor(0xef4444),
    };
    return palette;
}

QColor reportPaletteColour(int sheetIndex)
{
    const qsizetype count = reportPalette().size();
    return reportPalette().at(((sheetIndex % count) + count) % count);
}

QString reportText(const QString &language, const char *es, const char *en, const char *de)
{
    return textIn(language, QString::fromUtf8(es), QString::fromUtf8(en), QString::fromUtf8(de));
}

QString fixedText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace tallero
