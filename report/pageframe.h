#pragma once

#include <QRectF>
#include <QString>

class QPainter;

namespace tallero {

// The frame every report page shares: white background, title, subtitle
// (elided in the middle when it would run past the page), the date and time
// of printing, the blue rule, and the footer with the page number.
void drawPageHeader(QPainter &painter, const QRectF &page, const QString &title, const QString &subtitle,
                    int pageNumber, int pageCount, const QString &language);
void drawPageFooter(QPainter &painter, const QRectF &page, int pageNumber, int pageCount,
                    const QString &language);

// One rounded panel box.
void drawPanel(QPainter &painter, const QRectF &rect);

// "Página 1 de 4", "Page 1 of 4", "Seite 1 von 4".
QString pageNumberText(int pageNumber, int pageCount, const QString &language);

// The subtitle as printed: `subtitle` elided in the middle to the width
// between the page margins.
QString fittedSubtitle(const QRectF &page, const QString &subtitle);

// The y of the footer line: nothing of a page's content may reach below it.
double footerLineY(const QRectF &page);

} // namespace tallero
