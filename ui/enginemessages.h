#pragma once

#include <QList>
#include <QString>

namespace tallero {

// One message of the DXF import or the plan engine, as the core raises it in
// Spanish, with its English and German texts for display.
struct EngineMessageTranslation
{
    QString spanish;
    QString english;
    QString german;
};

// Every message the core can report, keyed on the very constants the core
// raises, so a reworded message is still recognised.
const QList<EngineMessageTranslation> &engineMessageTranslations();

} // namespace tallero
