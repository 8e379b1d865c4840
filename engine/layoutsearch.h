#pragma once

#include "engine/cuttingplan.h"

#include <optional>

namespace tallero {

// One of the eight layouts the search tries.
struct LayoutChoice
{
    bool vertical = false;
    bool right = false;
    bool top = false;
};

// The engine's own (Spanish) message; the window translates it for display.
struct LayoutFailure
{
    LayoutChoice choice;
    QString message;
};

struct LayoutSearchResult
{
    std::optional<CuttingPlan> best;   // absent when every layout failed
    LayoutChoice winner;               // meaningful only with a best plan
    QList<LayoutFailure> failures;     // in the order tried
};

// The eight layouts in the order they are tried: horizontal before vertical,
// left before right, bottom before top.
QList<LayoutChoice> layoutChoices();

// True when `candidate` buys fewer sheets, or as many with fewer cutting
// sheets, or as many of both with fewer cut pieces.
bool isBetterPlan(const CuttingPlan &candidate, const CuttingPlan &best);

// Computes the plan of every orientation and start corner and keeps the
// cheapest; on a complete tie the layout tried first stays. Horizontal lays
// (w, h), vertical lays (h, w). Engine failures of single layouts are
// collected, not thrown.
LayoutSearchResult searchBestLayout(const Shape &outline, double w, double h, double g);

// "horizontal bottom-left", "vertical top-right", ... for logs and tools.
QString layoutChoiceName(const LayoutChoice &choice);

// The start-corner choice that reproduces a layout's corner.
StartCorner startCornerOf(const LayoutChoice &choice);

} // namespace tallero
