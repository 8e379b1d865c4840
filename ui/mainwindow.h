#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"
#include "ui/worksnapshot.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace tallero {

class NestingCanvas;
class PlanJob;
struct PlanControl;

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

    // How Recalculate and Optimise nest the cut pieces: the Settings menu's
    // check mark, kept in the preferences; an opened project brings its own.
    NestingMode nestingMode() const
    {
        return thoroughNesting ? NestingMode::Thorough : NestingMode::Standard;
    }
    void setThoroughNesting(bool thorough);
    void applyTheme();
    void toggleTheme();
    void saveTheme();

    bool isModified() const { return modified; }
    void setModified(bool changed);

    NestingCanvas *layoutCanvas() const { return canvas; }

    // Workflow commands: loading drawings, New project, default settings,
    // recent files and the question about unsaved work.
    // Reads the sheet fields (width and height swapped for vertical sheets);
    // warns and returns false when they are not valid.
    bool validateSheetInputs(double &width, double &height, double &clearance);
    // True when the drawing was taken over. A failure leaves the window as it was.
    bool loadDxfFile(const QString &path, bool validateAndOptimise);
    void chooseAndLoadDxf();
    void newProject();
    void restoreDefaults();
    void addRecentFile(const QString &path);
    void rebuildRecentMenu();
    void openRecentFile(const QString &path);
    void clearRecentFiles();
    // The project commands (mainwindowproject.cpp). Opening reads the file,
    // finds its drawing (asking for it when it has moved), asks about unsaved
    // work, loads the drawing and only then fills the fields and recomputes;
    // any failure leaves the window as it was. `path` empty asks for a file.
    void openProject(const QString &path = QString());
    // True when the project was written; then `modified` is cleared. A
    // failed write leaves the file on disk, the project path and `modified`
    // as they were.
    bool saveProject();
    // Asks for a new path; cancelled or failed, the project path stays.
    bool saveProjectAs();

    // A file named on the command line, opened over the shown window.
    void openStartupFile(const QString &path);
    // A drawing or project dropped on the window (mainwindowdrop.cpp): asks
    // about unsaved work and opens it as the File menu does, except that a
    // drawing dropped before a sheet size is typed is shown without a plan.
    void openDroppedFile(const QString &path);
    // Unsaved work exists when a drawing is loaded and either `modified` is
    // set or one of the five values a project stores (width, height,
    // clearance, start corner, orientation) differs from its value at the
    // last open, save, load or New project.
    bool hasUnsavedWork() const;
    // Takes the five stored values as they stand now as the saved ones.
    void recordStoredSheetValues();

    // Computations. Optimise and Recalculate run the engine on a worker
    // thread and return when it is over: the window stays alive meanwhile
    // (busy cursor, a progress dialog with Cancel after half a second, the
    // commands that would start another computation disabled). Cancelled
    // leaves the window as it was when the command started.
    ComputationOutcome optimiseLayout(bool silent);
    ComputationOutcome recalculate();
    bool isComputing() const { return runningJob != nullptr; }
    // Cancels a running computation and waits for its thread to end.
    void stopComputation();

    WorkSnapshot captureWork() const;
    void restoreWork(const WorkSnapshot &snapshot);

    // The factor the shown drawing's coordinates were multiplied by to get
    // metres (0.001 for a drawing made in millimetres), 1 when it is shown as
    // drawn. A newly shown drawing starts at 1.
    double drawingScale() const { return drawingScaleFactor; }
    // Scales the shown drawing by `factor` and records it; the plan is
    // dropped. False, with nothing changed, when the drawing cannot be scaled.
    bool applyDrawingScale(double factor);

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
    // A .dxf or .tlr file dragged from a file manager is taken anywhere on
    // the window, the sheet fields included; anything else is refused.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPanels();
    void acceptFileDrops();
    // Takes a drag or drop event that carries a file the window opens; false
    // (the event untouched) for any other.
    bool takeFileDrag(QEvent *event);
    // A drawing opened without a file dialog (named at start or dropped):
    // planned at once when the sheet fields hold a valid size, else shown
    // with a request for the size in the status bar.
    void openDrawingWithoutDialog(const QString &path);
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
    void wireWorkflowCommands();
    void resetSheetFields();
    void refreshModifiedMark();
    // Asks what to do with unsaved work before `text`'s action; true to go on.
    bool settleUnsavedWork(const QString &text);
    // The same question before another drawing replaces the current one.
    bool settleUnsavedWorkBeforeLoading();
    void wireProjectCommands();
    // The drawing a project names, and whether it was found anywhere but
    // where the project says (so the project needs saving again).
    struct ProjectDrawing
    {
        QString path;
        bool relocated = false;
    };
    std::optional<ProjectDrawing> findProjectDrawing(const QString &projectFile, const QString &storedPath);
    QString askProjectSavePath();
    // `path` with ".tlr" appended when it has no such extension; empty when
    // that names an existing file the user does not want replaced.
    QString withProjectExtension(const QString &path);
    void showLoadedStatus(int milliseconds, const QString &extra = QString());
    void wireComputationCommands();
    std::optional<ComputationOutcome> settleDrawingUnits();
    std::optional<Shape> workerOutline() const;
    bool runOnWorker(const std::function<void(const PlanControl &)> &work, const QString &title,
                     bool showsLayouts);
    void setComputationCommandsEnabled(bool enabled);

    bool darkTheme = true;
    bool thoroughNesting = false;
    QAction *thoroughNestingAction = nullptr;
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
    // The five values a project stores, as they were at the last open, save,
    // load or New project.
    struct StoredSheetValues
    {
        QString width;
        QString height;
        QString clearance;
        int startIndex = 0;
        bool vertical = false;
    };
    StoredSheetValues storedSheetValues() const;
    StoredSheetValues savedSheetValues;
    double drawingScaleFactor = 1.0;
    // The user has answered the question about the drawing's unit (or it was
    // scaled), so it is not asked again for this drawing.
    bool drawingUnitsSettled = false;
    PlanJob *runningJob = nullptr;
    QList<std::pair<QPointer<QObject>, bool>> commandsDisabledForWork;
};

} // namespace tallero
