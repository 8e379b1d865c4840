#include "dxf/dxfreader.h"

#include "dxf/contourassembly.h"
#include "dxf/grouppairs.h"
#include "dxf/recordwalk.h"

namespace tallero {

bool readDxfEntities(const QString &path, DxfEntities &entities, QString &error)
{
    GroupPairs pairs;
    if (!readGroupPairs(path, pairs, error))
        return false;
    return walkRecords(pairs, entities, error);
}

bool readDxfDrawing(const QString &path, Drawing &drawing, QString &error)
{
    DxfEntities entities;
    if (!readDxfEntities(path, entities, error))
        return false;
    return assembleContours(entities.points, entities.segments, std::move(entities.loops), drawing,
                            error);
}

} // namespace tallero
