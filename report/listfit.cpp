#include "report/listfit.h"

#include "report/reportstyle.h"


#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

struct Attempt
{
    double scale = 1.0;
    double pitch = 0.0;
    int columns = 1;
};

constexpr int mostColumns = 12;

class Layout
{
public:
    Layout(const ListFrame &frame, const QList<ListEntryText> &entries, const Attempt &attempt)
        : frame(frame), entries(entries), attempt(attempt),
          codeFont(reportFont(std::max(minimumListPoints, frame.codePoints * attempt.scale), true)),
          textFont(reportFont(std::max(minimumListPoints, frame.textPoints * attempt.scale)))
    {
        columnWidth = frame.area.width() / attempt.columns;
    }

    ListEntryBox place(qsizetype index, int column, int row) const
    {
        const double k = attempt.scale;
        const double x = frame.area.left() + column * columnWidth;
        const double y = frame.firstRowY + row * attempt.pitch;
        const ListEntryText &entry = entries.at(index);
        ListEntryBox placed;
        placed.index = index;
        placed.codeBaseline = QPointF(x + frame.codeDx * k, y + frame.codeDy * k);
        const double codeWidth = reportTextWidth(codeFont, entry.code);
        // The description starts where the frame puts it, or after the code
        // when the code is longer than the frame expects (R100 and up).
        const double gap = std::max(4.0, reportTextWidth(codeFont, QStringLiteral(" ")));
        const double textX = std::max(x + frame.textDx * k, placed.codeBaseline.x() + codeWidth + gap);
        const double textRight = x + columnWidth - frame.columnRightInset;
        placed.textRect = QRectF(textX, y + frame.textTopDy * k, std::max(0.0, textRight - textX),
                                 reportLineHeight(textFont));
        if (frame.swatchSize > 0)
            placed.swatch = QRectF(x, y + frame.swatchDy * k, frame.swatchSize * k, frame.swatchSize * k);
        QRectF box(QPointF(x, placed.codeBaseline.y() - reportAscent(codeFont)),
                   QPointF(textRight, placed.codeBaseline.y() + reportDescent(codeFont)));
        box = box.united(placed.textRect);
        if (!placed.swatch.isEmpty())
            box = box.united(placed.swatch);
        placed.box = box;
        return placed;
    }

    // Whether the entry's description fits its column.
    bool fitsWidth(qsizetype index) const
    {
        const ListEntryBox placed = place(index, 0, 0);
        return reportTextWidth(textFont, entries.at(index).text) <= placed.textRect.width();
    }

    bool rowFits(int row) const
    {
        const ListEntryBox placed = place(0, 0, row);
        return placed.box.top() >= frame.area.top() - 0.01 && placed.box.bottom() <= frame.area.bottom() + 0.01;
    }

    int rowCapacity() const
    {
        int rows = 0;
        while (rows < 100000 && rowFits(rows))
            ++rows;
        return rows;
    }

    FittedList result(qsizetype shown, int rows) const
    {
        FittedList fitted;
        fitted.codeFont = codeFont;
        fitted.textFont = textFont;
        fitted.scale = attempt.scale;
        fitted.pitch = attempt.pitch;
        fitted.columns = attempt.columns;
        fitted.rows = rows;
        for (int column = 0; column < attempt.columns; ++column)
            fitted.columnLefts.append(frame.area.left() + column * columnWidth);
        for (qsizetype i = 0; i < shown; ++i)
            fitted.entries.append(place(i, int(i / rows), int(i % rows)));
        return fitted;
    }

    const ListFrame &frame;
    const QList<ListEntryText> &entries;
    Attempt attempt;
    QFont codeFont;
    QFont textFont;
    double columnWidth = 0.0;
};

bool everyEntryFitsWidth(const Layout &layout)
{
    for (qsizetype i = 0; i < layout.entries.size(); ++i) {
        if (!layout.fitsWidth(i))
            return false;
    }
    return true;
}

// The attempts in the order they are tried: the frame's own size with its
// own columns, then more columns; then each smaller type size with rows
// scaled to it, then with rows as tight as the type allows.
QList<Attempt> attempts(const ListFrame &frame)
{
    QList<Attempt> sizes;
    sizes.append({1.0, frame.pitch, 0});
    for (double points = frame.textPoints - 0.5; points >= minimumListPoints - 1e-9; points -= 0.5) {
        const double scale = points / frame.textPoints;
        sizes.append({scale, frame.pitch * scale, 0});
        const double tight = 1.15 * std::max(reportLineHeight(reportFont(std::max(minimumListPoints,
                                                                                  frame.codePoints * scale), true)),
                                             reportLineHeight(reportFont(points)));
        if (tight < frame.pitch * scale - 0.5)
            sizes.append({scale, tight, 0});
    }
    QList<Attempt> all;
    for (const Attempt &size : sizes) {
        for (int columns = frame.columns; columns <= mostColumns; ++columns)
            all.append({size.scale, size.pitch, columns});
    }
    return all;
}

} // namespace

QString moreEntriesText(qsizetype hidden, const QString &language)
{
    return reportText(language, "+%1 más", "+%1 more", "+%1 weitere").arg(hidden);
}

FittedList fitList(const ListFrame &frame, const QList<ListEntryText> &entries)
{
    const qsizetype count = entries.size();
    if (count == 0) {
        Layout layout(frame, entries, {1.0, frame.pitch, frame.columns});
        return layout.result(0, 0);
    }
    const QList<Attempt> tries = attempts(frame);
    for (const Attempt &attempt : tries) {
        const Layout layout(frame, entries, attempt);
        const int rows = int((count + attempt.columns - 1) / attempt.columns);
        if (!layout.rowFits(rows - 1) || !everyEntryFitsWidth(layout))
            continue;
        return layout.result(count, rows);
    }

    // Past the smallest type: the tightest rows with as many columns as
    // still take every description, filled up, the last place telling how
    // many entries are left out.
    Attempt last = tries.last();
    last.columns = 1;
    for (int columns = mostColumns; columns > 1; --columns) {
        const Attempt attempt{last.scale, last.pitch, columns};
        if (everyEntryFitsWidth(Layout(frame, entries, attempt))) {
            last = attempt;
            break;
        }
    }
    const Layout layout(frame, entries, last);
    const int rows = std::max(1, layout.rowCapacity());
    const qsizetype capacity = qsizetype(rows) * last.columns;
    const qsizetype shown = std::max<qsizetype>(0, std::min(count, capacity - 1));
    FittedList fitted = layout.result(shown, rows);
    fitted.hiddenCount = count - shown;
    const ListEntryBox slot = layout.place(0, int(shown / rows), int(shown % rows));
    fitted.moreRect = QRectF(slot.box.left(), slot.textRect.top(), slot.box.width(), slot.textRect.height());
    return fitted;
}

} // namespace tallero
