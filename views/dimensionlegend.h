#pragma once

#include "engine/cuttingplan.h"

#include <QList>
#include <QString>

namespace tallero {

// One row of the dimension legend: a piece code, the size it stands for in
// metres, and how many grid cells carry it.
struct LegendRow
{
    QString code;
    double width = 0.0;
    double height = 0.0;
    int count = 0;
};

// The legend of a plan whose codes are assigned: one row per code, whole
// sheets ("E", at the plan's sheet size) first, then the cut pieces in the
// order of their numbers (R2 before R10).
QList<LegendRow> dimensionLegend(const CuttingPlan &plan);

// "0.600 x 1.250 m": the size column of a legend row.
QString legendSizeText(const LegendRow &row);

} // namespace tallero
