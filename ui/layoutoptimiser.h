#pragma once

#include "engine/layoutsearch.h"

#include <QList>
#include <QString>

namespace tallero {

// The texts and choices of the Optimise command around the engine's search
// of the eight layouts. The command itself is RodalixV69::optimiseLayout.

// One line of the "no valid layout" box: "horizontal · bottom · left: <the
// engine's message in the current language>".
QString layoutFailureLine(const LayoutFailure &failure);

// The whole text of that box: one line per failed layout, in the order tried.
QString noValidLayoutText(const QList<LayoutFailure> &failures);

// The final report of a non-silent run.
QString optimisedLayoutText(bool vertical, const QString &startLabel, int purchase);

// The start-corner choice (StartCorner index) that reproduces the layout's
// corner: never Automatic.
int startCornerIndex(const LayoutChoice &choice);

// "horizontal · bottom · left" in the current language, for the progress
// dialog.
QString layoutChoiceLabel(const LayoutChoice &choice);

} // namespace tallero
