#pragma once

#include "engine/layoutsearch.h"

#include <QList>
#include <QString>

#include <variant>

namespace tallero {

// What computing one layout gave: nothing yet, its plan, or the engine's
// message when it failed.
using LayoutOutcome = std::variant<std::monostate, CuttingPlan, QString>;

// The layouts compared in their fixed order, as if computed one after the
// other, so ties and the failure list do not depend on the threads that
// computed them. Takes the plans out of `outcomes`.
LayoutSearchResult bestOfLayouts(const QList<LayoutChoice> &choices,
                                 QList<LayoutOutcome> &outcomes);

} // namespace tallero
