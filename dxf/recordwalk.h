#pragma once

#include "dxf/dxfentities.h"
#include "dxf/grouppairs.h"

class QIODevice;

namespace tallero {

// Walks the records of a DXF text as they are read from `device` and reads
// the entities of ENTITIES sections only; the header, tables, blocks and
// objects are skipped, and so are entities in paper space. Only the record in
// hand is held, and of it only the values an entity is built from. Stops at
// the first failure of the pair reader (see GroupPairReader::next), at the
// first entity that reads a number that is not a number, not finite or out of
// range (dxfInvalidNumbersMessage), or once the points, or the values of one
// record, go beyond what dxfMaxPoints allows (dxfTooLargeMessage).
bool walkRecords(QIODevice &device, DxfEntities &entities, QString &error, DxfReadStats &stats);

} // namespace tallero
