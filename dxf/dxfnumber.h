#pragma once

#include <QByteArrayView>

namespace tallero {

// A decimal number as DXF files write it: an optional sign, digits with an
// optional decimal point (at least one digit), an optional exponent. It is
// converted exactly as QString::toDouble converts it (an overflow gives
// infinity), only faster. Any other text, "nan", "inf", "0x10", "1,5", "abc"
// or an empty value, gives NaN, so that it fails where a number is due just as
// a number that is not finite does.
double dxfNumber(QByteArrayView value);

} // namespace tallero
