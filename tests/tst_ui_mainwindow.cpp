// The main window as built: widgets and their texts in the three languages,
// the menus, the theme and language commands, the zoom keys and the title.

#include "uitestsupport.h"

#include "ui/theme.h"
#include "ui/windowedstart.h"

#include <QSignalSpy>

using namespace tallero;
using namespace tallero::testing;

class UiMainWindowTest : public QObject
{
    Q_OBJECT

private:
    QList<MessageBoxRequest> boxes;

    // A window built from the given stored language (none when empty).
    static std::unique_ptr<RodalixV69> makeWindow(const QString &language = QString())
    {
        return makeWindowIn<RodalixV69>(language);
    }

private slots:
    void initTestCase()
    {
        isolateUserState();
        setMessageBoxHook([this](const MessageBoxRequest &request) {
            boxes.append(request);
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        resetSettings();
        boxes.clear();
    }

    void panelTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("es") << "es" << "piece" << "Pieza: Ninguna cargada";
        QTest::newRow("en") << "en" << "piece" << "Piece: None loaded";
        QTest::newRow("de, from the German table") << "de" << "report" << "Laden Sie eine DXF-Datei, um zu beginnen.";
        QTest::newRow("de, untranslated stays English") << "de" << "horizontal" << "Horizontal";
        QTest::newRow("fr is Spanish") << "fr" << "piece" << "Pieza: Ninguna cargada";
    }

    void panelTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, objectName);
        QFETCH(QString, expected);
        QCOMPARE(shownText(makeWindow(language).get(), qPrintable(objectName)), expected);
    }

    // Every command key reaches one command: Qt fires neither of two
    // actions that share a shortcut.
    void shortcutsAreDistinct()
    {
        const auto window = makeWindow();
        QHash<QString, QString> owners;
        for (const QAction *action : window->findChildren<QAction *>()) {
            for (const QKeySequence &key : action->shortcuts()) {
                const QString text = key.toString();
                QVERIFY2(!owners.contains(text),
                         qPrintable(text + QStringLiteral(": ") + owners.value(text) + QStringLiteral(", ")
                                    + action->objectName()));
                owners.insert(text, action->objectName());
            }
        }
        QVERIFY(owners.size() >= 13);
    }

    // The checked language entry follows the stored code (an unknown one
    // reads as Spanish and is left as it is); choosing another language
    // stores it and tells so in the new language, choosing the same one
    // does nothing.
    void languageCommands_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");   // empty: nothing is said or stored
        QTest::addColumn<QString>("text");
        QTest::newRow("none, to en") << QString() << "es" << "en" << "Language updated"
                                     << "The language will be applied when Tallero is restarted.";
        QTest::newRow("fr, to de") << "fr" << "es" << "de" << "Sprache aktualisiert"
                                   << "Die Sprache wird beim Neustart von Tallero übernommen.";
        QTest::newRow("en, to es with its accent") << "en" << "en" << "es" << "Idioma actualizado"
                                                   << "El idioma se aplicará al reiniciar Tallero.";
        QTest::newRow("de, the same again") << "de" << "de" << "de" << QString() << QString();
    }

    void languageCommands()
    {
        QFETCH(QString, stored);
        QFETCH(QString, checked);
        QFETCH(QString, code);
        QFETCH(QString, title);
        QFETCH(QString, text);
        const auto window = makeWindow(stored);
        for (const QString name : {"es", "en", "de"})
            QCOMPARE(window->findChild<QAction *>(QStringLiteral("language_") + name)->isChecked(), name == checked);
        QCOMPARE(settingsStore().value(QStringLiteral("ui/language")).toString(), stored);
        const QString builtWith = shownText(window.get(), "piece");
        if (title.isEmpty()) {
            settingsStore().remove(QStringLiteral("ui/language"));
            window->setLanguage(code);
            QVERIFY(boxes.isEmpty());
            QVERIFY(!settingsStore().contains(QStringLiteral("ui/language")));
            return;
        }
        window->findChild<QAction *>(QStringLiteral("language_") + code)->trigger();
        QCOMPARE(window->language(), code);
        QCOMPARE(settingsStore().value(QStringLiteral("ui/language")).toString(), code);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().title, title);
        QCOMPARE(boxes.first().text, text);
        // The panels keep the language they were built in.
        QCOMPARE(shownText(window.get(), "piece"), builtWith);
    }

    void themeStartsDarkIsStoredOnCloseAndAppliedNextTime()
    {
        settingsStore().setValue(QStringLiteral("ui/language"), QStringLiteral("en"));
        settingsStore().setValue(QStringLiteral("sheet/width"), 2.0);
        settingsStore().setValue(QStringLiteral("sheet/height"), 1.2);
        const auto window = makeWindow();
        // A leftover "sheet" group is dropped at start, whole.
        QVERIFY(!settingsStore().contains(QStringLiteral("sheet/width")));
        QVERIFY(!settingsStore().contains(QStringLiteral("sheet/height")));
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
        QVERIFY(!settingsStore().contains(QStringLiteral("theme/dark")));

        theme->trigger();
        QVERIFY(window->isDarkTheme());
        QCOMPARE(window->styleSheet(), darkSheet);
        theme->trigger();
        QVERIFY(!settingsStore().contains(QStringLiteral("theme/dark")));
        window->close();
        QCOMPARE(settingsStore().value(QStringLiteral("theme/dark")), QVariant(false));

        // The next window, here a Spanish one, starts light.
        settingsStore().remove(QStringLiteral("ui/language"));
        const auto next = makeWindow();
        QVERIFY(!next->isDarkTheme());
        QVERIFY(!next->layoutCanvas()->darkTheme);
        QVERIFY(next->styleSheet().startsWith(themeStyleSheet(false)));
        QCOMPARE(child<QAction>(next.get(), "themeAction")->text(), QStringLiteral("Usar modo oscuro"));
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
        NestingCanvas *canvas = window->layoutCanvas();
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
        fitWindowToScreen(*window, available);
        QCOMPARE(window->size(), expected);
        if (expected != QSize(1450, 880))
            QCOMPARE(window->pos(), available.topLeft());
    }

    // The unsaved mark itself is followed by the workflow tests.
    void titleNamesTheDrawing()
    {
        const auto window = makeWindow(QStringLiteral("en"));
        window->showDrawing(drawingOf(rectangleShape(0, 0, 6.5, 4)), QStringLiteral("/somewhere/hall.dxf"));
        QCOMPARE(window->windowTitle(), QStringLiteral("hall.dxf[*] — Tallero"));
        QCOMPARE(shownText(window.get(), "piece"), QStringLiteral("Drawing: 6.500 m x 4.000 m"));
        QCOMPARE(shownText(window.get(), "type"), QStringLiteral("Type: Actual outline"));
    }
};

QTEST_MAIN(UiMainWindowTest)
#include "tst_ui_mainwindow.moc"
