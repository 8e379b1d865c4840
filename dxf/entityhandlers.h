#pragma once

#include "dxf/bulges.h"
#include "dxf/dxfentities.h"
#include "dxf/entityfields.h"

#include <QByteArrayView>

namespace tallero {

// The entity types the import draws; every other type is ignored.
enum class EntityKind { Ignored, Line, LwPolyline, Polyline, Arc, Circle, Ellipse, Spline };

EntityKind entityKind(QByteArrayView name);

// Files one entity of any kind but LwPolyline and Polyline, whose vertices
// are gathered as they are read (LwPolylineReader, PolylineReader). A number
// read out of range clears the flag shared by `fields`.
void readEntity(EntityKind kind, EntityFields &fields, DxfEntities &entities);

// Gathers the vertices of an LWPOLYLINE straight from its pairs, so that a
// polyline of millions of vertices is held once, as vertices, not also as the
// values they are made of.
class LwPolylineReader
{
public:
    // Whether the pair is one of a vertex (codes 10, 20 and 42), which is
    // then taken; any other pair is for the record's fields.
    static bool isVertexCode(int code) { return code == 10 || code == 20 || code == 42; }
    // Each code 10 starts a vertex; 20 and 42 complete the one in progress,
    // and are ignored before the first 10.
    void add(int code, QByteArrayView value);
    qsizetype vertexCount() const { return m_vertices.size() + (m_started ? 1 : 0); }
    // Files the polyline with the flags, space and extrusion of its record,
    // and forgets it. A vertex value that is not a number, not finite or out
    // of range clears `numbersValid`, unless the polyline lies in paper space
    // and is not read at all. False, filing nothing, when its points would go
    // beyond dxfMaxPoints.
    bool finish(EntityFields &fields, DxfEntities &entities, bool &numbersValid);

private:
    QList<PolylineVertex> m_vertices;
    PolylineVertex m_vertex;
    bool m_started = false;
    bool m_numbersValid = true;
};

// Gathers a POLYLINE from its header record and the VERTEX records that
// follow it, up to SEQEND or the end of the data.
class PolylineReader
{
public:
    void start(EntityFields &header);
    // Takes the vertex, unless the header put the polyline in paper space.
    void addVertex(EntityFields &vertex);
    qsizetype vertexCount() const { return m_vertices.size(); }
    // Files the polyline (unless its header put it in paper space) and
    // forgets it. False, filing nothing, when its points would go beyond
    // dxfMaxPoints.
    bool finish(DxfEntities &entities);

private:
    QList<PolylineVertex> m_vertices;
    bool m_closed = false;
    bool m_mirrored = false;
    bool m_skipped = false;
};

} // namespace tallero
