#include "engine/internal/layoutoutcomes.h"

namespace tallero {

LayoutSearchResult bestOfLayouts(const QList<LayoutChoice> &choices,
                                 QList<LayoutOutcome> &outcomes)
{
    LayoutSearchResult result;
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        if (auto *message = std::get_if<QString>(&outcomes[i])) {
            result.failures.append(LayoutFailure{choices[i], *message});
        } else if (auto *plan = std::get_if<CuttingPlan>(&outcomes[i])) {
            if (!result.best || isBetterPlan(*plan, *result.best)) {
                result.best = std::move(*plan);
                result.winner = choices[i];
            }
        }
    }
    return result;
}

} // namespace tallero
