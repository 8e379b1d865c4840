#include "dxf/recordwalk.h"

#include "dxf/dxfmessages.h"
#include "dxf/entityfields.h"
#include "dxf/entityhandlers.h"

#include <algorithm>

namespace tallero {

namespace {

// A spline's record holds at most four values per point it makes (its fit and
// its control points), so one beyond this could only be refused later, after
// costing the memory.
constexpr qsizetype maxRecordFields = 4 * dxfMaxPoints + 64;

enum class RecordRole {
    Skipped,          // its pairs are not read
    SectionStart,     // its first pair may name the section
    Entity,           // an entity to draw; its fields are kept
    Vertex,           // a vertex of the polyline in progress
};

class RecordWalk
{
public:
    RecordWalk(DxfEntities &entities, QString &error) : m_entities(entities), m_error(error) {}

    bool run(QIODevice &device, DxfReadStats &stats)
    {
        GroupPairReader reader(device, stats);
        GroupPair pair;
        while (reader.next(pair)) {
            if (pair.code == 0) {
                if (!finishRecord() || !startRecord(pair.value))
                    return false;
                continue;
            }
            if (m_role == RecordRole::SectionStart) {
                // A SECTION without its name leaves the current state alone.
                if (pair.code == 2)
                    m_inEntities = sameName(pair.value, QLatin1StringView("ENTITIES"));
                m_role = RecordRole::Skipped;
                continue;
            }
            if (m_role == RecordRole::Skipped || !isEntityCode(pair.code))
                continue;
            if (m_kind == EntityKind::LwPolyline && m_role == RecordRole::Entity
                && LwPolylineReader::isVertexCode(pair.code)) {
                m_lwPolyline.add(pair.code, pair.value);
                // Every vertex becomes at least one point.
                if (m_lwPolyline.vertexCount() > dxfMaxPoints - m_entities.points.size())
                    return fail(dxfTooLargeMessage);
                continue;
            }
            // Only a spline reads every value of a code; every other entity
            // reads the first, so a record that repeats one is held small.
            if (m_kind != EntityKind::Spline && m_fields.contains(pair.code))
                continue;
            m_fields.add(pair.code, pair.value);
            if (m_fields.size() > maxRecordFields)
                return fail(dxfTooLargeMessage);
            stats.peakRecordFields = std::max<qint64>(stats.peakRecordFields, m_fields.size());
        }
        if (!reader.error().isEmpty()) {
            m_error = reader.error();
            return false;
        }
        if (!finishRecord())
            return false;
        // The end of the data ends a polyline without SEQEND.
        if (m_inPolyline)
            return finishPolyline();
        return true;
    }

private:
    bool startRecord(QByteArrayView name)
    {
        m_fields.clear();
        m_role = RecordRole::Skipped;
        m_kind = EntityKind::Ignored;
        if (m_inPolyline) {
            // Everything up to SEQEND belongs to the polyline; records of
            // other names in between are passed over, sections included.
            if (sameName(name, QLatin1StringView("VERTEX"))) {
                m_role = RecordRole::Vertex;
            } else if (sameName(name, QLatin1StringView("SEQEND"))) {
                m_inPolyline = false;
                return finishPolyline();
            }
            return true;
        }
        if (sameName(name, QLatin1StringView("SECTION"))) {
            m_role = RecordRole::SectionStart;
        } else if (sameName(name, QLatin1StringView("ENDSEC"))) {
            m_inEntities = false;
        } else if (m_inEntities) {
            m_kind = entityKind(name);
            if (m_kind != EntityKind::Ignored)
                m_role = RecordRole::Entity;
        }
        return true;
    }

    bool finishRecord()
    {
        EntityFields fields(m_fields, m_numbersValid);
        switch (m_role) {
        case RecordRole::Entity:
            if (m_kind == EntityKind::Polyline) {
                m_polyline.start(fields);
                m_inPolyline = true;
                break;
            }
            if (m_kind != EntityKind::LwPolyline)
                readEntity(m_kind, fields, m_entities);
            else if (!m_lwPolyline.finish(fields, m_entities, m_numbersValid))
                return fail(dxfTooLargeMessage);
            break;
        case RecordRole::Vertex:
            m_polyline.addVertex(fields);
            // Every vertex becomes at least one point.
            if (m_polyline.vertexCount() > dxfMaxPoints - m_entities.points.size())
                return fail(dxfTooLargeMessage);
            break;
        case RecordRole::Skipped:
        case RecordRole::SectionStart:
            return true;
        }
        return checkEntity();
    }

    bool finishPolyline()
    {
        if (!m_polyline.finish(m_entities))
            return fail(dxfTooLargeMessage);
        return checkEntity();
    }

    bool checkEntity()
    {
        if (!m_numbersValid)
            return fail(dxfInvalidNumbersMessage);
        if (m_entities.points.size() > dxfMaxPoints)
            return fail(dxfTooLargeMessage);
        return true;
    }

    bool fail(QStringView message)
    {
        m_error = message.toString();
        return false;
    }

    DxfEntities &m_entities;
    QString &m_error;
    RecordFields m_fields;
    RecordRole m_role = RecordRole::Skipped;
    EntityKind m_kind = EntityKind::Ignored;
    LwPolylineReader m_lwPolyline;
    PolylineReader m_polyline;
    bool m_inEntities = false;
    bool m_inPolyline = false;
    bool m_numbersValid = true;
};

} // namespace

bool walkRecords(QIODevice &device, DxfEntities &entities, QString &error, DxfReadStats &stats)
{
    return RecordWalk(entities, error).run(device, stats);
}

} // namespace tallero
