#include "ui/windowedstart.h"

#include "ui/mainwindow.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace tallero {

void fitWindowToScreen(QWidget &window, const QRect &available)
{
    // The frame is known only once a shown window has been decorated; before
    // that frameGeometry() equals geometry() and the frame counts as nothing.
    const QRect frame = window.frameGeometry();
    const int frameWidth = frame.width() - window.width();
    const int frameHeight = frame.height() - window.height();
    if (window.width() + frameWidth <= available.width() && window.height() + frameHeight <= available.height())
        return;
    window.resize(std::min(window.width(), available.width() - frameWidth),
                  std::min(window.height(), available.height() - frameHeight));
    window.move(available.topLeft());
}

int runWindowed(const QString &startFile)
{
    QApplication::setFont(QFont(QStringLiteral("Arial"), 10));
    RodalixV69 window;
    if (const QScreen *screen = window.screen())
        fitWindowToScreen(window, screen->availableGeometry());
    window.show();
    if (!startFile.isEmpty())
        QTimer::singleShot(0, &window, [&window, startFile] { window.openStartupFile(startFile); });
    return QApplication::exec();
}

} // namespace tallero
