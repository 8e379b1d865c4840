#include "views/languagetext.h"

namespace tallero {

QString textIn(const QString &language, const QString &es, const QString &en, const QString &de)
{
    if (language == QLatin1String("de"))
        return de;
    if (language == QLatin1String("en"))
        return en;
    return es;
}

} // namespace tallero
