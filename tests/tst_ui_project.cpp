// The project commands of the window: Open project…, Save project and Save
// project as…, the drawing of a moved project, the unsaved-work prompt with
// its Save button, and failures that must leave files and window alone.
// Every box and file dialog is answered through the test hooks.

#include "uitestsupport.h"

#include <QStandardPaths>

#include <sys/stat.h>

using namespace tallero;
using namespace tallero::testing;

class UiProjectTest : public QObject
{
    Q_OBJECT

private:
    WindowHooks hooks;
    std::unique_ptr<QTemporaryDir> dir;

    QString inDir(const QString &name) const { return dir->filePath(name); }
    static int startIndex(RodalixV69 &window) { return child<QComboBox>(&window, "start")->currentIndex(); }
    static QString shownDrawing(RodalixV69 &window) { return window.layoutCanvas()->fileName; }

    static QByteArray projectText(const QString &dxf, const char *extra = "")
    {
        return "{\"format\": \"TalleroProject\", \"dxf\": \"" + dxf.toUtf8()
            + "\", \"sheetWidth\": \"2.0\", \"sheetHeight\": \"1.2\", \"gap\": \"0.0\", \"startIndex\": 3"
            + extra + "}";
    }
    QString copyExample(const char *name, const QString &to)
    {
        QFile::remove(to);
        if (!QFile::copy(example(name), to))
            qFatal("cannot copy %s", name);
        return to;
    }

    std::unique_ptr<RodalixV69> windowWithDrawing() { return windowWithExample(hooks); }

    // Saves through Save project as… with the dialog answered `path`.
    bool saveAs(RodalixV69 &window, const QString &path)
    {
        hooks.saveAnswers.append(path);
        return window.saveProjectAs();
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
        dir = std::make_unique<QTemporaryDir>();
    }

    // Saved, then opened in a fresh window: the same fields, a plan, nothing
    // unsaved, and the dialogs asked what the user expects.
    void saveAndReopen()
    {
        const auto window = windowWithDrawing();
        child<QLineEdit>(window.get(), "sheetWidth")->setText(QStringLiteral("2.44"));
        child<QLineEdit>(window.get(), "clearance")->setText(QStringLiteral("0.003"));
        child<QComboBox>(window.get(), "start")->setCurrentIndex(2);
        child<QRadioButton>(window.get(), "vertical")->setChecked(true);
        QVERIFY(window->isModified());
        hooks.saveAnswers = {inDir(QStringLiteral("obra"))};
        QVERIFY(window->saveProject());
        QVERIFY(hooks.boxes.isEmpty());
        QCOMPARE(hooks.saveRequests.size(), 1);
        const QString projects =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Tallero/Proyectos");
        QVERIFY(QFileInfo(projects).isDir());
        QCOMPARE(hooks.saveRequests.first().folder, projects + QStringLiteral("/deck-bay.tlr"));
        QCOMPARE(hooks.saveRequests.first().defaultSuffix, QStringLiteral("tlr"));
        const QString saved = inDir(QStringLiteral("obra.tlr"));
        QVERIFY(QFileInfo(saved).isFile());
        QVERIFY(!window->isModified());
        QVERIFY(!window->hasUnsavedWork());
        QCOMPARE(statusText(*window), QStringLiteral("Project saved: obra.tlr"));
        QCOMPARE(titleName(*window), QStringLiteral("obra.tlr"));
        QCOMPARE(settingsStore().value(QStringLiteral("paths/project")).toString(), dir->path());
        QCOMPARE(settingsStore().value(QStringLiteral("recent/files")).toStringList().value(0), saved);

        const auto reopened = std::make_unique<RodalixV69>();
        hooks.openAnswers = {saved};
        reopened->openProject();
        QCOMPARE(hooks.openRequests.size(), 1);
        QVERIFY(hooks.openRequests.first().folder.isEmpty());
        QVERIFY(hooks.boxes.isEmpty());
        QCOMPARE(shownText(reopened.get(), "sheetWidth"), QStringLiteral("2.44"));
        QCOMPARE(shownText(reopened.get(), "sheetHeight"), QStringLiteral("1.2"));
        QCOMPARE(shownText(reopened.get(), "clearance"), QStringLiteral("0.003"));
        QCOMPARE(startIndex(*reopened), 2);
        QVERIFY(child<QRadioButton>(reopened.get(), "vertical")->isChecked());
        QVERIFY(reopened->currentPlan().has_value());
        QCOMPARE(shownDrawing(*reopened), QStringLiteral("deck-bay.dxf"));
        QVERIFY(!reopened->isModified());
        QVERIFY(!reopened->hasUnsavedWork());
        QCOMPARE(titleName(*reopened), QStringLiteral("obra.tlr"));
        QCOMPARE(statusText(*reopened), QStringLiteral("Project opened: obra.tlr"));
        QCOMPARE(settingsStore().value(QStringLiteral("recent/files")).toStringList().value(0), saved);
    }

    void drawingOfAProject_data()
    {
        QTest::addColumn<QString>("stored");   // the path the project names, "%1" its folder; empty: no dxf key
        QTest::addColumn<QString>("made");     // at dwg/deck-bay.dxf: "file", "pipe", "folder"; "beside": a file
        QTest::addColumn<bool>("locateAsked");
        QTest::addColumn<bool>("locateAnswered");
        QTest::addColumn<bool>("modified");
        const QString inDwg = QStringLiteral("%1/dwg/deck-bay.dxf");
        const QString gone = QStringLiteral("/gone/deck-bay.dxf");
        QTest::newRow("absolute") << inDwg << "file" << false << false << false;
        QTest::newRow("relative, beside") << "deck-bay.dxf" << "beside" << false << false << false;
        QTest::newRow("relative, subfolder") << "dwg/deck-bay.dxf" << "file" << false << false << false;
        QTest::newRow("moved, same name beside") << gone << "beside" << false << false << true;
        QTest::newRow("missing, located") << gone << "" << true << true << true;
        QTest::newRow("missing, not located") << gone << "" << true << false << false;
        QTest::newRow("a pipe, located") << inDwg << "pipe" << true << true << true;
        QTest::newRow("a folder, located") << inDwg << "folder" << true << true << true;
        QTest::newRow("no dxf key, located") << "" << "" << true << true << true;
    }

    void drawingOfAProject()
    {
        QFETCH(QString, stored);
        QFETCH(QString, made);
        QFETCH(bool, locateAsked);
        QFETCH(bool, locateAnswered);
        QFETCH(bool, modified);
        const bool opened = !locateAsked || locateAnswered;
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("dwg")));
        const QString dxf = stored.contains(QStringLiteral("%1")) ? stored.arg(dir->path()) : stored;
        const QString at = inDir(made == QLatin1String("beside") ? QStringLiteral("deck-bay.dxf")
                                                                 : QStringLiteral("dwg/deck-bay.dxf"));
        if (made == QLatin1String("file") || made == QLatin1String("beside"))
            copyExample("deck-bay.dxf", at);
        else if (made == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
        else if (made == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(at));
        const QString project = inDir(QStringLiteral("work.tlr"));
        writeFile(project, dxf.isEmpty()
                               ? QByteArray("{\"format\": \"TalleroProject\", \"sheetWidth\": \"2.0\", "
                                            "\"sheetHeight\": \"1.2\", \"startIndex\": 3}")
                               : projectText(dxf));
        const QString located = copyExample("deck-bay.dxf", inDir(QStringLiteral("located.dxf")));
        if (locateAnswered)
            hooks.openAnswers = {located};

        const auto window = std::make_unique<RodalixV69>();
        window->openProject(project);
        QCOMPARE(window->hasDrawing(), opened);
        QCOMPARE(window->isModified(), modified);
        QCOMPARE(hooks.openRequests.size(), locateAsked ? 1 : 0);
        QCOMPARE(hooks.boxes.size(), locateAsked ? 1 : 0);
        if (locateAsked) {
            QCOMPARE(hooks.boxes.first().icon, QMessageBox::Warning);
            QCOMPARE(hooks.boxes.first().title, QStringLiteral("Locate DXF"));
            QCOMPARE(hooks.boxes.first().text, QStringLiteral("The linked DXF could not be found:\n%1\n\nSelect its new "
                                                        "location.")
                                             .arg(dxf));
            QCOMPARE(hooks.openRequests.first().folder, dxf.isEmpty() ? QString() : QFileInfo(dxf).absolutePath());
        }
        if (!opened) {   // as a window that never opened it
            QCOMPARE(workSignature(*window), workSignature(RodalixV69()));
            return;
        }
        QCOMPARE(shownDrawing(*window), locateAnswered ? QStringLiteral("located.dxf") : QStringLiteral("deck-bay.dxf"));
        QCOMPARE(shownText(window.get(), "sheetWidth"), QStringLiteral("2.0"));
        QCOMPARE(startIndex(*window), 3);
        QVERIFY(window->currentPlan().has_value());
        QCOMPARE(titleName(*window), QStringLiteral("work.tlr"));
        QCOMPARE(statusText(*window), modified ? QStringLiteral("DXF located. Save the project to remember the new path.")
                                           : QStringLiteral("Project opened: work.tlr"));
        QCOMPARE(window->hasUnsavedWork(), modified);
        // Saved again, the project names where the drawing really is, absolute.
        if (modified) {
            QVERIFY(window->saveProject());
            QVERIFY(hooks.saveRequests.isEmpty());
            const QString written = QString::fromUtf8(readFile(project));
            const QString where = locateAnswered ? located : inDir(QStringLiteral("deck-bay.dxf"));
            QVERIFY2(written.contains(QStringLiteral("\"dxf\": \"%1\"").arg(where)), qPrintable(written));
        }
    }

    // Cancelled, Save project as… keeps the project: Save then writes to it
    // without asking.
    void saveAsCancelledKeepsThePath()
    {
        const auto window = windowWithDrawing();
        const QString first = inDir(QStringLiteral("first.tlr"));
        QVERIFY(saveAs(*window, first));
        QVERIFY(!window->saveProjectAs());
        QCOMPARE(hooks.saveRequests.size(), 2);
        QCOMPARE(titleName(*window), QStringLiteral("first.tlr"));
        child<QLineEdit>(window.get(), "sheetWidth")->setText(QStringLiteral("3.5"));
        QVERIFY(window->saveProject());
        QCOMPARE(hooks.saveRequests.size(), 2);
        QVERIFY(readFile(first).contains("\"sheetWidth\": \"3.5\""));
    }

    void chosenName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("existing");   // the name with ".tlr" appended already exists
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("written");  // empty: nothing written
        QTest::newRow("capital extension kept") << "PLAN.TLR" << false << 0 << "PLAN.TLR";
        QTest::newRow("extension appended") << "plan" << false << 0 << "plan.tlr";
        QTest::newRow("other extension kept, appended") << "plan.json" << false << 0 << "plan.json.tlr";
        QTest::newRow("appended name exists, replace") << "plan" << true << int(QMessageBox::Yes) << "plan.tlr";
        QTest::newRow("appended name exists, keep") << "plan" << true << int(QMessageBox::No) << "";
        QTest::newRow("appended name exists, Enter") << "plan" << true << int(QMessageBox::NoButton) << "";
    }

    // A file is never replaced without the user having been asked about
    // that very name.
    void chosenName()
    {
        QFETCH(QString, typed);
        QFETCH(bool, existing);
        QFETCH(int, answer);
        QFETCH(QString, written);
        const QByteArray old = "an older project\n";
        if (existing)
            writeFile(inDir(QStringLiteral("plan.tlr")), old);
        const auto window = windowWithDrawing();
        if (answer != 0)
            hooks.answers = {QMessageBox::StandardButton(answer)};
        QCOMPARE(saveAs(*window, inDir(typed)), !written.isEmpty());
        QCOMPARE(hooks.boxes.size(), existing ? 1 : 0);
        if (existing) {
            QCOMPARE(hooks.boxes.first().title, QStringLiteral("Save project"));
            QCOMPARE(hooks.boxes.first().text,
                     QStringLiteral("The file plan.tlr already exists. Do you want to replace it?"));
            QCOMPARE(hooks.boxes.first().defaultButton, QMessageBox::No);
        }
        if (written.isEmpty()) {
            QCOMPARE(readFile(inDir(QStringLiteral("plan.tlr"))), old);
            QVERIFY(window->isModified());
            QCOMPARE(titleName(*window), QStringLiteral("deck-bay.dxf"));
            return;
        }
        QVERIFY(readFile(inDir(written)).contains("\"format\": \"TalleroProject\""));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{written});
        QCOMPARE(titleName(*window), written);
    }

    // The project on disk stays byte for byte, the failure is reported, and
    // the window still has its project and its unsaved work. The project
    // file's own table covers a disk that fills up.
    void failedWrite()
    {
        const auto window = windowWithDrawing();
        const QString project = inDir(QStringLiteral("kept.tlr"));
        QVERIFY(saveAs(*window, project));
        const QByteArray before = readFile(project);
        child<QLineEdit>(window.get(), "sheetWidth")->setText(QStringLiteral("3.0"));
        window->setModified(true);
        window->statusBar()->clearMessage();
        hooks.boxes.clear();
        QVERIFY(!saveAs(*window, project + QStringLiteral("/inside.tlr")));
        QCOMPARE(hooks.boxes.size(), 1);
        QCOMPARE(hooks.boxes.first().icon, QMessageBox::Critical);
        QCOMPARE(hooks.boxes.first().title, QStringLiteral("Save project"));
        QVERIFY(!hooks.boxes.first().text.isEmpty());
        QCOMPARE(readFile(project), before);
        QVERIFY(window->isModified());
        QCOMPARE(titleName(*window), QStringLiteral("kept.tlr"));
        QVERIFY(statusText(*window).isEmpty());
    }

    // The project file's own tables cover every other file that is not a
    // project, and the import's every unreadable drawing.
    void failedOpen_data()
    {
        QTest::addColumn<bool>("badDrawing");
        QTest::addColumn<QString>("boxTitle");
        QTest::newRow("drawing unreadable") << true << "DXF read error";
        QTest::newRow("not a project") << false << "Open project";
    }

    // A project that cannot be opened leaves everything of the open one:
    // fields, drawing, plan, project path and unsaved-work state.
    void failedOpen()
    {
        QFETCH(bool, badDrawing);
        QFETCH(QString, boxTitle);
        const auto window = windowWithDrawing();
        child<QLineEdit>(window.get(), "sheetWidth")->setText(QStringLiteral("2.5"));
        QVERIFY(saveAs(*window, inDir(QStringLiteral("a.tlr"))));
        QVERIFY(window->currentPlan().has_value());
        const QString before = workSignature(*window);

        const QString other = inDir(QStringLiteral("b.tlr"));
        if (badDrawing) {
            writeFile(inDir(QStringLiteral("broken.dxf")), "0\nSECTION\n2\nENTITIES\n0\nLINE\n");
            writeFile(other, projectText(inDir(QStringLiteral("broken.dxf"))));
        } else {
            writeFile(other, "sheetWidth = 9");
        }
        hooks.boxes.clear();
        window->openProject(other);
        QVERIFY(!hooks.boxes.isEmpty());
        QCOMPARE(hooks.boxes.first().title, boxTitle);
        if (!badDrawing)
            QCOMPARE(hooks.boxes.first().text, QStringLiteral("The file is not a valid .tlr project."));
        QCOMPARE(workSignature(*window), before);
        QVERIFY(!window->hasUnsavedWork());
        // Save still writes the open project's values to its own file.
        QVERIFY(window->saveProject());
        QVERIFY(readFile(inDir(QStringLiteral("a.tlr"))).contains("\"sheetWidth\": \"2.5\""));
    }

    void drawingScale_data()
    {
        QTest::addColumn<bool>("keepScale");
        QTest::newRow("scale saved") << true;
        QTest::newRow("scale key removed") << false;
    }

    // A drawing made in millimetres and scaled to metres reopens scaled,
    // without the question about its unit; without the key it is asked.
    void drawingScale()
    {
        QFETCH(bool, keepScale);
        const QString drawing = inDir(QStringLiteral("hall-mm.dxf"));
        writeFile(drawing, dxfDocument(
                               QStringLiteral("0 LWPOLYLINE;70 1;10 0;20 0;10 6000;20 0;10 6000;20 4000;10 0;20 4000;"))
                               .toUtf8());
        auto window = std::make_unique<RodalixV69>();
        child<QLineEdit>(window.get(), "sheetWidth")->setText(QStringLiteral("2.0"));
        child<QLineEdit>(window.get(), "sheetHeight")->setText(QStringLiteral("1.2"));
        hooks.openAnswers = {drawing};
        hooks.answers = {QMessageBox::Yes};   // Scale to metres
        window->chooseAndLoadDxf();
        QCOMPARE(window->drawingScale(), 0.001);
        const QString project = inDir(QStringLiteral("hall.tlr"));
        QVERIFY(saveAs(*window, project));
        QByteArray text = readFile(project);
        QVERIFY2(text.contains("    \"scale\": 0.001,\n"), text.constData());
        if (!keepScale)
            writeFile(project, text.replace("    \"scale\": 0.001,\n", ""));
        window.reset();

        hooks.boxes.clear();
        hooks.answers = {QMessageBox::Yes};
        const auto reopened = std::make_unique<RodalixV69>();
        reopened->openProject(project);
        QCOMPARE(hooks.boxes.size(), keepScale ? 0 : 1);
        QCOMPARE(reopened->drawingScale(), 0.001);
        QCOMPARE(child<QLabel>(reopened.get(), "piece")->text(), QStringLiteral("Drawing: 6.000 m x 4.000 m"));
        QVERIFY(reopened->currentPlan().has_value());
        if (keepScale)
            QVERIFY(!reopened->hasUnsavedWork());
    }

    void openingAsksAboutUnsavedWork_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("savePathGiven");
        QTest::addColumn<bool>("opened");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
        QTest::newRow("closing the box") << int(QMessageBox::NoButton) << false << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << false << true;
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
        QTest::newRow("save, dialog cancelled") << int(QMessageBox::Save) << false << false;
    }

    void openingAsksAboutUnsavedWork()
    {
        QFETCH(int, answer);
        QFETCH(bool, savePathGiven);
        QFETCH(bool, opened);
        const QString project = inDir(QStringLiteral("other.tlr"));
        writeFile(project, projectText(example("room-curved-wall.dxf")));
        const auto window = windowWithDrawing();
        hooks.answers = {QMessageBox::StandardButton(answer)};
        if (savePathGiven)
            hooks.saveAnswers = {inDir(QStringLiteral("mine.tlr"))};
        window->openProject(project);
        QCOMPARE(hooks.boxes.size(), 1);
        const MessageBoxRequest &box = hooks.boxes.first();
        QCOMPARE(box.title, QStringLiteral("Save project"));
        QCOMPARE(box.text, QStringLiteral("There are unsaved changes. Do you want to save them before opening "
                                          "another project?"));
        QCOMPARE(box.buttons.toInt(), (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel).toInt());
        QCOMPARE(box.defaultButton, QMessageBox::Save);
        QCOMPARE(shownDrawing(*window), opened ? QStringLiteral("room-curved-wall.dxf") : QStringLiteral("deck-bay.dxf"));
        QCOMPARE(titleName(*window), opened ? QStringLiteral("other.tlr") : QStringLiteral("deck-bay.dxf"));
        QCOMPARE(QFileInfo::exists(inDir(QStringLiteral("mine.tlr"))), savePathGiven);
        if (savePathGiven)
            QVERIFY(readFile(inDir(QStringLiteral("mine.tlr"))).contains("deck-bay.dxf"));
    }

    void projectFromElsewhere_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("drawing");
        QTest::newRow("recent files entry") << "recent" << "l-floor-column.dxf";
        // The project make run opens: its drawing found beside it.
        QTest::newRow("the sample project") << "sample" << "room-curved-wall.dxf";
    }

    // A .tlr chosen from the recent files or named on the command line opens
    // as through Open project…: the plan on screen, nothing to save.
    void projectFromElsewhere()
    {
        QFETCH(QString, how);
        QFETCH(QString, drawing);
        QString project = inDir(QStringLiteral("Recent.TLR"));
        writeFile(project, projectText(example("l-floor-column.dxf")));
        const auto window = std::make_unique<RodalixV69>();
        if (how == QLatin1String("recent")) {
            window->addRecentFile(project);
            QAction *entry = nullptr;
            for (QAction *action : recentEntries(window.get())) {
                if (action->data().toString() == project)
                    entry = action;
            }
            QVERIFY(entry);
            entry->trigger();
        } else {
            if (how == QLatin1String("sample"))
                project = example("room-curved-wall.tlr");
            window->openStartupFile(project);
        }
        QVERIFY(hooks.boxes.isEmpty());
        QCOMPARE(shownDrawing(*window), drawing);
        const QString name = QFileInfo(project).fileName();
        QCOMPARE(titleName(*window), name);
        QCOMPARE(statusText(*window), QStringLiteral("Project opened: ") + name);
        QVERIFY(window->currentPlan().has_value());
        QVERIFY(!window->hasUnsavedWork());
    }

    void saveWithoutDrawing()
    {
        const auto window = std::make_unique<RodalixV69>();
        QVERIFY(!window->saveProjectAs());
        QVERIFY(hooks.saveRequests.isEmpty());
        QCOMPARE(hooks.boxes.size(), 1);
        QCOMPARE(hooks.boxes.first().icon, QMessageBox::Information);
        QCOMPARE(hooks.boxes.first().text, QStringLiteral("Load a DXF drawing before saving a project."));
    }
};

QTEST_MAIN(UiProjectTest)
#include "tst_ui_project.moc"
