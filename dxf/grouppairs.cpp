#include "dxf/grouppairs.h"

#include "dxf/dxfmessages.h"

#include <QFile>
#include <QFileInfo>

namespace tallero {

GroupPairs::GroupPairs(QString text) : m_text(std::move(text))
{
    const QStringView all(m_text);
    const qsizetype size = all.size();
    m_pairs.reserve(all.count(u'\n') / 2 + 1);
    qsizetype pos = 0;
    // A trailing newline ends the last line; it does not start an empty one.
    auto nextLine = [&]() {
        qsizetype end = all.indexOf(u'\n', pos);
        if (end < 0)
            end = size;
        const QStringView line = all.sliced(pos, end - pos).trimmed();
        pos = end + 1;
        return line;
    };
    while (pos < size) {
        const QStringView codeLine = nextLine();
        if (pos >= size)
            break;
        const QStringView value = nextLine();
        bool ok = false;
        const int code = codeLine.toInt(&ok, 10);
        if (ok)
            m_pairs.append({code, value});
    }
}

bool readGroupPairs(const QString &path, GroupPairs &pairs, QString &error)
{
    // Opening a pipe blocks and reading a device may never end, so only
    // regular files are read. A missing path is left to QFile's own message.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        error = dxfNotAFileMessage.toString();
        return false;
    }
    if (info.size() > dxfMaxFileSize) {
        error = dxfTooLargeMessage.toString();
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = file.errorString();
        return false;
    }
    // Decoding the file in one go is far quicker than a line-by-line text
    // stream; dropping every carriage return normalises line endings the way
    // a text-mode read does.
    QString text = QString::fromUtf8(bytes);
    text.remove(u'\r');
    pairs = GroupPairs(std::move(text));
    return true;
}

qsizetype nextRecord(const GroupPairs &pairs, qsizetype from)
{
    while (from < pairs.size() && pairs[from].code != 0)
        ++from;
    return from;
}

QString upperName(QStringView value)
{
    return value.toString().toUpper();
}

bool isRecord(const GroupPair &pair, QLatin1StringView upperCaseName)
{
    return pair.code == 0 && upperName(pair.value) == upperCaseName;
}

} // namespace tallero
