#pragma once

#include <QStringView>

namespace tallero {

// A value converted exactly as QString::toDouble converts it: a text that is
// not a number gives 0.0, "nan" and "inf" are read, an overflow gives
// infinity. Only faster.
double dxfNumber(QStringView value);

} // namespace tallero
