#pragma once

#include <QByteArray>

namespace tallero {

// A number as the exports write it: plain decimal notation with a point,
// never an exponent, and the fewest digits that read back as exactly the
// same double. Zero is written "0" whatever its sign; a value that is not
// finite is written "0" (no plan holds one).
QByteArray exactNumberText(double value);

} // namespace tallero
