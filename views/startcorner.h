#pragma once

#include <QString>

namespace tallero {

// The name of a placement start as the window's list and the report show
// it, in `language`: 0 automatic, then top left, top right, bottom left and
// bottom right. Empty for any other index.
QString startCornerName(int index, const QString &language);

} // namespace tallero
