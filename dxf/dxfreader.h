#pragma once

#include "dxf/drawing.h"
#include "dxf/dxfentities.h"

#include <QString>

namespace tallero {

// Reads the entities of an ASCII DXF file into points, segments and loops,
// curves already replaced by chords. Fails when the file cannot be read, is
// too large, or a number an entity is built from is not finite or out of
// range.
bool readDxfEntities(const QString &path, DxfEntities &entities, QString &error);

// The one entry of the import: reads the file and assembles the outline and
// its holes. Pass a freshly constructed drawing; on failure `error` holds one
// Spanish message and the drawing is to be discarded.
bool readDxfDrawing(const QString &path, Drawing &drawing, QString &error);

} // namespace tallero
