#include "views/layoutpalette.h"

namespace tallero {

const QList<QColor> &layoutPalette()
{
    static const QList<QColor> palette{
        QColor(0x10b981), QColor(0xf97316), QColor(0xa855f7), QColor(0xeab308), QColor(0xec4899),
        QColor(0x14b8a6), QColor(0x6366f1), QColor(0xef4444), QColor(0x22c55e),
    };
    return palette;
}

QColor layoutPaletteColour(int sheetIndex)
{
    const QList<QColor> &palette = layoutPalette();
    const qsizetype count = palette.size();
    // A negative index never comes from the engine; wrap it like any other
    // rather than read outside the list.
    return palette.at(((sheetIndex % count) + count) % count);
}

} // namespace tallero
