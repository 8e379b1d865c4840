#pragma once

#include <QColor>
#include <QList>

namespace tallero {

// The nine fills of cut pieces, one per cutting sheet (sheet index mod 9), so
// every piece nested on one physical sheet shares a colour in every view.
const QList<QColor> &layoutPalette();

// The fill of a cut piece nested on cutting sheet `sheetIndex`.
QColor layoutPaletteColour(int sheetIndex);

} // namespace tallero
