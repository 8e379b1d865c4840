#include "dxf/recordwalk.h"

#include "dxf/dxfmessages.h"
#include "dxf/entityhandlers.h"

namespace tallero {

bool walkRecords(const GroupPairs &pairs, DxfEntities &entities, QString &error)
{
    bool inEntities = false;
    bool numbersValid = true;
    qsizetype i = 0;
    while (i < pairs.size()) {
        if (pairs[i].code != 0) {
            ++i;
            continue;
        }
        const QString name = upperName(pairs[i].value);
        ++i;
        if (name == QLatin1StringView("SECTION")) {
            // A SECTION without its name leaves the current state alone.
            if (i < pairs.size() && pairs[i].code == 2) {
                inEntities = upperName(pairs[i].value) == QLatin1StringView("ENTITIES");
                ++i;
            }
        } else if (name == QLatin1StringView("ENDSEC")) {
            inEntities = false;
        } else if (inEntities) {
            const qsizetype end = nextRecord(pairs, i);
            i = readEntity(name, pairs, i, end, entities, numbersValid);
            if (!numbersValid) {
                error = dxfInvalidNumbersMessage.toString();
                return false;
            }
            if (entities.points.size() > dxfMaxPoints) {
                error = dxfTooLargeMessage.toString();
                return false;
            }
        }
    }
    return true;
}

} // namespace tallero
