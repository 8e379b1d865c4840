#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"

#include <QString>

#include <optional>

namespace tallero {

// Everything a report is made of, taken from the window at export time so
// the report needs nothing of the window itself: the plan (absent when none
// was computed), the drawing it covers, the drawing's file name without its
// folder (may be empty) and the language code ("es", "en" or "de").
struct ReportInput
{
    std::optional<CuttingPlan> plan;
    Drawing drawing;
    QString fileName;
    QString language = QStringLiteral("es");
};

} // namespace tallero
