#pragma once

#include <QString>

namespace tallero {

// Reads a DXF drawing, computes its plan with 2.0 × 1.2 m sheets, no
// clearance, from the bottom-left corner, and checks the nesting. Returns the
// process exit code: 0 success, 2 unreadable drawing, 3 nesting fault,
// 4 engine failure.
int runSelfTest(const QString &dxfPath);

} // namespace tallero
