#pragma once

#include "ui/headlessplan.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tallero {

// The flag of the command-line planner: "--plan INPUT" or "--plan=INPUT".
inline constexpr const char *planFlag = "--plan";

// Whether the arguments ask for the planner.
bool asksForPlan(const QStringList &arguments);

// What reading the planner's arguments gave: the request, or the reason
// they cannot be used (in the language the arguments ask for, else the
// stored one). The language of the message is chosen here, so the caller
// only prints it.
struct PlanArguments
{
    std::optional<HeadlessPlanRequest> request;
    QString error;
};

// Reads "--plan INPUT --width W --height H [--gap G] [--scale F]
// (--optimise | --start CORNER [--vertical]) [--language L] [--json FILE]
// [--pdf FILE] [--csv FILE] [--dxf-dir DIR]" from the program's arguments
// (position 0 is the program). Options take their value as the next
// argument or after "="; each may be given once. Refused: an unknown option
// or a stray argument, a missing value, a number that is not a finite number
// with a decimal point, a width or height that is not above zero, a negative
// clearance, a scale not above zero, an unknown corner or language, both
// --optimise and --start (or neither, for a drawing), --vertical with
// --optimise, "-" for the PDF or the DXF folder, or standard output asked
// for twice.
PlanArguments readPlanArguments(const QStringList &arguments);

// The planner's part of --help, also printed after a refused command line.
QString planUsageText();

} // namespace tallero
