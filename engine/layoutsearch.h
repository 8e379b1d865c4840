#pragma once

#include "engine/cuttingplan.h"
#include "engine/layoutchoice.h"
#include "engine/nestingmode.h"
#include "engine/plancontrol.h"

#include <optional>

namespace tallero {

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
//
// The layouts are computed on up to `threads` threads at once (0: as many as
// the machine has cores; 1: one after the other on the calling thread). The
// result does not depend on the count: the plans are compared in the order
// above whatever order they finish in. Each thread works on its own copy of
// the outline, made on the calling thread, so the caller's geometry is only
// ever read by the calling thread.
//
// Progress is reported as the fraction of the eight layouts done. A
// cancelled token ends the search with PlanCancelled: no result, and the
// layouts still running stop at their next checkpoint.
//
// With NestingMode::Thorough the layouts that could win are nested
// thoroughly and compared by the same key (thoroughlayoutsearch.h).
LayoutSearchResult searchBestLayout(const Shape &outline, double w, double h, double g,
                                    const PlanControl &control = {}, int threads = 0,
                                    NestingMode nesting = NestingMode::Standard);

// "horizontal bottom-left", "vertical top-right", ... for logs and tools.
QString layoutChoiceName(const LayoutChoice &choice);

} // namespace tallero
