#include "dxf/dxfreader.h"

#include "dxf/contourassembly.h"
#include "dxf/dxfmessages.h"
#include "dxf/recordwalk.h"

#include <QFile>
#include <QFileInfo>

namespace tallero {

bool readDxfEntities(const QString &path, DxfEntities &entities, QString &error)
{
    // Opening a pipe blocks and reading a device may never end, so only
    // regular files are read. A missing path is left to QFile's own message.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = dxfNotAFileMessage.toString();
        return false;
    }
    // Saves reading a file that says it is too large; one that says less is
    // still stopped at the cap by the reader.
    if (info.size() > dxfMaxFileSize) {
        error = dxfTooLargeMessage.toString();
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    DxfReadStats stats;
    return readDxfEntities(file, entities, error, stats);
}

bool readDxfEntities(QIODevice &device, DxfEntities &entities, QString &error, DxfReadStats &stats)
{
    return walkRecords(device, entities, error, stats);
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
