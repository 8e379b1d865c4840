#pragma once

#include <QList>
#include <QString>

namespace tallero {

// One DXF group: the code line as an integer and the value line, both
// trimmed. The value points into the text held by GroupPairs.
struct GroupPair
{
    int code = 0;
    QStringView value;
};

} // namespace tallero

Q_DECLARE_TYPEINFO(tallero::GroupPair, Q_PRIMITIVE_TYPE);

namespace tallero {

// The pairs of a whole file, in file order, together with the decoded text
// their values point into (a large file holds millions of values; one string
// each would cost more than the rest of the import).
class GroupPairs
{
public:
    GroupPairs() = default;
    // Splits the text into pairs of lines. A code line that is not a base-10
    // integer drops itself and its value line; a last code line without a
    // value line is dropped.
    explicit GroupPairs(QString text);

    GroupPairs(const GroupPairs &) = delete;
    GroupPairs &operator=(const GroupPairs &) = delete;
    GroupPairs(GroupPairs &&) = default;
    GroupPairs &operator=(GroupPairs &&) = default;

    qsizetype size() const { return m_pairs.size(); }
    const GroupPair &operator[](qsizetype i) const { return m_pairs[i]; }
    const GroupPair *data() const { return m_pairs.constData(); }

private:
    QString m_text;
    QList<GroupPair> m_pairs;
};

// Files beyond this are refused before reading: the text and its pairs take
// several times the file's size in memory.
inline constexpr qint64 dxfMaxFileSize = 256 * 1024 * 1024;

// Reads the whole file as UTF-8 text. Fails with the file system's message
// when it cannot be read, with dxfNotAFileMessage when the path is a folder,
// device or pipe, and with dxfTooLargeMessage beyond dxfMaxFileSize.
bool readGroupPairs(const QString &path, GroupPairs &pairs, QString &error);

// Index of the first code-0 pair at or after `from`, or the pair count.
qsizetype nextRecord(const GroupPairs &pairs, qsizetype from);

// Record and section names are compared in upper case.
QString upperName(QStringView value);
bool isRecord(const GroupPair &pair, QLatin1StringView upperCaseName);

} // namespace tallero
