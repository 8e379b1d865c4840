#include "cutsheetarguments.h"

#include <cmath>

namespace tallero {

namespace {

// A sheet size argument: absent keeps the default; present, it must read as
// a finite number above zero (decimal point, whatever the locale).
bool readSize(const QStringList &arguments, qsizetype at, double &size)
{
    if (at >= arguments.size())
        return true;
    bool ok = false;
    const double value = arguments.at(at).toDouble(&ok);
    if (!ok || !std::isfinite(value) || !(value > 0.0))
        return false;
    size = value;
    return true;
}

} // namespace

std::optional<CutSheetSnapshotArguments> readCutSheetSnapshotArguments(const QStringList &arguments,
                                                                       qsizetype flagIndex)
{
    CutSheetSnapshotArguments result;
    result.dxfPath = arguments.value(flagIndex + 1);
    result.imagePath = arguments.value(flagIndex + 2);
    if (result.dxfPath.isEmpty() || result.imagePath.isEmpty())
        return std::nullopt;
    if (!readSize(arguments, flagIndex + 3, result.sheetWidth) || !readSize(arguments, flagIndex + 4, result.sheetHeight))
        return std::nullopt;
    result.right = arguments.value(flagIndex + 5) == QLatin1String("1");
    result.top = arguments.value(flagIndex + 6) == QLatin1String("1");
    return result;
}

} // namespace tallero
