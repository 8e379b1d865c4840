#pragma once

#include "dxf/bulges.h"
#include "dxf/dxfentities.h"
#include "dxf/entityfields.h"

#include <QByteArrayView>

namespace tallero {

// The entity types the import draws; every other type is ignored.
enum class EntityKind { Ignored, Line, LwPolyline, Polyline, Arc, Circle, Ellipse, Spline };

EntityKind entityKind(QByteArrayView name);

// Files one entity of any kind but Polyline, whose vertices are records of
// their own (PolylineReader). A number read out of range clears the flag
// shared by `fields`.
void readEntity(EntityKind kind, EntityFields &fields, DxfEntities &entities);

// Gathers a POLYLINE from its header record and the VERTEX records that
// follow it, up to SEQEND or the end of the data.
class PolylineReader
{
public:
    void start(EntityFields &header);
    void addVertex(EntityFields &vertex);
    qsizetype vertexCount() const { return m_vertices.size(); }
    // Files the polyline (unless its header put it in paper space) and
    // forgets it.
    void finish(DxfEntities &entities);

private:
    QList<PolylineVertex> m_vertices;
    bool m_closed = false;
    bool m_mirrored = false;
    bool m_skipped = false;
};

} // namespace tallero
