#pragma once

#include "exports/plandocument.h"

#include <QByteArray>

namespace tallero {

// The version of the plan's JSON form. Raised whenever a key changes its
// meaning or goes away; new keys may be added without raising it.
inline constexpr int planJsonSchema = 1;

// The plan as one JSON object (indented, keys in ascending order, a line
// feed at the end): the drawing, the settings, the totals, every grid cell
// and every cutting sheet with its placements. The same document always
// gives the same bytes, and every number reads back as the same double.
// README.md ("Planning from the command line") describes every key.
QByteArray planJson(const PlanDocument &document);

} // namespace tallero
