#pragma once

#include <QString>

#include <optional>

namespace tallero {

// Exit codes of the command-line planner.
namespace planexit {
inline constexpr int success = 0;
inline constexpr int unreadableInput = 2;   // the drawing or the project cannot be read
inline constexpr int noPlan = 4;            // no plan could be computed (or it failed its check)
inline constexpr int badArguments = 5;
inline constexpr int unwritableOutput = 6;
} // namespace planexit

// A command-line planning run as the arguments state it. Values left unset
// come from the project when the input is one; a drawing needs the width,
// the height and either the optimiser or a start corner.
struct HeadlessPlanRequest
{
    QString inputPath;                 // a .dxf drawing or a .tlr project
    std::optional<double> width;       // metres, > 0 and finite
    std::optional<double> height;
    std::optional<double> gap;         // metres, >= 0 and finite
    std::optional<double> scale;       // > 0 and finite
    bool optimise = false;
    std::optional<int> startIndex;     // StartCorner index 1..4, with the corner given
    bool vertical = false;
    bool thorough = false;             // the thorough nesting (a project may ask for it too)
    QString language;                  // "es", "en", "de"; empty for the stored one
    // Output paths; empty for none, "-" for standard output (JSON and CSV).
    QString jsonPath;
    QString pdfPath;
    QString csvPath;
    QString dxfFolder;
};

// Whether the input is a project rather than a drawing (".tlr" in any case).
bool isProjectPath(const QString &path);

// Reads the input, computes the plan, prints its summary and writes the
// outputs asked for; returns one of the exit codes above. Messages go to
// standard error, the summary to standard output (to standard error when an
// export is written to standard output). Needs an application object for
// the PDF; everything else runs on QtCore.
int runHeadlessPlan(const HeadlessPlanRequest &request);

} // namespace tallero
