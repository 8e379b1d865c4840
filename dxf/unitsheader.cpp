#include "dxf/unitsheader.h"

#include <QFile>
#include <QFileInfo>

namespace tallero {

namespace {

// A header holds a few hundred variables; real files put $INSUNITS within
// the first few thousand lines. Beyond these bounds the file is not one
// whose header is worth reading.
constexpr int maximumLines = 20000;
constexpr qint64 maximumLineLength = 512;

} // namespace

std::optional<int> dxfInsertionUnits(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;

    // Group code and value lines alternate; a code line sets `group` and
    // the value line after it is read against it.
    int group = 0;
    bool valueNext = false;
    bool inHeader = false;
    bool sectionName = false;   // the next code-2 value names a section
    bool unitsNext = false;     // inside the $INSUNITS variable
    for (int line = 0; line < maximumLines && !file.atEnd(); ++line) {
        const QByteArray text = file.readLine(maximumLineLength).trimmed();
        if (!valueNext) {
            bool ok = false;
            group = text.toInt(&ok);
            if (!ok)
                return std::nullopt;   // not an ASCII DXF, or out of step
            valueNext = true;
            continue;
        }
        valueNext = false;
        if (group == 0) {
            if (text == "ENDSEC" && inHeader)
                return std::nullopt;
            sectionName = text == "SECTION";
            unitsNext = false;
            continue;
        }
        if (group == 2 && sectionName) {
            sectionName = false;
            inHeader = text == "HEADER";
            // The header comes first when it is there at all.
            if (!inHeader)
                return std::nullopt;
            continue;
        }
        if (!inHeader)
            continue;
        if (group == 9) {
            unitsNext = text == "$INSUNITS";
            continue;
        }
        if (unitsNext && group == 70) {
            bool ok = false;
            const int units = text.toInt(&ok);
            return ok && units > 0 ? std::optional<int>(units) : std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace tallero
