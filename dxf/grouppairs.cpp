#include "dxf/grouppairs.h"

#include "dxf/dxfmessages.h"

#include <QIODevice>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tallero {

namespace {

// Large enough that a file goes in with few reads, small enough that a
// handful of kilobytes does not ask for more.
constexpr qsizetype readChunk = 256 * 1024;

// No group value comes near this (texts run to a few thousand characters); a
// longer line is passed over instead of held, so that a file without line
// breaks costs no more memory than one with them.
constexpr qsizetype maxLine = 1024 * 1024;

// Stands for a line that was too long to hold: neither a group code, nor a
// number, nor any record name.
constexpr char overlongLine[] = "\x7f";

// Enough of the start of a file to tell its format.
constexpr qsizetype formatProbe = 512;

bool isAsciiSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isAsciiSpace(text[begin]))
        ++begin;
    while (end > begin && isAsciiSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool parseCode(QByteArrayView text, int &code)
{
    const char *begin = text.data();
    const char *end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [stop, status] = std::from_chars(begin, end, code);
    return begin != end && status == std::errc() && stop == end;
}

// Plain text of a single-byte encoding never holds a NUL byte; text saved as
// UTF-16 has one beside nearly every ASCII character, always on the same side
// of each two-byte unit.
bool looksLikeUtf16(QByteArrayView start)
{
    const qsizetype units = start.size() / 2;
    if (units < 2)
        return false;
    qsizetype evenNuls = 0;
    qsizetype oddNuls = 0;
    for (qsizetype k = 0; k < units; ++k) {
        evenNuls += start[2 * k] == '\0';
        oddNuls += start[2 * k + 1] == '\0';
    }
    const auto most = [units](qsizetype count) { return 4 * count >= 3 * units; };
    const auto few = [units](qsizetype count) { return 4 * count < units; };
    return (most(oddNuls) && few(evenNuls)) || (most(evenNuls) && few(oddNuls));
}

} // namespace

GroupPairReader::GroupPairReader(QIODevice &device, DxfReadStats &stats)
    : m_device(device), m_stats(stats)
{
}

bool GroupPairReader::fill()
{
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_begin, size_t(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_buffer.isEmpty()) {
        // A small file needs no more than its own size.
        const qint64 reported = m_device.isSequential() ? 0 : m_device.size();
        const qsizetype first = reported > 0 ? qsizetype(std::min<qint64>(reported + 1, readChunk)) : readChunk;
        m_buffer.resize(std::max<qsizetype>(first, 2 * formatProbe));
    } else if (m_end == m_buffer.size()) {
        // One line longer than the buffer: it grows, bounded by the cap on
        // the bytes read.
        m_buffer.resize(m_buffer.size() * 2);
    }
    m_stats.peakBufferBytes = std::max<qint64>(m_stats.peakBufferBytes, m_buffer.size());
    const qint64 got = m_device.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (got < 0) {
        m_error = m_device.errorString();
        return false;
    }
    if (got == 0) {
        m_atEnd = true;
        return true;
    }
    m_end += qsizetype(got);
    m_stats.bytesRead += got;
    if (m_stats.bytesRead > dxfMaxFileSize) {
        m_error = dxfTooLargeMessage.toString();
        return false;
    }
    return true;
}

bool GroupPairReader::checkFormat()
{
    while (m_end - m_begin < formatProbe && !m_atEnd) {
        if (!fill())
            return false;
    }
    const QByteArrayView start(m_buffer.constData() + m_begin, m_end - m_begin);
    if (start.startsWith("AutoCAD Binary DXF")) {
        m_error = dxfBinaryFormatMessage.toString();
        return false;
    }
    if (start.startsWith("\xEF\xBB\xBF")) {
        m_begin += 3;
        return true;
    }
    if (start.startsWith("\xFF\xFE") || start.startsWith("\xFE\xFF") || looksLikeUtf16(start.first(std::min(start.size(), formatProbe)))) {
        m_error = dxfUtf16Message.toString();
        return false;
    }
    return true;
}

bool GroupPairReader::nextLine(QByteArrayView &line)
{
    qsizetype searched = m_begin;
    for (;;) {
        const char *from = m_buffer.constData() + searched;
        const void *found = std::memchr(from, '\n', size_t(m_end - searched));
        if (found) {
            const qsizetype newline = static_cast<const char *>(found) - m_buffer.constData();
            line = QByteArrayView(m_buffer.constData() + m_begin, newline - m_begin);
            m_begin = newline + 1;
            return true;
        }
        if (m_atEnd) {
            if (m_begin == m_end)
                return false;
            line = QByteArrayView(m_buffer.constData() + m_begin, m_end - m_begin);
            m_begin = m_end;
            return true;
        }
        const qsizetype pending = m_end - m_begin;
        if (pending >= maxLine)
            return skipLine(line);
        if (!fill())
            return false;
        searched = m_begin + pending;
    }
}

bool GroupPairReader::skipLine(QByteArrayView &line)
{
    for (;;) {
        m_begin = m_end;
        if (m_atEnd)
            break;
        if (!fill())
            return false;
        const void *found = std::memchr(m_buffer.constData(), '\n', size_t(m_end));
        if (found) {
            m_begin = static_cast<const char *>(found) - m_buffer.constData() + 1;
            break;
        }
    }
    line = QByteArrayView(overlongLine, 1);
    return true;
}

bool GroupPairReader::next(GroupPair &pair)
{
    if (!m_error.isEmpty())
        return false;
    if (!m_started) {
        m_started = true;
        if (!checkFormat())
            return false;
    }
    QByteArrayView codeLine;
    QByteArrayView valueLine;
    for (;;) {
        if (!nextLine(codeLine))
            return false;
        int code = 0;
        const bool valid = parseCode(trimmed(codeLine), code);
        // The code line's bytes may move while the value line is read; the
        // code itself is already parsed.
        if (!nextLine(valueLine))
            return false;
        if (valid) {
            pair.code = code;
            pair.value = trimmed(valueLine);
            return true;
        }
    }
}

bool sameName(QByteArrayView value, QLatin1StringView upperCaseName)
{
    if (value.size() != upperCaseName.size())
        return false;
    for (qsizetype k = 0; k < value.size(); ++k) {
        char c = value[k];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != upperCaseName[k])
            return false;
    }
    return true;
}

} // namespace tallero
