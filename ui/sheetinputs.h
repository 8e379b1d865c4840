#pragma once

#include <QString>

#include <optional>

namespace tallero {

// The three sheet values as typed, converted to metres.
struct SheetInputs
{
    double width = 0.0;
    double height = 0.0;
    double clearance = 0.0;
};

// Reads one typed length whatever the regional settings: a decimal point, no
// group separators, blanks around the number ignored. Only finite numbers
// count: "inf", "nan" and anything that is not a number give nothing.
std::optional<double> parseSheetLength(const QString &text);

// Reads the three sheet fields. They are valid when all three are finite
// numbers, width > 0, height > 0 and clearance >= 0; there is no upper bound.
// With `vertical` set, width and height come back swapped, which is how the
// engine is asked for sheets turned by 90 degrees. Pure: it shows nothing.
std::optional<SheetInputs> readSheetInputs(const QString &width, const QString &height,
                                           const QString &clearance, bool vertical);

} // namespace tallero
