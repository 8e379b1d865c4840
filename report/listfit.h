#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace tallero {

// One entry of a printed list: a code and its description.
struct ListEntryText
{
    QString code;
    QString text;
};

// Where a list goes and how it looks at its own size. Offsets are page
// pixels from an entry's anchor (its column's left edge and its row's y) at
// that size; smaller sizes scale them.
struct ListFrame
{
    QRectF area;              // columns share its width; every entry stays inside it
    double firstRowY = 0.0;   // anchor y of the first row
    double pitch = 0.0;       // rows apart
    int columns = 1;          // columns at the list's own size
    double codePoints = 8.0;
    double textPoints = 7.0;
    double codeDx = 0.0;      // code baseline
    double codeDy = 0.0;
    double textDx = 0.0;      // least x of the description
    double textTopDy = 0.0;   // top of the description's line
    double swatchSize = 0.0;  // 0: no swatch; else a square at the anchor
    double swatchDy = 0.0;
    double columnRightInset = 4.0;   // a description ends this far before the next column
};

// One entry as laid out: everything it draws lies inside `box`.
struct ListEntryBox
{
    qsizetype index = 0;      // into the entries given
    QRectF box;
    QRectF swatch;            // empty without a swatch
    QPointF codeBaseline;
    QRectF textRect;          // the description, left- and top-aligned in it
};

struct FittedList
{
    QList<ListEntryBox> entries;
    QFont codeFont;
    QFont textFont;
    double scale = 1.0;       // 1 at the list's own size
    double pitch = 0.0;
    int columns = 1;
    int rows = 0;
    QList<double> columnLefts;
    qsizetype hiddenCount = 0;   // entries that could not be shown at all
    QRectF moreRect;             // the "+N more" line when some are hidden
};

// The smallest readable type of a report list.
inline constexpr double minimumListPoints = 6.0;

// Lays a list out in its frame. At the frame's own size when every entry
// fits there; otherwise with more columns, then tighter rows and smaller
// type down to minimumListPoints; only past that, with as many entries as
// fit followed by a "+N more" line.
FittedList fitList(const ListFrame &frame, const QList<ListEntryText> &entries);

// "+3 más", "+3 more", "+3 weitere".
QString moreEntriesText(qsizetype hidden, const QString &language);

} // namespace tallero
