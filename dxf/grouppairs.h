#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace tallero {

// Files beyond this are refused. The limit is counted on the bytes actually
// read, so that a file which reports a size of 0 but never ends (a device
// file of /proc, for one) is refused as well.
inline constexpr qint64 dxfMaxFileSize = 256 * 1024 * 1024;

// One DXF group: the code line as an integer and the value line, both trimmed
// of ASCII white space and kept as the file's own bytes. The value stays valid
// only until the next pair is read.
struct GroupPair
{
    int code = 0;
    QByteArrayView value;
};

// What a read held and how much it read: the reader's own accounting, so the
// promise that a file is streamed rather than held whole can be checked.
struct DxfReadStats
{
    qint64 bytesRead = 0;
    // The largest line buffer the pair reader needed.
    qint64 peakBufferBytes = 0;
    // The most values one record kept for its entity at a time.
    qint64 peakRecordFields = 0;
};

// Reads the pairs of a DXF text one after another from a device, holding no
// more than the current line or so. A code line that is not a base-10
// integer drops itself and its value line; a last code line without a value
// line is dropped. A UTF-8 byte-order mark at the start is skipped. A line
// longer than any group value is passed over, not held, and reads as text that
// is neither a code, nor a number, nor a name.
class GroupPairReader
{
public:
    GroupPairReader(QIODevice &device, DxfReadStats &stats);

    GroupPairReader(const GroupPairReader &) = delete;
    GroupPairReader &operator=(const GroupPairReader &) = delete;

    // The next pair; false at the end of the data or on failure, which sets
    // error(): the device's message, dxfTooLargeMessage once more than
    // dxfMaxFileSize bytes have come in, or the format messages for a binary
    // DXF or a UTF-16 text.
    bool next(GroupPair &pair);
    const QString &error() const { return m_error; }

private:
    bool nextLine(QByteArrayView &line);
    bool skipLine(QByteArrayView &line);
    bool fill();
    bool checkFormat();

    QIODevice &m_device;
    DxfReadStats &m_stats;
    QByteArray m_buffer;
    qsizetype m_begin = 0;   // first unread byte in m_buffer
    qsizetype m_end = 0;     // one past the last byte read into m_buffer
    bool m_atEnd = false;
    bool m_started = false;
    QString m_error;
};

// Record and section names are compared without regard to ASCII case.
bool sameName(QByteArrayView value, QLatin1StringView upperCaseName);

} // namespace tallero
