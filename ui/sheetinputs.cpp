#include "ui/sheetinputs.h"

#include <QLocale>

#include <cmath>
#include <utility>

namespace tallero {

std::optional<double> parseSheetLength(const QString &text)
{
    // The C locale reads a decimal point; rejecting group separators keeps a
    // decimal comma ("1,5") from being read as a grouped thousand.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<SheetInputs> readSheetInputs(const QString &width, const QString &height,
                                           const QString &clearance, bool vertical)
{
    const std::optional<double> w = parseSheetLength(width);
    const std::optional<double> h = parseSheetLength(height);
    const std::optional<double> c = parseSheetLength(clearance);
    if (!w || !h || !c || !(*w > 0.0) || !(*h > 0.0) || !(*c >= 0.0))
        return std::nullopt;
    SheetInputs inputs{*w, *h, *c};
    if (vertical)
        std::swap(inputs.width, inputs.height);
    return inputs;
}

} // namespace tallero
