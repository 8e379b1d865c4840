// Files dropped on the window from a file manager: a drawing or a project is
// opened as the File menu opens it; anything else is refused, so the pointer
// shows at once that the drop would do nothing.

#include "ui/mainwindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace tallero {

namespace {

bool isOpenableFile(const QString &path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    // A folder named like a drawing is not one.
    return !info.isDir()
        && (suffix.compare(QLatin1String("dxf"), Qt::CaseInsensitive) == 0
            || suffix.compare(QLatin1String("tlr"), Qt::CaseInsensitive) == 0);
}

// Of several dropped files the first the window can open is taken, the
// others are left alone. Only local files count: the window reads paths.
QString firstOpenableFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && isOpenableFile(url.toLocalFile()))
            return url.toLocalFile();
    }
    return QString();
}

// The file is read, never moved: a source that offers to move it (Shift in
// many file managers) would delete it after a drop accepted as a move.
bool acceptAsCopy(QDropEvent *event)
{
    for (const Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    return false;
}

} // namespace

void RodalixV69::acceptFileDrops()
{
    setAcceptDrops(true);
    // Widgets that take drops of their own (the sheet fields take text, and
    // a file manager's drag carries its paths as text too) would swallow a
    // dropped drawing as text: they hand such drags to the window.
    for (QWidget *widget : findChildren<QWidget *>()) {
        if (widget->acceptDrops())
            widget->installEventFilter(this);
    }
}

bool RodalixV69::takeFileDrag(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = firstOpenableFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    // While a computation runs the window takes no other work.
    if (isComputing() || !acceptAsCopy(drop)) {
        drop->ignore();
        return true;
    }
    if (type == QEvent::Drop) {
        // Opened once the drop is over: the file manager waits for the drop
        // to end, and the opening may ask questions and compute for a while.
        QTimer::singleShot(0, this, [this, path] { openDroppedFile(path); });
    }
    return true;
}

void RodalixV69::dragEnterEvent(QDragEnterEvent *event)
{
    if (!takeFileDrag(event))
        event->ignore();
}

void RodalixV69::dragMoveEvent(QDragMoveEvent *event)
{
    if (!takeFileDrag(event))
        event->ignore();
}

void RodalixV69::dropEvent(QDropEvent *event)
{
    if (!takeFileDrag(event))
        event->ignore();
}

bool RodalixV69::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this && takeFileDrag(event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void RodalixV69::openDroppedFile(const QString &path)
{
    if (isComputing())
        return;
    if (path.endsWith(QStringLiteral(".tlr"), Qt::CaseInsensitive)) {
        // Asks about unsaved work once the project and its drawing are found.
        openProject(path);
        return;
    }
    if (!settleUnsavedWorkBeforeLoading())
        return;
    openDrawingWithoutDialog(path);
}

} // namespace tallero
