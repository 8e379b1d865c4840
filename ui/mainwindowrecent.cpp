// The Recent files submenu and its stored list.

#include "ui/mainwindow.h"

#include "ui/localisation.h"
#include "ui/preferences.h"
#include "ui/recentfiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace tallero {

void RodalixV69::addRecentFile(const QString &path)
{
    Preferences preferences;
    preferences.setRecentFiles(recentFilesWith(preferences.recentFiles(), QFileInfo(path).absoluteFilePath(),
                                               Preferences::maxRecentFiles));
    rebuildRecentMenu();
}

void RodalixV69::rebuildRecentMenu()
{
    if (!recentMenu)
        return;
    // The entry being triggered may be the one that rebuilds the menu (a
    // recent drawing that loads and joins the list): its action must outlive
    // this call, so the old entries go when control is back in the loop.
    const QList<QAction *> old = recentMenu->actions();
    for (QAction *action : old) {
        recentMenu->removeAction(action);
        action->deleteLater();
    }

    Preferences preferences;
    const QStringList stored = preferences.recentFiles();
    const QStringList files = existingRecentFiles(stored);
    if (files != stored)
        preferences.setRecentFiles(files);

    if (files.isEmpty()) {
        QAction *none = recentMenu->addAction(chooseText(QStringLiteral("No hay archivos recientes"),
                                                         QStringLiteral("No recent files"),
                                                         QStringLiteral("Keine zuletzt verwendeten Dateien")));
        none->setObjectName(QStringLiteral("noRecentFiles"));
        none->setEnabled(false);
        return;
    }
    for (const QString &path : files) {
        QAction *entry = recentMenu->addAction(recentEntryText(path));
        entry->setToolTip(path);
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    recentMenu->addSeparator();
    QAction *clear = recentMenu->addAction(chooseText(QStringLiteral("Limpiar recientes"),
                                                      QStringLiteral("Clear recent files"),
                                                      QStringLiteral("Liste löschen")));
    clear->setObjectName(QStringLiteral("clearRecentFiles"));
    connect(clear, &QAction::triggered, this, &RodalixV69::clearRecentFiles);
}

void RodalixV69::clearRecentFiles()
{
    Preferences().clearRecentFiles();
    rebuildRecentMenu();
}

void RodalixV69::openRecentFile(const QString &path)
{
    if (path.endsWith(QStringLiteral(".tlr"), Qt::CaseInsensitive)) {
        openProject(path);
        return;
    }
    // As with the file dialog: the fields first, then the unsaved work.
    double width = 0.0;
    double height = 0.0;
    double clearance = 0.0;
    if (!validateSheetInputs(width, height, clearance))
        return;
    if (!settleUnsavedWorkBeforeLoading())
        return;
    if (!loadDxfFile(path, true))
        return;
    projectPath.clear();
    setModified(true);
    recordStoredSheetValues();
    refreshWindowTitle();
}

} // namespace tallero
