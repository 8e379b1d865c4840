#include "ui/windowsnapshot.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace tallero {

bool saveWidgetSnapshot(QWidget &widget, const QString &path)
{
    widget.ensurePolished();
    // A widget never shown has received neither its resize events nor the
    // work they post (text boxes fit their scroll bars to the new size in
    // it). A first paint delivers the resize events, the posted work follows
    // synchronously, and the second paint shows the settled window.
    {
        QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&scratch);
        widget.render(&painter, QPoint(0, 0), QRegion(0, 0, 1, 1));
    }
    QCoreApplication::sendPostedEvents();
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
