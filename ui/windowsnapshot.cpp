#include "ui/windowsnapshot.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace tallero {

bool saveWidgetSnapshot(QWidget &widget, const QString &path)
{
    widget.ensurePolished();
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        widget.render(&painter, QPoint(0, 0), QRegion(),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
    return image.save(path);
}

} // namespace tallero
