#include "views/startcorner.h"

#include "views/languagetext.h"

namespace tallero {

QString startCornerName(int index, const QString &language)
{
    static const char *const names[][3] = {
        {"Automático", "Automatic", "Automatisch"},
        {"Superior izquierda", "Top left", "Oben links"},
        {"Superior derecha", "Top right", "Oben rechts"},
        {"Inferior izquierda", "Bottom left", "Unten links"},
        {"Inferior derecha", "Bottom right", "Unten rechts"},
    };
    if (index < 0 || index > 4)
        return QString();
    return textIn(language, QString::fromUtf8(names[index][0]), QString::fromUtf8(names[index][1]),
                  QString::fromUtf8(names[index][2]));
}

} // namespace tallero
