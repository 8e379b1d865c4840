#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"

#include <QMainWindow>
#include <QString>

#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tallero {

class NestingCanvas;

// The one main window: the sheet settings, the report and legend panel, the
// layout view and the menus, and the state of the current work (language,
// theme, drawing path, plan, project path, unsaved changes). Every widget it
// owns that tests or the theme address carries a lower-case object name.
class RodalixV69 : public QMainWindow
{
    Q_OBJECT

public:
    RodalixV69();
    ~RodalixV69() override;

    // The one way a plan reaches the window: codes are assigned, the nesting
    // is checked, the choices it was computed with are recorded, and the
    // canvas, legend and summary are refreshed.
    void applyPlan(CuttingPlan newPlan);
    void updateSummary();
    QString startCornerName() const;
    void refreshLegend();
    const std::optional<CuttingPlan> &currentPlan() const { return plan; }

    // A drawing taken over: the canvas shows it, the plan is dropped, the
    // piece and type labels describe it and the title names its file.
    void showDrawing(const Drawing &drawing, const QString &path);
    bool hasDrawing() const;

    // The current language code ("es", "en" or "de"), shared with the text
    // chooser so every text produced from now on follows it.
    const QString &language() const;
    void setLanguage(const QString &code);

    bool isDarkTheme() const { return darkTheme; }
    void applyTheme();
    void toggleTheme();
    void saveTheme();

    bool isModified() const { return modified; }
    void setModified(bool changed);

    NestingCanvas *layoutCanvas() const { return canvas; }

    // The viewer and help dialogs (mainwindowdialogs.cpp). The viewer is not
    // modal and keeps a copy of the plan it was opened with; the guide and
    // the about box are modal. Each speaks the language of the moment.
    void showCuttingSheets();
    void showUserGuide();
    void showAbout();

    // The size the window is built with, and the one its snapshot keeps.
    static constexpr int initialWidth = 1450;
    static constexpr int initialHeight = 880;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPanels();
    void buildTopPanel(QWidget *panel, bool spanish);
    QWidget *buildReportColumn(bool spanish);
    QWidget *buildLayoutArea(bool spanish);
    void buildMenus();
    void buildFileMenu();
    void buildSettingsMenu();
    void buildHelpMenu();
    void buildZoomShortcuts();
    void adjustGermanHelpMenu();
    QPushButton *makeButton(const QString &text);
    void refreshWindowTitle();

    bool darkTheme = true;
    QLineEdit *sheetWidthEdit = nullptr;
    QLineEdit *sheetHeightEdit = nullptr;
    QLineEdit *clearanceEdit = nullptr;
    QComboBox *startCombo = nullptr;
    QRadioButton *horizontalRadio = nullptr;
    QRadioButton *verticalRadio = nullptr;
    NestingCanvas *canvas = nullptr;
    QPlainTextEdit *reportText = nullptr;
    QTableWidget *legendTable = nullptr;
    QPushButton *recalculateButton = nullptr;
    QPushButton *optimiseButton = nullptr;
    QPushButton *viewSheetsButton = nullptr;
    QLabel *pieceLabel = nullptr;
    QLabel *typeLabel = nullptr;
    QAction *themeAction = nullptr;
    QMenu *recentMenu = nullptr;
    std::optional<CuttingPlan> plan;
    QString dxfPath;
    QString projectPath;
    bool modified = false;
};

} // namespace tallero
