// libFuzzer target for the DXF import: the bytes are read as a DXF file
// (streamed through the pair reader and the record walk) and, when they read,
// their contours are assembled into a drawing, as loading a file does. Built
// by `make fuzz`; see tests/fuzz/README.md.

#include "dxf/contourassembly.h"
#include "dxf/dxfreader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;
    tallero::DxfEntities entities;
    tallero::DxfReadStats stats;
    QString error;
    if (!tallero::readDxfEntities(buffer, entities, error, stats)) {
        // Every failure says why.
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    tallero::Drawing drawing;
    if (!tallero::assembleContours(entities.points, entities.segments, std::move(entities.loops), drawing, error)
        && error.isEmpty())
        __builtin_trap();
    return 0;
}
