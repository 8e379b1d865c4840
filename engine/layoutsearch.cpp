#include "engine/layoutsearch.h"

#include "engine/gridtiling.h"

#include <exception>
#include <tuple>

namespace tallero {

QList<LayoutChoice> layoutChoices()
{
    QList<LayoutChoice> choices;
    for (bool vertical : {false, true}) {
        for (bool right : {false, true}) {
            for (bool top : {false, true})
                choices.append(LayoutChoice{vertical, right, top});
        }
    }
    return choices;
}

bool isBetterPlan(const CuttingPlan &candidate, const CuttingPlan &best)
{
    const auto key = [](const CuttingPlan &plan) {
        return std::make_tuple(totalPurchase(plan), cuttingSheetCount(plan), cutPieceCount(plan));
    };
    return key(candidate) < key(best);
}

LayoutSearchResult searchBestLayout(const Shape &outline, double w, double h, double g)
{
    LayoutSearchResult result;
    for (const LayoutChoice &choice : layoutChoices()) {
        try {
            CuttingPlan plan = choice.vertical
                ? computeCuttingPlan(outline, h, w, g, choice.right, choice.top)
                : computeCuttingPlan(outline, w, h, g, choice.right, choice.top);
            if (!result.best || isBetterPlan(plan, *result.best)) {
                result.best = std::move(plan);
                result.winner = choice;
            }
        } catch (const std::exception &error) {
            result.failures.append(LayoutFailure{choice, QString::fromUtf8(error.what())});
        }
    }
    return result;
}

QString layoutChoiceName(const LayoutChoice &choice)
{
    return QStringLiteral("%1 %2-%3")
        .arg(choice.vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
             choice.top ? QStringLiteral("top") : QStringLiteral("bottom"),
             choice.right ? QStringLiteral("right") : QStringLiteral("left"));
}

StartCorner startCornerOf(const LayoutChoice &choice)
{
    if (choice.top)
        return choice.right ? StartCorner::TopRight : StartCorner::TopLeft;
    return choice.right ? StartCorner::BottomRight : StartCorner::BottomLeft;
}

} // namespace tallero
