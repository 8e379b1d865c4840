#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

namespace tallero {

// Resolution of every report page; all page coordinates are pixels at it.
inline constexpr int reportDotsPerInch = 144;

// "Arial" at `points`, bold or not, as every report text uses it.
QFont reportFont(double points, bool bold = false);

// Width and line height in page pixels of a text set in `font`, measured at
// the report's resolution, so layouts can be decided before any page exists.
double reportTextWidth(const QFont &font, const QString &text);
double reportLineHeight(const QFont &font);
double reportAscent(const QFont &font);
double reportDescent(const QFont &font);

// The eight fills of cut pieces in the report, one per cutting sheet
// (sheet index mod 8); a page and the layout drawing agree on them.
const QList<QColor> &reportPalette();
QColor reportPaletteColour(int sheetIndex);

// The text of `language`: German for "de", English for "en", Spanish for any
// other code.
QString reportText(const QString &language, const char *es, const char *en, const char *de);

// "3.142": fixed notation with the given decimals.
QString fixedText(double value, int decimals);

} // namespace tallero
