// The menu bar, and the window-wide zoom keys of the layout view.

#include "ui/mainwindow.h"

#include "ui/aboutbox.h"
#include "ui/localisation.h"
#include "ui/planexport.h"
#include "ui/preferences.h"
#include "ui/reportexport.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

namespace tallero {

namespace {

QString text(const char *spanish, const char *english)
{
    return uiText(QString::fromUtf8(spanish), QString::fromUtf8(english));
}

// An entry whose command comes with a later part of the workflow: present,
// so the menus already read as they will, and disabled until it is wired.
QAction *addPendingEntry(QMenu *menu, const QString &label, const QString &objectName,
                         const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(label);
    action->setObjectName(objectName);
    action->setShortcut(shortcut);
    action->setEnabled(false);
    return action;
}

} // namespace

void RodalixV69::buildMenus()
{
    buildFileMenu();
    buildSettingsMenu();
    buildHelpMenu();
    buildZoomShortcuts();
}

void RodalixV69::buildFileMenu()
{
    QMenu *file = menuBar()->addMenu(text("&Archivo", "&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    addPendingEntry(file, text("Nuevo proyecto", "New project"), QStringLiteral("newProject"),
                    QKeySequence::New);
    addPendingEntry(file, text("Abrir proyecto…", "Open project…"), QStringLiteral("openProject"),
                    QKeySequence(QStringLiteral("Ctrl+Shift+O")));
    addPendingEntry(file, text("Cargar plano DXF…", "Load DXF drawing…"), QStringLiteral("loadDxf"),
                    QKeySequence::Open);
    recentMenu = file->addMenu(text("Archivos recientes", "Recent files"));
    recentMenu->setObjectName(QStringLiteral("recentMenu"));
    recentMenu->setEnabled(false);
    file->addSeparator();
    addPendingEntry(file, text("Guardar proyecto", "Save project"), QStringLiteral("saveProject"),
                    QKeySequence::Save);
    addPendingEntry(file, text("Guardar proyecto como…", "Save project as…"),
                    QStringLiteral("saveProjectAs"), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QAction *exportPdf = addPendingEntry(file, text("Exportar informe PDF…", "Export PDF report…"),
                                         QStringLiteral("exportPdf"), QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    exportPdf->setEnabled(true);
    connect(exportPdf, &QAction::triggered, this, [this] { exportPdfReport(*this); });
    QAction *exportSheets = file->addAction(chooseText(QStringLiteral("Exportar planchas de corte (DXF)…"),
                                                       QStringLiteral("Export cutting sheets (DXF)…"),
                                                       QStringLiteral("Zuschnittplatten exportieren (DXF)…")));
    exportSheets->setObjectName(QStringLiteral("exportSheetsDxf"));
    connect(exportSheets, &QAction::triggered, this, [this] { exportCuttingSheetsDxf(*this); });
    QAction *exportCutList = file->addAction(chooseText(QStringLiteral("Exportar lista de corte (CSV)…"),
                                                        QStringLiteral("Export cut list (CSV)…"),
                                                        QStringLiteral("Schnittliste exportieren (CSV)…")));
    exportCutList->setObjectName(QStringLiteral("exportCutList"));
    connect(exportCutList, &QAction::triggered, this, [this] { exportCutListCsv(*this); });
    file->addSeparator();
    QAction *exit = file->addAction(text("Salir", "Exit"));
    exit->setObjectName(QStringLiteral("exit"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void RodalixV69::buildSettingsMenu()
{
    QMenu *settings = menuBar()->addMenu(text("&Configuración", "&Settings"));
    settings->setObjectName(QStringLiteral("settingsMenu"));
    addPendingEntry(settings, text("Recalcular despiece", "Recalculate cutting plan"),
                    QStringLiteral("recalculateAction"), QKeySequence(Qt::Key_F5));
    addPendingEntry(settings, text("Optimizar distribución", "Optimise layout"),
                    QStringLiteral("optimiseAction"), QKeySequence(Qt::Key_F6));
    // Applies from the next Recalculate or Optimise; the plan shown stays
    // as it was computed and says how it was nested.
    thoroughNestingAction =
        settings->addAction(text("Anidado exhaustivo (menos planchas, más lento)",
                                 "Thorough nesting (fewer sheets, slower)"));
    thoroughNestingAction->setObjectName(QStringLiteral("thoroughNestingAction"));
    thoroughNestingAction->setCheckable(true);
    thoroughNestingAction->setChecked(thoroughNesting);
    connect(thoroughNestingAction, &QAction::triggered, this, [this](bool checked) {
        setThoroughNesting(checked);
        Preferences().setThoroughNesting(checked);
    });
    settings->addSeparator();

    // Its text and check mark are set by applyTheme.
    themeAction = settings->addAction(QString());
    themeAction->setObjectName(QStringLiteral("themeAction"));
    themeAction->setCheckable(true);
    themeAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(themeAction, &QAction::triggered, this, [this] { toggleTheme(); });

    addPendingEntry(settings, text("Restaurar configuración predeterminada", "Restore default settings"),
                    QStringLiteral("restoreDefaults"));

    // The orientation entries drive the radio buttons only; the radio
    // buttons do not move the menu's check mark back.
    QMenu *orientation = settings->addMenu(text("Orientación de plancha", "Sheet orientation"));
    orientation->setObjectName(QStringLiteral("orientationMenu"));
    auto *orientationGroup = new QActionGroup(orientation);
    orientationGroup->setExclusive(true);
    QAction *horizontal = orientation->addAction(QStringLiteral("Horizontal"));
    horizontal->setObjectName(QStringLiteral("horizontalAction"));
    QAction *vertical = orientation->addAction(text("Vertical (girar 90°)", "Vertical (rotate 90°)"));
    vertical->setObjectName(QStringLiteral("verticalAction"));
    for (QAction *action : {horizontal, vertical}) {
        action->setCheckable(true);
        orientationGroup->addAction(action);
    }
    horizontal->setChecked(true);
    connect(horizontal, &QAction::triggered, this, [this] { horizontalRadio->setChecked(true); });
    connect(vertical, &QAction::triggered, this, [this] { verticalRadio->setChecked(true); });

    QMenu *languages = settings->addMenu(text("Idioma", "Language"));
    languages->setObjectName(QStringLiteral("languageMenu"));
    auto *languageGroup = new QActionGroup(languages);
    languageGroup->setExclusive(true);
    const struct
    {
        QString label;
        QString code;
    } entries[] = {
        {text("Español", "Spanish"), QStringLiteral("es")},
        {QStringLiteral("English"), QStringLiteral("en")},
        {QStringLiteral("Deutsch"), QStringLiteral("de")},
    };
    for (const auto &entry : entries) {
        QAction *action = languages->addAction(entry.label);
        action->setObjectName(QStringLiteral("language_") + entry.code);
        action->setCheckable(true);
        action->setChecked(entry.code == language());
        languageGroup->addAction(action);
        const QString code = entry.code;
        connect(action, &QAction::triggered, this, [this, code] { setLanguage(code); });
    }
}

void RodalixV69::buildHelpMenu()
{
    QMenu *help = menuBar()->addMenu(text("A&yuda", "&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    QAction *guide = help->addAction(text("Guía de uso", "User guide"));
    guide->setObjectName(QStringLiteral("userGuide"));
    connect(guide, &QAction::triggered, this, &RodalixV69::showUserGuide);
    help->addSeparator();
    QAction *about = help->addAction(text("Acerca de", "About"));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, &RodalixV69::showAbout);
}

void RodalixV69::adjustGermanHelpMenu()
{
    if (language() != QLatin1String("de"))
        return;
    // The About entry of a German window opens the German about box,
    // whatever the language is later switched to. The entry is marked with
    // the language of the box it opens, and its handler replaced by one that
    // opens that box.
    const QList<QMenu *> menus = menuBar()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly);
    for (QMenu *menu : menus) {
        if (!menu->title().contains(QStringLiteral("Hilfe")))
            continue;
        for (QAction *action : menu->actions()) {
            if (!action->text().contains(QStringLiteral("Über")))
                continue;
            disconnect(action, nullptr, this, nullptr);
            action->setData(QStringLiteral("de"));
            connect(action, &QAction::triggered, this, [this] { showAboutBox(this, QStringLiteral("de")); });
        }
    }
}

void RodalixV69::buildZoomShortcuts()
{
    // The zoom keys of every viewer, on the layout view, wherever the focus
    // is in the window.
    const struct
    {
        const char *name;
        QList<QKeySequence> keys;
        void (NestingCanvas::*run)();
    } zooms[] = {
        {"zoomInAction", {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))},
         &NestingCanvas::zoomIn},
        {"zoomOutAction", {QKeySequence(QStringLiteral("Ctrl+-"))}, &NestingCanvas::zoomOut},
        {"fitViewAction", {QKeySequence(QStringLiteral("Ctrl+0"))}, &NestingCanvas::resetView},
    };
    for (const auto &zoom : zooms) {
        auto *action = new QAction(this);
        action->setObjectName(QString::fromLatin1(zoom.name));
        action->setShortcuts(zoom.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, canvas, zoom.run);
        addAction(action);
    }
}

} // namespace tallero
