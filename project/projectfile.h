#pragma once

#include <QString>

namespace tallero {

// What a project file remembers: the drawing it names and the sheet settings
// as the user typed them. Neither the drawing nor a plan is stored; opening a
// project reads the drawing again and recomputes.
struct ProjectFile
{
    // The drawing as stored: written absolute with "/" separators; read as
    // found (a file moved with its drawing may hold a relative path).
    QString dxfPath;
    QString sheetWidth = QStringLiteral("0.0");
    QString sheetHeight = QStringLiteral("0.0");
    QString clearance = QStringLiteral("0.00");
    // The start corner's text in the language the panels were built in;
    // written for older readers, read only when the index is absent.
    QString startText;
    int startIndex = 0;   // 0 automatic, 1..4 the corners
    bool vertical = false;
    // The factor the drawing's coordinates are multiplied by to get metres;
    // 1 when the drawing is used as drawn.
    double scale = 1.0;
    // Plans of this project are nested thoroughly ("thoroughNesting",
    // written only when set, so older readers see the file they know).
    bool thoroughNesting = false;
};

// How reading a project ended.
enum class ProjectReadStatus {
    Read,          // the project was read
    CannotOpen,    // the file could not be opened; the error holds the platform's reason
    NotAProject,   // not a project: not JSON, another format, too large, not a regular file
};

// Larger files are not projects: a real one is a few hundred bytes, and an
// arbitrary file given by mistake must not be read whole into memory.
constexpr qint64 maxProjectFileBytes = 1024 * 1024;

// Reads `path` into `project`, which is changed only when the file was read.
// Values of the wrong type read as their defaults; a start index is clamped
// to 0..4 and, when absent or not a number, taken from the start text.
ProjectReadStatus readProjectFile(const QString &path, ProjectFile &project, QString &error);

// The file's text: indented JSON, keys in ascending order, four spaces per
// level, a line feed at the end; "scale" only when it is not 1,
// "thoroughNesting" only when set.
QByteArray projectFileText(const ProjectFile &project);

// Writes the project through a temporary file that replaces `path` only when
// it is complete, so a failed write leaves an existing file as it was. False,
// with the platform's reason in `error`, when the file could not be written.
bool writeProjectFile(const QString &path, const ProjectFile &project, QString &error);

// The start corner an older file names in its start text (0 when none).
int startIndexFromText(const QString &text);

} // namespace tallero
