#include "report/pageframe.h"

#include "report/reportstyle.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>

namespace tallero {

namespace {

// Positions built from an edge plus an offset are whole pixels, truncated.
int truncated(double value)
{
    return int(value);
}

} // namespace

QString pageNumberText(int pageNumber, int pageCount, const QString &language)
{
    return reportText(language, "Página %1 de %2", "Page %1 of %2", "Seite %1 von %2")
        .arg(pageNumber)
        .arg(pageCount);
}

double footerLineY(const QRectF &page)
{
    return truncated(page.bottom() - 44);
}

QString fittedSubtitle(const QRectF &page, const QString &subtitle)
{
    const QFont font = reportFont(9);
    const double available = page.width() - 120;
    if (reportTextWidth(font, subtitle) <= available)
        return subtitle;
    // Elide by measuring, not with QFontMetrics::elidedText at screen
    // resolution: the page's pixels are what must not be exceeded.
    const QString ellipsis = QStringLiteral("…");
    qsizetype keep = subtitle.size();
    while (keep > 0) {
        --keep;
        const qsizetype head = (keep + 1) / 2;
        const qsizetype tail = keep - head;
        const QString candidate = subtitle.left(head) + ellipsis + subtitle.right(tail);
        if (reportTextWidth(font, candidate) <= available)
            return candidate;
    }
    return ellipsis;
}

void drawPageFooter(QPainter &painter, const QRectF &page, int pageNumber, int pageCount,
                    const QString &language)
{
    const int left = truncated(page.left() + 60);
    const int right = truncated(page.right() - 60);
    const int lineY = truncated(footerLineY(page));
    painter.setPen(QColor(0xcbd5e1));
    painter.drawLine(QPoint(left, lineY), QPoint(right, lineY));
    painter.setPen(QColor(0x64748b));
    painter.setFont(reportFont(7));
    painter.drawText(QRectF(left, truncated(page.bottom() - 37), page.width() - 120, 20), Qt::AlignRight,
                     pageNumberText(pageNumber, pageCount, language));
}

void drawPageHeader(QPainter &painter, const QRectF &page, const QString &title, const QString &subtitle,
                    int pageNumber, int pageCount, const QString &language)
{
    painter.fillRect(page, Qt::white);
    const int left = truncated(page.left() + 60);

    painter.setPen(QColor(0x111827));
    painter.setFont(reportFont(21, true));
    painter.drawText(QPoint(left, truncated(page.top() + 62)), title);

    painter.setFont(reportFont(9));
    painter.setPen(QColor(0x64748b));
    painter.drawText(QPoint(left, truncated(page.top() + 90)), fittedSubtitle(page, subtitle));
    painter.drawText(QRectF(truncated(page.right() - 300), truncated(page.top() + 42), 240, 20), Qt::AlignRight,
                     QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")));

    painter.setPen(QPen(QColor(0x1d4ed8), 3, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    const int ruleY = truncated(page.top() + 108);
    painter.drawLine(QPoint(left, ruleY), QPoint(truncated(page.right() - 60), ruleY));

    drawPageFooter(painter, page, pageNumber, pageCount, language);
}

void drawPanel(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.setBrush(QColor(0xf3f4f6));
    painter.setPen(QPen(QColor(0xd1d5db), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRoundedRect(rect, 14, 14, Qt::AbsoluteSize);
    painter.restore();
}

} // namespace tallero
