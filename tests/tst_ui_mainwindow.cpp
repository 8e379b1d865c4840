// The main window as built: widgets and their texts in the three languages,
// the menus, the theme and language commands, the zoom keys and the title.

#include "testsupport.h"

#include "ui/localisation.h"
#include "ui/mainwindow.h"
#include "ui/messagebox.h"
#include "ui/theme.h"
#include "ui/windowedstart.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>

#include <memory>

using tallero::RodalixV69;

namespace {

// The settings store the window uses, opened afresh for every look.
struct Store
{
    QSettings settings{QStringLiteral("Tallero"), QStringLiteral("Tallero")};
    QSettings *operator->() { return &settings; }
};

Store store()
{
    return {};
}

} // namespace

class UiMainWindowTest : public QObject
{
    Q_OBJECT

private:
    QString realHome;
    QList<tallero::MessageBoxRequest> boxes;

    // A window built from the given stored preferences (none when empty).
    std::unique_ptr<RodalixV69> makeWindow(const QString &language = QString())
    {
        if (!language.isEmpty())
            store()->setValue(QStringLiteral("ui/language"), language);
        return std::make_unique<RodalixV69>();
    }

    template<typename T>
    static T *child(QWidget *window, const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no child named %s", name);
        return found;
    }

private slots:
    void initTestCase()
    {
        realHome = qEnvironmentVariable("HOME");
        tallero::testing::isolateUserState();
        tallero::setMessageBoxHook([this](const tallero::MessageBoxRequest &request) {
            boxes.append(request);
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        store()->clear();
        store()->sync();
        boxes.clear();
    }

    void settingsStayOutOfTheUsersHome()
    {
        const QString settingsFile = store()->fileName();
        QVERIFY2(!realHome.isEmpty() && !settingsFile.startsWith(realHome + QLatin1Char('/')),
                 qPrintable(settingsFile));
        QVERIFY(settingsFile.startsWith(qEnvironmentVariable("HOME")));
        QVERIFY(QStandardPaths::isTestModeEnabled());
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY2(!documents.startsWith(realHome + QLatin1Char('/')), qPrintable(documents));
    }

    void panelTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("es piece") << "es" << "piece" << "Pieza: Ninguna cargada";
        QTest::newRow("en piece") << "en" << "piece" << "Piece: None loaded";
        QTest::newRow("de piece") << "de" << "piece" << "Teil: Nicht geladen";
        QTest::newRow("de type") << "de" << "type" << "Typ: -";
        QTest::newRow("de optimise") << "de" << "optimize" << "Optimieren";
        QTest::newRow("de recalculate") << "de" << "recalculate" << "Neu berechnen";
        QTest::newRow("de zoom in") << "de" << "zoomIn" << "Vergrößern";
        QTest::newRow("de vertical") << "de" << "vertical" << "Vertikal";
        QTest::newRow("de horizontal stays") << "de" << "horizontal" << "Horizontal";
        QTest::newRow("de report") << "de" << "report" << "Laden Sie eine DXF-Datei, um zu beginnen.";
        QTest::newRow("en hint") << "en" << "hint" << "Wheel: zoom; drag with the right mouse button to pan.";
        QTest::newRow("fr is Spanish") << "fr" << "piece" << "Pieza: Ninguna cargada";
    }

    void panelTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, objectName);
        QFETCH(QString, expected);
        const auto window = makeWindow(language);
        QWidget *widget = window->findChild<QWidget *>(objectName);
        QVERIFY(widget);
        QString shown;
        if (auto *label = qobject_cast<QLabel *>(widget))
            shown = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown = button->text();
        else if (auto *text = qobject_cast<QPlainTextEdit *>(widget))
            shown = text->toPlainText();
        QCOMPARE(shown, expected);
    }

    void germanPanelsKeepUntranslatedTexts()
    {
        const auto window = makeWindow(QStringLiteral("de"));
        QStringList labels;
        for (const QLabel *label : window->findChildren<QLabel *>())
            labels << label->text();
        QVERIFY(labels.contains(QStringLiteral("Start:")));
        QVERIFY(labels.contains(QStringLiteral("Plattenbreite (m):")));
        QCOMPARE(child<QLineEdit>(window.get(), "sheetWidth")->toolTip(),
                 QStringLiteral("All Tallero measurements are entered in metres."));
        auto *legend = child<QTableWidget>(window.get(), "legend");
        QCOMPARE(legend->horizontalHeaderItem(0)->text(), QStringLiteral("Code"));
        QCOMPARE(legend->horizontalHeaderItem(1)->text(), QStringLiteral("Abmessungen (Breite × Höhe)"));
        QCOMPARE(legend->horizontalHeaderItem(2)->text(), QStringLiteral("Menge"));
        auto *start = child<QComboBox>(window.get(), "start");
        QCOMPARE(start->itemText(4), QStringLiteral("Unten rechts"));
        QCOMPARE(window->findChild<QAction *>(QStringLiteral("saveProjectAs"))->text(),
                 QStringLiteral("Save project as…"));
        QCOMPARE(window->statusBar()->currentMessage(),
                 QStringLiteral("Bereit. Laden Sie eine DXF-Zeichnung oder öffnen Sie ein Projekt."));
        // The About entry of a German window opens the German box.
        QCOMPARE(window->findChild<QAction *>(QStringLiteral("about"))->data().toString(), QStringLiteral("de"));
    }

    void fontsAndSizes_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::newRow("piece") << "piece" << 11 << true;
        QTest::newRow("type") << "type" << 8 << false;
        QTest::newRow("optimise button") << "optimize" << 9 << true;
    }

    void fontsAndSizes()
    {
        QFETCH(QString, objectName);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        const auto window = makeWindow();
        const QWidget *widget = window->findChild<QWidget *>(objectName);
        QVERIFY(widget);
        QCOMPARE(widget->font().family(), QStringLiteral("Arial"));
        QCOMPARE(widget->font().pointSize(), pointSize);
        QCOMPARE(widget->font().bold(), bold);
        if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
            QCOMPARE(button->minimumHeight(), 28);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void startState()
    {
        const auto window = makeWindow();
        QCOMPARE(window->size(), QSize(1450, 880));
        QCOMPARE(window->windowTitle(), QStringLiteral("Tallero[*]"));
        QCOMPARE(child<QLineEdit>(window.get(), "sheetWidth")->text(), QStringLiteral("0.0"));
        QCOMPARE(child<QLineEdit>(window.get(), "sheetHeight")->text(), QStringLiteral("0.0"));
        QCOMPARE(child<QLineEdit>(window.get(), "clearance")->text(), QStringLiteral("0.00"));
        QCOMPARE(child<QLineEdit>(window.get(), "clearance")->width(), 55);
        QCOMPARE(child<QLineEdit>(window.get(), "clearance")->alignment(), Qt::AlignCenter);
        QCOMPARE(child<QComboBox>(window.get(), "start")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(window.get(), "start")->count(), 5);
        QVERIFY(child<QRadioButton>(window.get(), "horizontal")->isChecked());
        QCOMPARE(child<QGroupBox>(window.get(), "orientation")->size(), QSize(142, 70));
        QCOMPARE(child<QWidget>(window.get(), "reportColumn")->width(), 380);
        QCOMPARE(child<QTableWidget>(window.get(), "legend")->rowCount(), 0);
        QCOMPARE(child<QTableWidget>(window.get(), "legend")->columnCount(), 3);
        QVERIFY(!window->currentPlan().has_value());
        QVERIFY(!window->isModified());
        QCOMPARE(window->statusBar()->currentMessage(),
                 QStringLiteral("Listo. Carga un plano DXF o abre un proyecto."));
    }

    void menuEntries_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new project") << "newProject" << QKeySequence(QKeySequence::New) << true;
        QTest::newRow("open project") << "openProject" << QKeySequence(QStringLiteral("Ctrl+Shift+O")) << true;
        QTest::newRow("load dxf") << "loadDxf" << QKeySequence(QKeySequence::Open) << true;
        QTest::newRow("save project") << "saveProject" << QKeySequence(QKeySequence::Save) << true;
        QTest::newRow("save as") << "saveProjectAs" << QKeySequence(QStringLiteral("Ctrl+Shift+S")) << true;
        QTest::newRow("export pdf") << "exportPdf" << QKeySequence(QStringLiteral("Ctrl+Shift+P")) << true;
        QTest::newRow("exit") << "exit" << QKeySequence(QKeySequence::Quit) << true;
        QTest::newRow("recalculate") << "recalculateAction" << QKeySequence(Qt::Key_F5) << true;
        QTest::newRow("optimise") << "optimiseAction" << QKeySequence(Qt::Key_F6) << true;
        QTest::newRow("theme") << "themeAction" << QKeySequence(QStringLiteral("Ctrl+T")) << true;
        QTest::newRow("restore defaults") << "restoreDefaults" << QKeySequence() << true;
        QTest::newRow("user guide") << "userGuide" << QKeySequence() << true;
        QTest::newRow("about") << "about" << QKeySequence() << true;
        QTest::newRow("zoom in") << "zoomInAction" << QKeySequence(QStringLiteral("Ctrl++")) << true;
        QTest::newRow("zoom out") << "zoomOutAction" << QKeySequence(QStringLiteral("Ctrl+-")) << true;
        QTest::newRow("fit view") << "fitViewAction" << QKeySequence(QStringLiteral("Ctrl+0")) << true;
    }

    void menuEntries()
    {
        QFETCH(QString, objectName);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);
        const auto window = makeWindow();
        const QAction *action = window->findChild<QAction *>(objectName);
        QVERIFY(action);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isEnabled(), enabled);
    }

    void commandButtonsEnabledOnceWired()
    {
        const auto window = makeWindow();
        for (const char *name : {"recalculate", "optimize", "viewSheets"})
            QVERIFY2(child<QPushButton>(window.get(), name)->isEnabled(), name);
    }

    void languageEntryFollowsTheStoredCode_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("checked");
        QTest::newRow("none") << QString() << "language_es";
        QTest::newRow("de") << "de" << "language_de";
        QTest::newRow("fr") << "fr" << "language_es";
    }

    void languageEntryFollowsTheStoredCode()
    {
        QFETCH(QString, stored);
        QFETCH(QString, checked);
        const auto window = makeWindow(stored);
        for (const char *name : {"language_es", "language_en", "language_de"})
            QCOMPARE(window->findChild<QAction *>(QString::fromLatin1(name))->isChecked(),
                     checked == QLatin1String(name));
        // An unknown stored code is read as Spanish but left as it is.
        if (!stored.isEmpty())
            QCOMPARE(store()->value(QStringLiteral("ui/language")).toString(), stored);
    }

    void setLanguageStoresAndTellsInTheNewLanguage_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("en") << "es" << "en" << "Language updated"
                            << "The language will be applied when Tallero is restarted.";
        QTest::newRow("de") << "es" << "de" << "Sprache aktualisiert"
                            << "Die Sprache wird beim Neustart von Tallero übernommen.";
        QTest::newRow("es, with its accent") << "en" << "es" << "Idioma actualizado"
                                             << "El idioma se aplicará al reiniciar Tallero.";
    }

    void setLanguageStoresAndTellsInTheNewLanguage()
    {
        QFETCH(QString, from);
        QFETCH(QString, code);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const auto window = makeWindow(from);
        const QString builtWith = child<QLabel>(window.get(), "piece")->text();
        window->findChild<QAction *>(QStringLiteral("language_") + code)->trigger();
        QCOMPARE(window->language(), code);
        QCOMPARE(store()->value(QStringLiteral("ui/language")).toString(), code);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().title, title);
        QCOMPARE(boxes.first().text, text);
        // The panels keep the language they were built in.
        QCOMPARE(child<QLabel>(window.get(), "piece")->text(), builtWith);
    }

    void sameLanguageDoesNothing()
    {
        const auto window = makeWindow(QStringLiteral("de"));
        store()->remove(QStringLiteral("ui/language"));
        window->setLanguage(QStringLiteral("de"));
        QVERIFY(boxes.isEmpty());
        QVERIFY(!store()->contains(QStringLiteral("ui/language")));
    }

    void themeStartsDarkAndIsStoredOnlyOnClose()
    {
        store()->setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
        store()->setValue(QStringLiteral("sheet/width"), 2.0);
        const auto window = makeWindow();
        // A leftover "sheet" group is dropped at start.
        QVERIFY(!store()->contains(QStringLiteral("sheet/width")));
        QAction *theme = window->findChild<QAction *>(QStringLiteral("themeAction"));
        QVERIFY(window->isDarkTheme());
        QCOMPARE(theme->text(), QStringLiteral("Use light mode"));
        QVERIFY(!theme->isChecked());
        const QString darkSheet = window->styleSheet();

        theme->trigger();
        QVERIFY(!window->isDarkTheme());
        QVERIFY(!window->layoutCanvas()->darkTheme);
        QCOMPARE(theme->text(), QStringLiteral("Use dark mode"));
        QVERIFY(theme->isChecked());
        QVERIFY(window->styleSheet() != darkSheet);
        QVERIFY(!store()->contains(QStringLiteral("theme/dark")));

        theme->trigger();
        QVERIFY(window->isDarkTheme());
        QCOMPARE(window->styleSheet(), darkSheet);
        theme->trigger();
        QVERIFY(!store()->contains(QStringLiteral("theme/dark")));
        window->close();
        QCOMPARE(store()->value(QStringLiteral("theme/dark")), QVariant(false));
    }

    void storedLightThemeIsApplied()
    {
        store()->setValue(QStringLiteral("theme/dark"), false);
        const auto window = makeWindow();
        QVERIFY(!window->isDarkTheme());
        QVERIFY(!window->layoutCanvas()->darkTheme);
        QVERIFY(window->styleSheet().startsWith(tallero::themeStyleSheet(false)));
        QCOMPARE(window->findChild<QAction *>(QStringLiteral("themeAction"))->text(),
                 QStringLiteral("Usar modo oscuro"));
    }

    void orientationMenuDrivesTheRadioButtonsOnly()
    {
        const auto window = makeWindow();
        auto *horizontal = child<QRadioButton>(window.get(), "horizontal");
        auto *vertical = child<QRadioButton>(window.get(), "vertical");
        QAction *verticalEntry = window->findChild<QAction *>(QStringLiteral("verticalAction"));
        verticalEntry->trigger();
        QVERIFY(vertical->isChecked());
        QVERIFY(!horizontal->isChecked());
        QTest::mouseClick(horizontal, Qt::LeftButton, {}, QPoint(8, horizontal->height() / 2));
        QVERIFY(horizontal->isChecked());
        QVERIFY(verticalEntry->isChecked());
    }

    void zoomButtonsAndKeys_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("expected");
        QTest::newRow("button in clamps at 20") << "zoomIn" << 18.0 << 20.0;
        QTest::newRow("button out clamps at 0.1") << "zoomOut" << 0.11 << 0.1;
        QTest::newRow("button fit") << "fitView" << 3.0 << 1.0;
        QTest::newRow("key in") << "zoomInAction" << 1.0 << 1.2;
        QTest::newRow("key out") << "zoomOutAction" << 1.0 << 0.8;
        QTest::newRow("key fit") << "fitViewAction" << 5.0 << 1.0;
    }

    void zoomButtonsAndKeys()
    {
        QFETCH(QString, objectName);
        QFETCH(double, from);
        QFETCH(double, expected);
        const auto window = makeWindow();
        tallero::NestingCanvas *canvas = window->layoutCanvas();
        canvas->zoom = from;
        canvas->panX = 7;
        if (auto *button = window->findChild<QPushButton *>(objectName))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            window->findChild<QAction *>(objectName)->trigger();
        QVERIFY(qFuzzyCompare(canvas->zoom, expected));
    }

    void zoomShortcutReachesTheCanvasFromAnyField()
    {
        const auto window = makeWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto *field = child<QLineEdit>(window.get(), "sheetWidth");
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(qFuzzyCompare(window->layoutCanvas()->zoom, 1.2));
        QTest::keyClick(field, Qt::Key_0, Qt::ControlModifier);
        QVERIFY(qFuzzyCompare(window->layoutCanvas()->zoom, 1.0));
        // The theme key works from the same field.
        QSignalSpy themeSwitched(window->findChild<QAction *>(QStringLiteral("themeAction")), &QAction::triggered);
        QTest::keyClick(field, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(themeSwitched.count(), 1);
        QVERIFY(!window->isDarkTheme());
    }

    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("laptop") << QRect(0, 0, 1366, 768) << QSize(1366, 768);
        QTest::newRow("laptop with a panel") << QRect(0, 27, 1366, 741) << QSize(1366, 741);
        QTest::newRow("narrow only") << QRect(0, 0, 1280, 1024) << QSize(1280, 880);
        QTest::newRow("large screen") << QRect(0, 0, 1920, 1080) << QSize(1450, 880);
    }

    void windowFitsTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(QSize, expected);
        const auto window = makeWindow();
        tallero::fitWindowToScreen(*window, available);
        QCOMPARE(window->size(), expected);
        if (expected != QSize(1450, 880))
            QCOMPARE(window->pos(), available.topLeft());
    }

    void titleNamesTheDrawingAndMarksChanges()
    {
        const auto window = makeWindow(QStringLiteral("en"));
        tallero::Drawing drawing;
        static_cast<tallero::Shape &>(drawing) = tallero::rectangleShape(0, 0, 6.5, 4);
        window->showDrawing(drawing, QStringLiteral("/somewhere/hall.dxf"));
        QVERIFY(window->hasDrawing());
        QCOMPARE(window->windowTitle(), QStringLiteral("hall.dxf[*] — Tallero"));
        QVERIFY(!window->isWindowModified());
        window->setModified(true);
        QVERIFY(window->isWindowModified());
        window->setModified(false);
        QVERIFY(!window->isWindowModified());
        QCOMPARE(child<QLabel>(window.get(), "piece")->text(), QStringLiteral("Drawing: 6.500 m x 4.000 m"));
        QCOMPARE(child<QLabel>(window.get(), "type")->text(), QStringLiteral("Type: Actual outline"));
        QCOMPARE(window->layoutCanvas()->fileName, QStringLiteral("hall.dxf"));
    }
};

QTEST_MAIN(UiMainWindowTest)
#include "tst_ui_mainwindow.moc"
