#pragma once

// Shared by the test suites: keeps every suite away from the real user's
// settings and documents, finds the committed test data, writes scratch
// files and DXF inputs, makes writes fail as on a full disk, runs the built
// program, and (for the widget suites) answers the window's boxes and file
// dialogs.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

#ifdef TALLERO_TEST_WIDGETS
#include "dxf/drawing.h"
#include "ui/filedialog.h"
#include "ui/messagebox.h"

#include <QImage>
#include <QLineEdit>
#include <QWidget>
#endif

namespace tallero::testing {

// Points HOME and the XDG folders at a private temporary folder and switches
// QStandardPaths to its test locations. Call first thing in initTestCase().
inline void isolateUserState()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    QStandardPaths::setTestModeEnabled(true);
}

inline QString testDataPath(const QString &name)
{
    return QStringLiteral(TALLERO_TEST_DATA) + QLatin1Char('/') + name;
}

inline QString examplePath(const QString &name)
{
    return QStringLiteral(TALLERO_EXAMPLES) + QLatin1Char('/') + name;
}

// The settings store the program uses (under the isolated HOME).
inline QSettings settingsStore()
{
    return QSettings(QStringLiteral("Tallero"), QStringLiteral("Tallero"));
}

// Writes `bytes` to `path` or ends the run: a suite must not go on with
// inputs it could not make.
inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Groups written compactly as "code value" items separated by ';', for
// example "0 LINE;10 0;20 0;11 2;21 0". Codes are right-aligned in three
// columns, the way CAD programs write them ("  0", " 10").
inline QString dxfLines(const QString &items)
{
    QString text;
    for (const QString &item : items.split(u';', Qt::SkipEmptyParts)) {
        const QString group = item.trimmed();
        const qsizetype space = group.indexOf(u' ');
        const QString code = space < 0 ? group : group.left(space);
        text += code.rightJustified(3) + u'\n' + (space < 0 ? QString() : group.mid(space + 1)) + u'\n';
    }
    return text;
}

// A whole file whose ENTITIES section holds the given groups.
inline QString dxfDocument(const QString &entities)
{
    return dxfLines(QStringLiteral("0 SECTION;2 ENTITIES;") + entities + QStringLiteral(";0 ENDSEC;0 EOF"));
}

// A closed LWPOLYLINE rectangle from (0, 0), the smallest drawing the program reads.
inline QByteArray rectangleDxf(double width, double height)
{
    return dxfDocument(QStringLiteral("0 LWPOLYLINE;70 1;10 0;20 0;10 %1;20 0;10 %1;20 %2;10 0;20 %2")
                           .arg(width, 0, 'f', 6)
                           .arg(height, 0, 'f', 6))
        .toUtf8();
}

// Numbered scratch files in a private temporary folder.
class DxfScratch
{
public:
    QString write(const QByteArray &bytes)
    {
        return writeFile(m_dir.filePath(QString::number(++m_count) + QStringLiteral(".dxf")), bytes);
    }
    QString writeEntities(const QString &entities) { return write(dxfDocument(entities).toUtf8()); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

// Makes writes fail the way a full disk does, even for root: while a
// FileSizeLimit lives, no file of this process may grow beyond `bytes`, and
// a write past it fails with EFBIG instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous;
        limit.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isActive() const { return active; }

private:
    rlimit previous{};
    void (*previousHandler)(int) = SIG_DFL;
    bool active = false;
};

// The environment of a child run of the program: no display, and `home` as
// its home and settings folder, so it reads only what the test stored there.
inline QProcessEnvironment headlessEnvironment(const QString &home, const QString &runtimeDir)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    return environment;
}

// The built program run as a process: exit code -1 when it crashed or had
// to be killed after `timeoutMs`.
struct ProgramRun
{
    int exitCode = -1;
    QString output;   // standard output and error, merged and trimmed
};

inline ProgramRun runTallero(const QStringList &arguments, const QProcessEnvironment &environment,
                             int timeoutMs = 120000, const std::function<void()> &inChild = {})
{
    QProcess process;
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(TALLERO_EXECUTABLE), arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll()).trimmed()};
}

// Chooses the offscreen platform with one screen of `width` × `height`
// pixels. Call before the application object is created; the returned
// description file may be removed once it exists.
inline QString useOffscreenScreen(int width, int height)
{
    const QString path = QDir::temp().filePath(QStringLiteral("tallero-offscreen-%1x%2-%3.json")
                                                   .arg(width)
                                                   .arg(height)
                                                   .arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QByteArrayLiteral("{\"screens\":[{\"name\":\"small\",\"x\":0,\"y\":0,\"width\":")
                   + QByteArray::number(width) + ",\"height\":" + QByteArray::number(height)
                   + ",\"logicalDpiX\":96,\"logicalDpiY\":96,\"dpr\":1}]}");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
    return path;
}

// The child of `parent` with the given object name; a warning names it when
// there is none, before the test fails on the null pointer.
template<typename T>
T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("no child named %s", name);
    return found;
}

#ifdef TALLERO_TEST_WIDGETS

inline Drawing drawingOf(const Shape &shape)
{
    Drawing drawing;
    static_cast<Shape &>(drawing) = shape;
    return drawing;
}

// Answers every message box and file dialog of the window and records what
// was asked. Boxes take the queued answers in order, then `answer` when set,
// then their default button, else OK; file dialogs take their queued paths,
// then are cancelled.
class WindowHooks
{
public:
    QList<MessageBoxRequest> boxes;
    QList<QMessageBox::StandardButton> answers;
    std::function<QMessageBox::StandardButton(const MessageBoxRequest &)> answer;
    QList<FileDialogRequest> openRequests;
    QList<FileDialogRequest> saveRequests;
    QStringList openAnswers;
    QStringList saveAnswers;

    void install()
    {
        setMessageBoxHook([this](const MessageBoxRequest &request) {
            boxes.append(request);
            if (!answers.isEmpty())
                return answers.takeFirst();
            if (answer)
                return answer(request);
            return request.defaultButton != QMessageBox::NoButton ? request.defaultButton : QMessageBox::Ok;
        });
        setOpenFileHook([this](const FileDialogRequest &request) {
            openRequests.append(request);
            return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
        });
        setSaveFileHook([this](const FileDialogRequest &request) {
            saveRequests.append(request);
            return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
        });
    }

    void clear()
    {
        boxes.clear();
        answers.clear();
        answer = nullptr;
        openRequests.clear();
        saveRequests.clear();
        openAnswers.clear();
        saveAnswers.clear();
    }
};

// Types the sheet width, height and clearance into the window's fields.
inline void typeSheet(const QObject *window, const QString &width, const QString &height,
                      const QString &clearance = QStringLiteral("0.0"))
{
    child<QLineEdit>(window, "sheetWidth")->setText(width);
    child<QLineEdit>(window, "sheetHeight")->setText(height);
    child<QLineEdit>(window, "clearance")->setText(clearance);
}

// What `widget` paints, on black so that unpainted pixels show.
inline QImage renderWidget(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// A fresh window built with the given stored language (none when empty).
template<typename Window>
std::unique_ptr<Window> makeWindowIn(const QString &language)
{
    if (!language.isEmpty())
        settingsStore().setValue(QStringLiteral("ui/language"), language);
    return std::make_unique<Window>();
}

#endif

} // namespace tallero::testing

// A QTEST_MAIN whose application starts on a screen of the given size.
#define TALLERO_TEST_MAIN_ON_SCREEN(TestObject, width, height)                                                   \
    int main(int argc, char *argv[])                                                                             \
    {                                                                                                            \
        const QString screenFile = tallero::testing::useOffscreenScreen(width, height);                          \
        QApplication app(argc, argv);                                                                            \
        QFile::remove(screenFile);                                                                               \
        TestObject test;                                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                  \
    }
