// Files dropped on the main window from a file manager: a drawing or a
// project opens as the File menu opens it (the unsaved-work question, the
// error boxes, the recent files); other files are refused. Boxes are answered
// through the test hook, so nothing waits for a click.

#include "uitestsupport.h"

#include "ui/preferences.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace tallero;
using namespace tallero::testing;

class UiFileDropTest : public QObject
{
    Q_OBJECT

private:
    WindowHooks hooks;
    DxfScratch scratch;

    static void typeSheet(RodalixV69 &window) { testing::typeSheet(&window, QStringLiteral("2.0"), QStringLiteral("1.2")); }

    // A drawing of a w x h m rectangle in the scratch folder, under `name`.
    void rectangle(const QString &name, double w, double h)
    {
        writeFile(scratch.folder() + QLatin1Char('/') + name, dxfDocument(rectangleEntities(0, 0, w, h)).toUtf8());
    }

    // The dropped entries of the rows below: a name in the scratch folder,
    // "project" for the sample project, "remote" for a web address, "folder"
    // for a folder named like a drawing, "text" for a plain text file.
    QUrl entry(const QString &name)
    {
        if (name == QLatin1String("project"))
            return QUrl::fromLocalFile(example("room-curved-wall.tlr"));
        if (name == QLatin1String("remote"))
            return QUrl(QStringLiteral("https://example.org/plans/floor.dxf"));
        const QString path = scratch.folder() + QLatin1Char('/') + name;
        if (name == QLatin1String("folder.dxf"))
            QDir().mkpath(path);
        else if (name == QLatin1String("notes.txt"))
            writeFile(path, "0\nSECTION\n");
        return QUrl::fromLocalFile(path);
    }

    // Drags `urls` onto `target` and drops them there, as a file manager
    // does: the paths as a URI list and as text. Returns whether the drag was
    // taken, and the action it was taken with; a taken drop is opened before
    // this returns.
    static bool drop(QWidget *target, const QList<QUrl> &urls,
                     Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction,
                     Qt::DropAction *taken = nullptr)
    {
        QMimeData data;
        data.setUrls(urls);
        QStringList text;
        for (const QUrl &url : urls)
            text.append(url.toString());
        data.setText(text.join(QLatin1Char('\n')));

        const QPoint at(5, 5);
        QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        enter.setAccepted(false);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, offered, &data, Qt::LeftButton, Qt::NoModifier);
        move.setAccepted(false);
        QCoreApplication::sendEvent(target, &move);
        QDropEvent dropped(QPointF(at), offered, &data, Qt::LeftButton, Qt::NoModifier);
        dropped.setAccepted(false);
        QCoreApplication::sendEvent(target, &dropped);
        if (!move.isAccepted() || !dropped.isAccepted() || dropped.dropAction() != enter.dropAction())
            qFatal("the drag was taken but its move or drop was not");
        if (taken)
            *taken = dropped.dropAction();
        // The window opens the file once the drop is over.
        QCoreApplication::processEvents();
        return true;
    }

    bool drop(QWidget *target, const QStringList &names)
    {
        QList<QUrl> urls;
        for (const QString &name : names)
            urls.append(entry(name));
        return drop(target, urls);
    }

    static QString openedName(const RodalixV69 &window) { return window.layoutCanvas()->fileName; }

    static QString newestRecentFile() { return Preferences().recentFiles().value(0); }

private slots:
    void initTestCase()
    {
        isolateUserState();
        hooks.install();
        rectangle(QStringLiteral("hall.dxf"), 6.3, 4.1);
        rectangle(QStringLiteral("SHED.DXF"), 3.5, 2.5);
        rectangle(QStringLiteral("bay.dxf"), 4.5, 3.1);
    }

    void init()
    {
        resetSettings(QStringLiteral("en"));
        hooks.clear();
    }

    void opensTheFirstOpenableFile_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("onField");
        QTest::addColumn<QString>("opened");   // the drawing shown afterwards
        QTest::addColumn<QString>("recent");   // the file that joined the recent files
        QTest::newRow("drawing") << QStringList{"hall.dxf"} << false << "hall.dxf" << "hall.dxf";
        QTest::newRow("upper-case suffix") << QStringList{"SHED.DXF"} << false << "SHED.DXF" << "SHED.DXF";
        QTest::newRow("project") << QStringList{"project"} << false << "room-curved-wall.dxf" << "project";
        QTest::newRow("on a sheet field") << QStringList{"hall.dxf"} << true << "hall.dxf" << "hall.dxf";
        QTest::newRow("first of several")
            << QStringList{"notes.txt", "remote", "folder.dxf", "bay.dxf", "hall.dxf", "project"} << false
            << "bay.dxf" << "bay.dxf";
    }

    void opensTheFirstOpenableFile()
    {
        QFETCH(QStringList, dropped);
        QFETCH(bool, onField);
        QFETCH(QString, opened);
        QFETCH(QString, recent);
        RodalixV69 window;
        QVERIFY(window.acceptDrops());
        typeSheet(window);
        QLineEdit *width = child<QLineEdit>(&window, "sheetWidth");
        QVERIFY(drop(onField ? static_cast<QWidget *>(width) : &window, dropped));

        QVERIFY(hooks.boxes.isEmpty());
        QVERIFY(hooks.openRequests.isEmpty());
        QCOMPARE(openedName(window), opened);
        QVERIFY(window.currentPlan().has_value());
        // A drop on a field opens the drawing; the field does not take the path as text.
        QCOMPARE(width->text(), QStringLiteral("2.0"));
        const QFileInfo recentFile(entry(recent).toLocalFile());
        QCOMPARE(newestRecentFile(), recentFile.absoluteFilePath());
        QVERIFY(window.windowTitle().startsWith(recentFile.fileName()));
    }

    void refusesOtherDrops_data()
    {
        QTest::addColumn<QStringList>("dropped");
        QTest::newRow("text file") << QStringList{"notes.txt"};
        QTest::newRow("web address") << QStringList{"remote"};
        QTest::newRow("folder named like a drawing") << QStringList{"folder.dxf"};
        QTest::newRow("no files") << QStringList{};
    }

    void refusesOtherDrops()
    {
        QFETCH(QStringList, dropped);
        RodalixV69 window;
        typeSheet(window);
        QVERIFY(!drop(&window, dropped));
        QCoreApplication::processEvents();
        QVERIFY(hooks.boxes.isEmpty());
        QVERIFY(!window.hasDrawing());
        QVERIFY(Preferences().recentFiles().isEmpty());
    }

    // The file is read where it is: a drop offered as a move is taken as a
    // copy, so the file manager never deletes the drawing.
    void takesTheDropAsACopy_data()
    {
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("taken");   // NoAction: refused
        QTest::newRow("copy or move") << int(Qt::CopyAction | Qt::MoveAction) << int(Qt::CopyAction);
        QTest::newRow("move or link") << int(Qt::MoveAction | Qt::LinkAction) << int(Qt::LinkAction);
        QTest::newRow("move only") << int(Qt::MoveAction) << int(Qt::IgnoreAction);
    }

    void takesTheDropAsACopy()
    {
        QFETCH(int, offered);
        QFETCH(int, taken);
        RodalixV69 window;
        typeSheet(window);
        Qt::DropAction action = Qt::IgnoreAction;
        QCOMPARE(drop(&window, {entry(QStringLiteral("hall.dxf"))}, Qt::DropActions(offered), &action),
                 taken != Qt::IgnoreAction);
        QCOMPARE(int(action), taken);
        QCOMPARE(window.hasDrawing(), taken != Qt::IgnoreAction);
    }

    void unsavedWorkIsAskedAbout_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("opened");
        const QString beforeDrawing = QStringLiteral("There are unsaved changes. Do you want to save them before "
                                                     "loading another drawing?");
        const QString beforeProject = QStringLiteral("There are unsaved changes. Do you want to save them before "
                                                     "opening another project?");
        QTest::newRow("drawing, cancel") << "bay.dxf" << int(QMessageBox::Cancel) << beforeDrawing << "hall.dxf";
        QTest::newRow("project, discard")
            << "project" << int(QMessageBox::Discard) << beforeProject << "room-curved-wall.dxf";
    }

    void unsavedWorkIsAskedAbout()
    {
        QFETCH(QString, second);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QString, opened);
        RodalixV69 window;
        typeSheet(window);
        QVERIFY(drop(&window, QStringList{QStringLiteral("hall.dxf")}));
        QVERIFY(window.hasUnsavedWork());   // a drawing not yet saved as a project
        QVERIFY(hooks.boxes.isEmpty());

        hooks.answers = {QMessageBox::StandardButton(answer)};
        QVERIFY(drop(&window, QStringList{second}));
        QCOMPARE(hooks.boxes.size(), 1);
        QCOMPARE(hooks.boxes.first().title, QStringLiteral("Save project"));
        QCOMPARE(hooks.boxes.first().text, question);
        QCOMPARE(openedName(window), opened);
        QVERIFY(window.currentPlan().has_value());
    }
};

QTEST_MAIN(UiFileDropTest)
#include "tst_ui_filedrop.moc"
