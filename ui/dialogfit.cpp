#include "ui/dialogfit.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tallero {

QSize sizeWithinArea(const QSize &wanted, const QSize &available, const QMargins &frame)
{
    const int width = available.width() - frame.left() - frame.right();
    const int height = available.height() - frame.top() - frame.bottom();
    return QSize(std::max(1, std::min(wanted.width(), width)), std::max(1, std::min(wanted.height(), height)));
}

void shrinkDialogToScreen(QWidget &dialog, const QWidget *owner)
{
    const QWidget *reference = owner ? owner->window() : &dialog;
    const QScreen *screen = reference->screen();
    if (!screen)
        return;
    QMargins frame;
    if (reference->isVisible()) {
        const QRect outer = reference->frameGeometry();
        const QRect inner = reference->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    const QSize fitted = sizeWithinArea(dialog.size(), screen->availableGeometry().size(), frame);
    if (fitted != dialog.size())
        dialog.resize(fitted);
}

} // namespace tallero
