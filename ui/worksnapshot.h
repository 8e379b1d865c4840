#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"

#include <QString>

#include <optional>

namespace tallero {

// How a command that computes a plan ended.
enum class ComputationOutcome {
    Applied,     // a plan was adopted
    Failed,      // the engine could not give a plan; the user was told, the window is as it was
    Refused,     // no drawing or invalid sheet values; the user was told, nothing was tried
    Cancelled,   // the user cancelled; the window is as it was when the command started
};

// Everything of the current work a cancelled command has to give back: the
// drawing as shown (with its scale and view), the plan, the paths, the sheet
// settings as typed, the texts describing them and the unsaved-changes flag.
struct WorkSnapshot
{
    Drawing drawing;
    QString drawingFileName;
    double zoom = 1.0;
    double panX = 0.0;
    double panY = 0.0;
    double drawingScale = 1.0;
    bool drawingUnitsSettled = false;
    std::optional<CuttingPlan> plan;
    QString dxfPath;
    QString projectPath;
    QString sheetWidth;
    QString sheetHeight;
    QString clearance;
    int startIndex = 0;
    bool vertical = false;
    QString pieceText;
    QString typeText;
    QString reportText;
    bool modified = false;
};

} // namespace tallero
