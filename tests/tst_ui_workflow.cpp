// The workflow commands of the window: the sheet fields, loading drawings,
// unsaved work and the closing prompt, New project, default settings, recent
// files and the file named at start. Every box and file dialog is answered
// through the test hooks.

#include "uitestsupport.h"

#include "ui/sheetinputs.h"

#include <QPointer>

using namespace tallero;
using namespace tallero::testing;

class UiWorkflowTest : public QObject
{
    Q_OBJECT

private:
    WindowHooks hooks;
    DxfScratch scratch;

    void loadThroughDialog(RodalixV69 &window, const QString &path) { testing::loadThroughDialog(hooks, window, path); }

    QString writeDxf(const QString &name, const QString &entities)
    {
        return writeFile(scratch.folder() + QLatin1Char('/') + name, dxfDocument(entities).toUtf8());
    }

private slots:
    void initTestCase()
    {
        isolateUserState();
        hooks.install();
    }

    void init()
    {
        resetSettings(QStringLiteral("en"));
        hooks.clear();
    }

    void sheetValues_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("clearance");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("engineWidth");
        QTest::addColumn<double>("engineHeight");
        QTest::newRow("plain") << "2.0" << "1.2" << "0.01" << false << true << 2.0 << 1.2;
        QTest::newRow("blanks around") << "  2.5 " << "\t1" << " 0 " << false << true << 2.5 << 1.0;
        QTest::newRow("vertical swaps") << "1.0" << "2.0" << "0" << true << true << 2.0 << 1.0;
        QTest::newRow("decimal comma") << "2,5" << "1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("grouped thousand") << "1,000" << "1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("width 0") << "0" << "1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("start values") << "0.0" << "0.0" << "0.00" << false << false << 0.0 << 0.0;
        QTest::newRow("negative height") << "2" << "-1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("negative clearance") << "2" << "1" << "-0.01" << false << false << 0.0 << 0.0;
        QTest::newRow("abc") << "abc" << "1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("empty") << "" << "1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("inf") << "inf" << "1" << "0" << false << false << 0.0 << 0.0;
        QTest::newRow("nan clearance") << "2" << "1" << "nan" << false << false << 0.0 << 0.0;
        QTest::newRow("overflow to inf") << "1e999" << "1" << "0" << false << false << 0.0 << 0.0;
    }

    // The pure reader and the window's validation agree, and an invalid
    // entry shows the one warning.
    void sheetValues()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, clearance);
        QFETCH(bool, vertical);
        QFETCH(bool, valid);
        QFETCH(double, engineWidth);
        QFETCH(double, engineHeight);
        const std::optional<SheetInputs> read = readSheetInputs(width, height, clearance, vertical);
        QCOMPARE(read.has_value(), valid);

        const auto window = std::make_unique<RodalixV69>();
        typeSheet(window.get(), width, height, clearance);
        (vertical ? child<QRadioButton>(window.get(), "vertical") : child<QRadioButton>(window.get(), "horizontal"))
            ->setChecked(true);
        double w = -1.0, h = -1.0, c = -1.0;
        QCOMPARE(window->validateSheetInputs(w, h, c), valid);
        if (valid) {
            QVERIFY(hooks.boxes.isEmpty());
            QCOMPARE(w, engineWidth);
            QCOMPARE(h, engineHeight);
            QCOMPARE(c, read->clearance);
        } else {
            QCOMPARE(hooks.boxes.size(), 1);
            QCOMPARE(hooks.boxes.first().icon, QMessageBox::Warning);
            QCOMPARE(hooks.boxes.first().title, QStringLiteral("Invalid values"));
            QCOMPARE(hooks.boxes.first().text, QStringLiteral("Check the sheet dimensions and clearance."));
        }
    }

    void loadTakesTheDrawingOver()
    {
        const auto window = std::make_unique<RodalixV69>();
        child<QPlainTextEdit>(window.get(), "report")->setPlainText(QStringLiteral("figures of another drawing"));
        loadThroughDialog(*window, example("room-curved-wall.dxf"));
        QVERIFY(window->hasDrawing());
        QVERIFY(window->isModified());
        QVERIFY(window->currentPlan().has_value());
        QVERIFY(shownText(window.get(), "piece").startsWith(QStringLiteral("Drawing: ")));
        QCOMPARE(stored("paths/dxf").toString(),
                 QFileInfo(example("room-curved-wall.dxf")).absolutePath());
        QCOMPARE(stored("recent/files").toStringList(),
                 QStringList{QFileInfo(example("room-curved-wall.dxf")).absoluteFilePath()});
        QVERIFY(statusText(*window).startsWith(QStringLiteral("Drawing loaded: room-curved-wall.dxf")));

        // The summary of a drawing's plan never stands beside another drawing.
        const QString planSummary = shownText(window.get(), "report");
        QVERIFY(planSummary != QStringLiteral("Load a DXF file to get started."));
        QVERIFY(window->loadDxfFile(example("deck-bay.dxf"), false));
        QCOMPARE(shownText(window.get(), "report"), QStringLiteral("Load a DXF file to get started."));
        QVERIFY(!window->currentPlan().has_value());
    }

    void failedLoadKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("boxTitle");   // "Invalid values": stopped before the file dialog
        // The import's own tables cover every other unreadable file.
        QTest::newRow("not a drawing") << "2.0" << "DXF read error";
        QTest::newRow("decimal comma") << "2,0" << "Invalid values";
    }

    // Every failure leaves drawing, plan, fields, labels, title, folders,
    // recent files and `modified` as they were.
    void failedLoadKeepsTheWindow()
    {
        QFETCH(QString, width);
        QFETCH(QString, boxTitle);
        const auto window = std::make_unique<RodalixV69>();
        loadThroughDialog(*window, example("room-curved-wall.dxf"));
        QVERIFY(window->currentPlan().has_value());
        child<QLineEdit>(window.get(), "sheetWidth")->setText(width);
        window->setModified(false);
        window->recordStoredSheetValues();
        QSettings settings = settingsStore();
        settings.setValue(QStringLiteral("paths/dxf"), QStringLiteral("/somewhere/else"));
        settings.sync();
        const QStringList recent = stored("recent/files").toStringList();
        const QString before = workSignature(*window);

        hooks.clear();
        hooks.openAnswers = {scratch.write("this is not a drawing\n")};
        window->chooseAndLoadDxf();

        QCOMPARE(hooks.openRequests.size(), boxTitle == QLatin1String("Invalid values") ? 0 : 1);
        QCOMPARE(hooks.boxes.size(), 1);
        QCOMPARE(hooks.boxes.first().title, boxTitle);
        QCOMPARE(workSignature(*window), before);
        QCOMPARE(stored("paths/dxf").toString(), QStringLiteral("/somewhere/else"));
        QCOMPARE(stored("recent/files").toStringList(), recent);
    }

    void unsavedWork_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("unsaved");
        QTest::newRow("nothing") << "" << false;
        QTest::newRow("width") << "width" << true;
        QTest::newRow("width same number") << "width 2" << false;
        QTest::newRow("height") << "height" << true;
        QTest::newRow("clearance") << "clearance" << true;
        QTest::newRow("start corner") << "start" << true;
        QTest::newRow("orientation") << "vertical" << true;
        QTest::newRow("changed and back") << "width and back" << false;
        QTest::newRow("recalculate only") << "recalculate" << false;
        QTest::newRow("load") << "load" << true;
        QTest::newRow("new project") << "new" << false;
    }

    // The flag's own transitions, and the five values a project stores
    // counted as unsaved work while they differ from the saved ones.
    void unsavedWork()
    {
        QFETCH(QString, change);
        QFETCH(bool, unsaved);
        const auto window = std::make_unique<RodalixV69>();
        loadThroughDialog(*window, example("room-curved-wall.dxf"));
        QVERIFY(window->isModified());
        QVERIFY(window->hasUnsavedWork());
        // As a project just saved or opened leaves it.
        window->setModified(false);
        window->recordStoredSheetValues();
        QVERIFY(!window->hasUnsavedWork());
        QVERIFY(!window->isWindowModified());

        auto *width = child<QLineEdit>(window.get(), "sheetWidth");
        if (change == QLatin1String("width"))
            width->setText(QStringLiteral("3.0"));
        else if (change == QLatin1String("width 2"))
            width->setText(QStringLiteral(" 2"));
        else if (change == QLatin1String("height"))
            child<QLineEdit>(window.get(), "sheetHeight")->setText(QStringLiteral("1.25"));
        else if (change == QLatin1String("clearance"))
            child<QLineEdit>(window.get(), "clearance")->setText(QStringLiteral("0.01"));
        else if (change == QLatin1String("start")) {
            auto *start = child<QComboBox>(window.get(), "start");
            start->setCurrentIndex((start->currentIndex() + 1) % start->count());
        } else if (change == QLatin1String("vertical")) {
            auto *vertical = child<QRadioButton>(window.get(), "vertical");
            (vertical->isChecked() ? child<QRadioButton>(window.get(), "horizontal") : vertical)->setChecked(true);
        } else if (change == QLatin1String("width and back")) {
            const QString before = width->text();
            width->setText(QStringLiteral("9"));
            QVERIFY(window->hasUnsavedWork());
            width->setText(before);
        } else if (change == QLatin1String("recalculate")) {
            QCOMPARE(window->recalculate(), ComputationOutcome::Applied);
        } else if (change == QLatin1String("load")) {
            QVERIFY(window->loadDxfFile(example("deck-bay.dxf"), true));
            QVERIFY(!window->isModified());   // loadDxfFile alone leaves the flag to its caller
            hooks.openAnswers = {example("deck-bay.dxf")};
            hooks.answers = {QMessageBox::Discard};
            window->chooseAndLoadDxf();
        } else if (change == QLatin1String("new")) {
            width->setText(QStringLiteral("3.0"));
            hooks.answers = {QMessageBox::Yes};
            window->newProject();
            QVERIFY(!window->hasDrawing());
            loadThroughDialog(*window, example("deck-bay.dxf"));
            window->setModified(false);
            window->newProject();
        }
        QCOMPARE(window->hasUnsavedWork(), unsaved);
        QCOMPARE(window->isWindowModified(), unsaved);
    }

    // What counts as unsaved work is unsavedWork's; every answer to the
    // question, Save included, is checked where opening a project asks it.
    void closingPrompt_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("prompted");
        QTest::addColumn<bool>("closes");
        QTest::newRow("cancel keeps the window") << true << int(QMessageBox::Cancel) << true << false;
        QTest::newRow("discard closes") << true << int(QMessageBox::Discard) << true << true;
        QTest::newRow("no drawing") << false << int(QMessageBox::Cancel) << false << true;
    }

    void closingPrompt()
    {
        QFETCH(bool, loaded);
        QFETCH(int, answer);
        QFETCH(bool, prompted);
        QFETCH(bool, closes);
        const auto window = std::make_unique<RodalixV69>();
        window->show();
        if (loaded)
            loadThroughDialog(*window, example("l-floor-column.dxf"));
        window->toggleTheme();   // light, stored only when the window really closes
        hooks.boxes.clear();
        hooks.answers = {QMessageBox::StandardButton(answer)};

        QCOMPARE(window->close(), closes);
        QCOMPARE(hooks.boxes.size(), prompted ? 1 : 0);
        if (prompted) {
            const MessageBoxRequest &box = hooks.boxes.first();
            QCOMPARE(box.title, QStringLiteral("Save project"));
            QCOMPARE(box.text, QStringLiteral("There are unsaved changes in a .tlr project. Do you want to save "
                                              "them before exiting?"));
            QVERIFY(box.buttons.testFlag(QMessageBox::Discard));
            QVERIFY(box.buttons.testFlag(QMessageBox::Cancel));
        }
        QCOMPARE(window->isVisible(), !closes);
        QCOMPARE(settingsStore().value(QStringLiteral("theme/dark"), true).toBool(), !closes);
    }

    void replacingUnsavedWorkAsks_data()
    {
        QTest::addColumn<bool>("throughRecent");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("replaced");
        // Each way in asks; what each answer does is the same question's.
        QTest::newRow("dialog, cancel") << false << int(QMessageBox::Cancel) << false;
        QTest::newRow("recent, discard") << true << int(QMessageBox::Discard) << true;
    }

    void replacingUnsavedWorkAsks()
    {
        QFETCH(bool, throughRecent);
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        const auto window = std::make_unique<RodalixV69>();
        loadThroughDialog(*window, example("deck-bay.dxf"));
        hooks.answers = {QMessageBox::Discard};
        loadThroughDialog(*window, example("room-curved-wall.dxf"));   // asks: deck bay is unsaved
        QCOMPARE(hooks.boxes.size(), 1);
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("room-curved-wall.dxf")));
        hooks.boxes.clear();
        hooks.answers = {QMessageBox::StandardButton(answer)};
        if (throughRecent) {
            const QList<QAction *> entries = recentEntries(window.get());
            QCOMPARE(entries.size(), 2);
            QCOMPARE(entries.last()->data().toString(), QFileInfo(example("deck-bay.dxf")).absoluteFilePath());
            entries.last()->trigger();
        } else {
            hooks.openAnswers = {example("deck-bay.dxf")};
            window->chooseAndLoadDxf();
        }
        QCOMPARE(hooks.boxes.size(), 1);
        QCOMPARE(hooks.boxes.first().title, QStringLiteral("Save project"));
        QVERIFY(hooks.boxes.first().buttons.testFlag(QMessageBox::Save));
        QCOMPARE(window->windowTitle().startsWith(QStringLiteral("deck-bay.dxf")), replaced);
        QVERIFY(window->currentPlan().has_value());
    }

    void newProject_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
        QTest::newRow("no") << int(QMessageBox::No) << false;
        QTest::newRow("enter takes the default") << int(QMessageBox::NoButton) << false;
    }

    void newProject()
    {
        QFETCH(int, answer);
        QFETCH(bool, cleared);
        const auto window = std::make_unique<RodalixV69>();
        loadThroughDialog(*window, example("deck-bay.dxf"));
        hooks.boxes.clear();
        if (answer != QMessageBox::NoButton)
            hooks.answers = {QMessageBox::StandardButton(answer)};
        window->newProject();
        QCOMPARE(hooks.boxes.size(), 1);
        QCOMPARE(hooks.boxes.first().defaultButton, QMessageBox::No);
        QCOMPARE(window->hasDrawing(), !cleared);
        QCOMPARE(window->currentPlan().has_value(), !cleared);
        QCOMPARE(window->isModified(), !cleared);
        if (cleared) {
            QCOMPARE(child<QLineEdit>(window.get(), "sheetWidth")->text(), QStringLiteral("0.0"));
            QCOMPARE(child<QLineEdit>(window.get(), "clearance")->text(), QStringLiteral("0.00"));
            QCOMPARE(shownText(window.get(), "piece"), QStringLiteral("Piece: None loaded"));
            QCOMPARE(shownText(window.get(), "report"), QStringLiteral("Load a DXF drawing to get started."));
            QCOMPARE(statusText(*window), QStringLiteral("New project created."));
            QCOMPARE(window->windowTitle(), QStringLiteral("Tallero[*]"));
        }
    }

    void restoreDefaults_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(QMessageBox::Yes);
        QTest::newRow("no") << int(QMessageBox::No);
    }

    // The theme and the fields go back; language, recent files, folders,
    // drawing, plan and `modified` stay.
    void restoreDefaults()
    {
        QFETCH(int, answer);
        const bool yes = answer == QMessageBox::Yes;
        const auto window = std::make_unique<RodalixV69>();
        loadThroughDialog(*window, example("deck-bay.dxf"));
        QSettings settings = settingsStore();
        settings.setValue(QStringLiteral("ui/language"), QStringLiteral("de"));
        settings.setValue(QStringLiteral("paths/project"), QStringLiteral("/p"));
        settings.setValue(QStringLiteral("paths/report"), QStringLiteral("/r"));
        settings.setValue(QStringLiteral("theme/dark"), false);
        settings.sync();
        window->toggleTheme();
        QVERIFY(!window->isDarkTheme());
        const QStringList recent = stored("recent/files").toStringList();
        const QString dxfFolder = stored("paths/dxf").toString();
        QCOMPARE(recent.size(), 1);
        hooks.answers = {QMessageBox::StandardButton(answer)};

        window->restoreDefaults();
        QCOMPARE(window->isDarkTheme(), yes);
        QCOMPARE(stored("theme/dark").toBool(), yes);
        QCOMPARE(child<QLineEdit>(window.get(), "sheetWidth")->text(), yes ? QStringLiteral("0.0") : QStringLiteral("2.0"));
        QCOMPARE(stored("ui/language").toString(), QStringLiteral("de"));
        QCOMPARE(stored("recent/files").toStringList(), recent);
        QCOMPARE(stored("paths/dxf").toString(), dxfFolder);
        QCOMPARE(stored("paths/project").toString(), QStringLiteral("/p"));
        QCOMPARE(stored("paths/report").toString(), QStringLiteral("/r"));
        QVERIFY(window->hasDrawing());
        QVERIFY(window->currentPlan().has_value());
        QVERIFY(window->isModified());
    }

    void recentFiles_data()
    {
        QTest::addColumn<int>("distinct");
        QTest::addColumn<bool>("repeatFirst");
        QTest::newRow("ten") << 10 << false;
        QTest::newRow("eleven push the oldest out") << 11 << false;
        QTest::newRow("repeat moves to the top") << 3 << true;
    }

    void recentFiles()
    {
        QFETCH(int, distinct);
        QFETCH(bool, repeatFirst);
        QTemporaryDir folder;
        QStringList used;
        for (int i = 0; i < distinct; ++i) {
            const QString path = folder.filePath(QStringLiteral("drawing-%1.dxf").arg(i));
            QFile(path).open(QIODevice::WriteOnly);
            used.append(path);
        }
        if (repeatFirst)
            used.append(used.first());
        const auto window = std::make_unique<RodalixV69>();
        for (const QString &path : used)
            window->addRecentFile(path);

        QStringList expected;
        for (auto it = used.crbegin(); it != used.crend(); ++it) {
            if (!expected.contains(*it))
                expected.append(*it);
        }
        expected = expected.mid(0, 10);
        QCOMPARE(stored("recent/files").toStringList(), expected);
        const QList<QAction *> entries = recentEntries(window.get());
        QCOMPARE(entries.size(), expected.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries[i]->toolTip(), expected[i]);
            QVERIFY(entries[i]->text().startsWith(QFileInfo(expected[i]).fileName() + QStringLiteral("  \u2014  ")));
        }
        QVERIFY(child<QAction>(window.get(), "clearRecentFiles"));
    }

    void recentFilesPrunedAndCleared()
    {
        QTemporaryDir folder;
        const QString kept = folder.filePath(QStringLiteral("kept.dxf"));
        const QString gone = folder.filePath(QStringLiteral("gone.dxf"));
        QFile(kept).open(QIODevice::WriteOnly);
        QSettings settings = settingsStore();
        settings.setValue(QStringLiteral("recent/files"), QStringList{gone, kept});
        settings.sync();

        const auto window = std::make_unique<RodalixV69>();
        QVERIFY(child<QMenu>(window.get(), "recentMenu")->isEnabled());
        QCOMPARE(stored("recent/files").toStringList(), QStringList{kept});
        QCOMPARE(recentEntries(window.get()).size(), 1);

        child<QAction>(window.get(), "clearRecentFiles")->trigger();
        QVERIFY(!settingsStore().contains(QStringLiteral("recent/files")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<QAction *> left = child<QMenu>(window.get(), "recentMenu")->actions();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first()->text(), QStringLiteral("No recent files"));
        QVERIFY(!left.first()->isEnabled());
    }

    // "&" is shown, not taken for a shortcut marker; an entry that loads its
    // drawing, and so rebuilds the menu, outlives its own handler.
    void recentEntryWithAmpersand()
    {
        const QString path = writeDxf(QStringLiteral("walls & floor.dxf"), rectangleEntities(0, 0, 5, 5));
        const auto window = std::make_unique<RodalixV69>();
        window->addRecentFile(path);
        QPointer<QAction> entry = recentEntries(window.get()).value(0);
        QVERIFY(entry);
        QVERIFY(entry->text().startsWith(QStringLiteral("walls && floor.dxf  \u2014  ")));
        QCOMPARE(QAction(entry->text()).iconText().left(13), QStringLiteral("walls & floor"));

        typeSheet(window.get(), QStringLiteral("2.0"), QStringLiteral("1.2"));
        entry->trigger();
        QVERIFY(window->hasDrawing());
        QVERIFY(window->isModified());
        QVERIFY(entry);   // still alive while control is in the loop's hands
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!entry);
        QCOMPARE(recentEntries(window.get()).size(), 1);
    }

    void startupFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("boxTitle");
        QTest::addColumn<QString>("status");
        QTest::newRow("drawing") << "room-curved-wall.dxf" << true << ""
                                 << "Drawing loaded: room-curved-wall.dxf. Enter the sheet size and press Optimise.";
        QTest::newRow("contours outside") << "outside" << true << ""
                                          << "Drawing loaded: outside.dxf. 2 closed contours outside the outline "
                                             "were ignored. Enter the sheet size and press Optimise.";
        QTest::newRow("project") << "work.tlr" << false << "Open project" << "";
        QTest::newRow("missing") << "missing.dxf" << false << "DXF read error" << "";
    }

    // A file named on the command line with the fields at their start values.
    void startupFile()
    {
        QFETCH(QString, file);
        QFETCH(bool, shown);
        QFETCH(QString, boxTitle);
        QFETCH(QString, status);
        QString path = scratch.folder() + QLatin1Char('/') + file;
        if (file == QLatin1String("room-curved-wall.dxf"))
            path = example("room-curved-wall.dxf");
        else if (file == QLatin1String("outside"))
            path = writeDxf(QStringLiteral("outside.dxf"), rectangleEntities(0, 0, 10, 10) + rectangleEntities(20, 0, 3, 3) + rectangleEntities(30, 0, 1, 1));
        const auto window = std::make_unique<RodalixV69>();
        window->openStartupFile(path);
        QCOMPARE(window->hasDrawing(), shown);
        QCOMPARE(hooks.boxes.size(), boxTitle.isEmpty() ? 0 : 1);
        if (!boxTitle.isEmpty())
            QCOMPARE(hooks.boxes.first().title, boxTitle);
        if (shown) {
            QCOMPARE(statusText(*window), status);
            QVERIFY(!window->currentPlan().has_value());
            QVERIFY(window->isModified());
        }
    }
};

QTEST_MAIN(UiWorkflowTest)
#include "tst_ui_workflow.moc"
