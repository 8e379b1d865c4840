#pragma once

#include <QString>

#include <optional>

namespace tallero {

// The drawing unit a DXF file names in its header ($INSUNITS, group 70):
// 1 inches, 4 millimetres, 5 centimetres, 6 metres, and so on. Nothing when
// the file cannot be read, has no header or the header names no unit.
//
// Only the HEADER section is looked at, and only so far: lines are read to a
// bounded length and the scan gives up after a bounded number of them, so a
// huge or strange file (a folder, a pipe, binary data) costs next to nothing.
// Many programs write a unit that does not match what was drawn; the value is
// a hint for a question to the user, never a reason to rescale on its own.
std::optional<int> dxfInsertionUnits(const QString &path);

} // namespace tallero
