#pragma once

#include "dxf/dxfentities.h"
#include "dxf/grouppairs.h"

namespace tallero {

// Reads the entity whose code-0 pair named `name` (upper case) stands just
// before `begin`; its own pairs run up to `recordEnd`. Types the import does
// not draw are ignored. Returns the index where the walk of records goes on:
// `recordEnd`, except for a POLYLINE, whose VERTEX records and SEQEND follow
// it. A number read out of range clears `numbersValid`.
qsizetype readEntity(const QString &name, const GroupPairs &pairs, qsizetype begin,
                     qsizetype recordEnd, DxfEntities &entities, bool &numbersValid);

} // namespace tallero
