#include "exports/plandocument.h"

#include <array>

namespace tallero {

namespace {

// In StartCorner order.
const std::array<const char *, 5> cornerKeys = {"automatic", "top-left", "top-right", "bottom-left",
                                                "bottom-right"};

} // namespace

QString startCornerKey(int startIndex)
{
    if (startIndex < 0 || startIndex >= int(cornerKeys.size()))
        startIndex = 0;
    return QString::fromLatin1(cornerKeys[std::size_t(startIndex)]);
}

int startIndexOfCornerKey(const QString &key)
{
    for (int i = 1; i < int(cornerKeys.size()); ++i) {
        if (key == QLatin1String(cornerKeys[std::size_t(i)]))
            return i;
    }
    return -1;
}

} // namespace tallero
