#pragma once

// DXF inputs for the import suites, written as small files in a private
// temporary folder.

#include "testsupport.h"

#include <QFile>
#include <QStringList>

namespace tallero::testing {

// Groups written compactly as "code value" items separated by ';', for
// example "0 LINE;10 0;20 0;11 2;21 0". Codes are right-aligned in three
// columns, the way CAD programs write them ("  0", " 10").
inline QString dxfLines(const QString &items)
{
    QString text;
    for (const QString &item : items.split(u';', Qt::SkipEmptyParts)) {
        const QString group = item.trimmed();
        const qsizetype space = group.indexOf(u' ');
        const QString code = space < 0 ? group : group.left(space);
        text += code.rightJustified(3) + u'\n' + (space < 0 ? QString() : group.mid(space + 1)) + u'\n';
    }
    return text;
}

// A whole file whose ENTITIES section holds the given groups.
inline QString dxfDocument(const QString &entities)
{
    return dxfLines(QStringLiteral("0 SECTION;2 ENTITIES;") + entities + QStringLiteral(";0 ENDSEC;0 EOF"));
}

class DxfScratch
{
public:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QString::number(++m_count) + QStringLiteral(".dxf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QString writeEntities(const QString &entities) { return write(dxfDocument(entities).toUtf8()); }
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

} // namespace tallero::testing
