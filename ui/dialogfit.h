#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace tallero {

// The size a dialog of size `wanted` may have so that, with its window frame,
// it stays within `available` (the screen's free area): each side is cut to
// what is free, never grown.
QSize sizeWithinArea(const QSize &wanted, const QSize &available, const QMargins &frame);

// Shrinks a dialog about to be shown to the free area of its owner's screen
// (a 1366 × 768 laptop has less than many dialogs ask for). The frame of a
// dialog is known only once it is shown, so the owner's frame stands in for
// it. A dialog that fits is left as it is; Qt then places it over its owner
// and within the screen.
void shrinkDialogToScreen(QWidget &dialog, const QWidget *owner);

} // namespace tallero
