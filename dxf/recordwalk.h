#pragma once

#include "dxf/dxfentities.h"
#include "dxf/grouppairs.h"

namespace tallero {

// Walks the records and reads the entities of ENTITIES sections only; the
// header, tables, blocks and objects are skipped. Stops at the first entity
// that reads a number that is not finite or out of range
// (dxfInvalidNumbersMessage), or that brings the points beyond dxfMaxPoints
// (dxfTooLargeMessage).
bool walkRecords(const GroupPairs &pairs, DxfEntities &entities, QString &error);

} // namespace tallero
