#include "ui/windowedstart.h"

#include "ui/mainwindow.h"

#include <QApplication>
#include <QFont>
#include <QScreen>

#include <algorithm>

namespace tallero {

int runWindowed()
{
    QApplication::setFont(QFont(QStringLiteral("Arial"), 10));
    RodalixV69 window;
    // A 1366 × 768 laptop has less room than the window's own size: keep
    // the whole window, title bar and status bar included, on the screen.
    if (const QScreen *screen = window.screen()) {
        const QRect available = screen->availableGeometry();
        if (available.width() < window.width() || available.height() < window.height()) {
            const QRect frame = window.frameGeometry();
            const QSize decoration(frame.width() - window.width(), frame.height() - window.height());
            window.resize(std::min(window.width(), available.width() - decoration.width()),
                          std::min(window.height(), available.height() - decoration.height()));
            window.move(available.topLeft());
        }
    }
    window.show();
    return QApplication::exec();
}

} // namespace tallero
