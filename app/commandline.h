#pragma once

#include <QString>
#include <QStringList>

namespace tallero {

enum class StartMode { SelfTest, PdfTest, UiSnapshot, CutSheetSnapshot, Plan, Help, Version, Windowed };

// What the command line asks for. Read from the raw argument list, before
// any application object exists, so that no answer depends on a display.
struct StartRequest
{
    StartMode mode = StartMode::Windowed;
    qsizetype flagIndex = -1;      // position of the batch flag in the list
    QStringList unknownOptions;    // "--…" options nobody knows; the window starts anyway
    QString startFile;             // the drawing (or project) the window opens first, if any
};

// The program's arguments as the platform passed them (position 0 is the
// program itself).
QStringList argumentList(int argc, char *argv[]);

// A batch flag (exact, case-sensitive; the first of the four in the order of
// batchplatform.h that is present) decides; otherwise --help/-h/--help-all,
// then --plan (planarguments.h reads its options), then --version/-v;
// otherwise the window.
StartRequest readCommandLine(const QStringList &arguments);

// The argument at `position` after the flag; past the end it reads as empty.
QString argumentAfter(const QStringList &arguments, qsizetype flagIndex, int position);

QString helpText(const QString &programPath);
QString versionText();

} // namespace tallero
