#include "ui/mainwindow.h"

#include "ui/localisation.h"
#include "ui/messagebox.h"
#include "ui/preferences.h"
#include "ui/theme.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>

namespace tallero {

namespace {

// Never written; removed at start and with every theme save so that a value
// left by an old version cannot linger in the store.
const QString obsoleteSheetKey = QStringLiteral("sheet");

// The theme gives every push button, menu entry and field the same text
// colour, enabled or not. Commands not wired yet are disabled, and so are the
// sheet fields while a computation runs: they must look it.
QString disabledCommandsStyle(bool dark)
{
    return dark ? QStringLiteral("QPushButton:disabled,QPushButton#optimize:disabled{color:#94a3b8;}"
                                 "QPushButton#optimize:disabled{background:#065f46;}"
                                 "QMenu::item:disabled{color:#64748b;}"
                                 "QLineEdit:disabled,QComboBox:disabled,QRadioButton:disabled{color:#64748b;}")
                : QStringLiteral("QPushButton:disabled,QPushButton#optimize:disabled{color:#9ca3af;}"
                                 "QPushButton#optimize:disabled{background:#a7f3d0;}"
                                 "QMenu::item:disabled{color:#9ca3af;}"
                                 "QLineEdit:disabled,QComboBox:disabled,QRadioButton:disabled{color:#9ca3af;}");
}

} // namespace

RodalixV69::RodalixV69()
{
    setWindowIcon(QApplication::windowIcon());
    resize(initialWidth, initialHeight);

    loadLanguageSetting();
    buildPanels();
    buildMenus();
    adjustGermanHelpMenu();
    wireWorkflowCommands();
    wireProjectCommands();
    wireComputationCommands();
    acceptFileDrops();

    Preferences preferences;
    darkTheme = preferences.darkTheme();
    setThoroughNesting(preferences.thoroughNesting());
    preferences.remove(obsoleteSheetKey);

    sheetWidthEdit->setText(QStringLiteral("0.0"));
    sheetHeightEdit->setText(QStringLiteral("0.0"));
    clearanceEdit->setText(QStringLiteral("0.00"));
    startCombo->setCurrentIndex(0);
    horizontalRadio->setChecked(true);

    applyTheme();
    refreshWindowTitle();
    statusBar()->showMessage(uiText(QStringLiteral("Listo. Carga un plano DXF o abre un proyecto."),
                                    QStringLiteral("Ready. Load a DXF drawing or open a project.")));
}

RodalixV69::~RodalixV69() = default;

const QString &RodalixV69::language() const
{
    return currentLanguage();
}

void RodalixV69::setLanguage(const QString &code)
{
    if (code == currentLanguage())
        return;
    setCurrentLanguage(code);
    Preferences().setLanguage(code);
    // The panels and menus keep the language they were built in; only what
    // is produced from now on follows the new one.
    MessageBoxRequest request;
    request.icon = QMessageBox::Information;
    request.title = uiText(QStringLiteral("Idioma actualizado"), QStringLiteral("Language updated"));
    request.text = uiText(QStringLiteral("El idioma se aplicará al reiniciar Tallero."),
                          QStringLiteral("The language will be applied when Tallero is restarted."));
    showMessageBox(this, request);
}

void RodalixV69::applyTheme()
{
    canvas->darkTheme = darkTheme;
    canvas->language = currentLanguage();
    if (darkTheme)
        themeAction->setText(uiText(QStringLiteral("Usar modo claro"), QStringLiteral("Use light mode")));
    else
        themeAction->setText(uiText(QStringLiteral("Usar modo oscuro"), QStringLiteral("Use dark mode")));
    // Checked while the light theme is in force.
    themeAction->setChecked(!darkTheme);
    setStyleSheet(themeStyleSheet(darkTheme) + disabledCommandsStyle(darkTheme));
    canvas->update();
}

void RodalixV69::setThoroughNesting(bool thorough)
{
    thoroughNesting = thorough;
    if (thoroughNestingAction)
        thoroughNestingAction->setChecked(thorough);
}

void RodalixV69::toggleTheme()
{
    // Stored only when the window closes, so trying the other theme costs
    // nothing if the program is then killed.
    darkTheme = !darkTheme;
    applyTheme();
}

void RodalixV69::saveTheme()
{
    Preferences preferences;
    preferences.setDarkTheme(darkTheme);
    preferences.remove(obsoleteSheetKey);
}

void RodalixV69::setModified(bool changed)
{
    modified = changed;
    refreshModifiedMark();
}

bool RodalixV69::hasDrawing() const
{
    return isNonEmpty(canvas->drawing);
}

void RodalixV69::showDrawing(const Drawing &drawing, const QString &path)
{
    const QFileInfo file(path);
    dxfPath = file.absoluteFilePath();
    canvas->setDrawing(drawing, file.fileName());
    plan.reset();
    // A drawing newly shown is taken as drawn until the user says otherwise.
    drawingScaleFactor = 1.0;
    drawingUnitsSettled = false;

    pieceLabel->setText(QStringLiteral("%1: %2 m x %3 m")
                            .arg(chooseText(QStringLiteral("Plano"), QStringLiteral("Drawing"),
                                            QStringLiteral("Zeichnung")))
                            .arg(drawing.bounds.width(), 0, 'f', 3)
                            .arg(drawing.bounds.height(), 0, 'f', 3));
    if (drawing.boundingBoxFallback)
        typeLabel->setText(chooseText(QStringLiteral("Tipo: Caja delimitadora (respaldo)"),
                                      QStringLiteral("Type: Bounding box (fallback)"),
                                      QStringLiteral("Typ: Begrenzungsrahmen (Ersatz)")));
    else
        typeLabel->setText(chooseText(QStringLiteral("Tipo: Contorno real"),
                                      QStringLiteral("Type: Actual outline"),
                                      QStringLiteral("Typ: Tatsächliche Kontur")));
    legendTable->setRowCount(0);
    // The summary described the previous drawing's plan; the next plan
    // rewrites it.
    reportText->setPlainText(uiText(QStringLiteral("Carga un archivo DXF para comenzar."),
                                    QStringLiteral("Load a DXF file to get started.")));
    canvas->update();
    refreshWindowTitle();
}

void RodalixV69::refreshWindowTitle()
{
    // The project names the work once it has one; before that the drawing.
    const QString &document = projectPath.isEmpty() ? dxfPath : projectPath;
    const QString application = QStringLiteral("Tallero");
    if (document.isEmpty())
        setWindowTitle(application + QStringLiteral("[*]"));
    else
        setWindowTitle(QStringLiteral("%1[*] — %2").arg(QFileInfo(document).fileName(), application));
    refreshModifiedMark();
}

} // namespace tallero
