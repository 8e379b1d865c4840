#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tallero {

// The arguments of "--cut-sheet-snapshot DXF IMAGE [WIDTH HEIGHT RIGHT TOP]"
// as read from their positions after the flag.
struct CutSheetSnapshotArguments
{
    QString dxfPath;
    QString imagePath;
    double sheetWidth = 2.0;
    double sheetHeight = 1.2;
    bool right = false;   // only the argument "1" sets it
    bool top = false;     // likewise
};

// Empty when a path is missing, or when a width or height is given but is
// not a number, not finite, zero or negative: no sheet has such a size, and
// the plan engine must never be asked for one.
std::optional<CutSheetSnapshotArguments> readCutSheetSnapshotArguments(const QStringList &arguments,
                                                                       qsizetype flagIndex);

} // namespace tallero
