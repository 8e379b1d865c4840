#pragma once

#include "dxf/drawing.h"
#include "dxf/dxfentities.h"
#include "dxf/grouppairs.h"

#include <QString>

class QIODevice;

namespace tallero {

// Reads the entities of an ASCII DXF file into points, segments and loops,
// curves already replaced by chords. Fails when the path is not a regular
// file or cannot be read, the file is too large, is a binary DXF or UTF-16
// text, or a number an entity is built from is not a number, not finite or
// out of range.
bool readDxfEntities(const QString &path, DxfEntities &entities, QString &error);

// The same from a device open for reading, streamed: the text is never held
// whole. `stats` receives the reader's accounting.
bool readDxfEntities(QIODevice &device, DxfEntities &entities, QString &error, DxfReadStats &stats);

// The one entry of the import: reads the file and assembles the outline and
// its holes. Pass a freshly constructed drawing; on failure `error` holds one
// Spanish message and the drawing is to be discarded.
bool readDxfDrawing(const QString &path, Drawing &drawing, QString &error);

} // namespace tallero
