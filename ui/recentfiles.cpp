#include "ui/recentfiles.h"

#include <QDateTime>
#include <QFileInfo>

namespace tallero {

QStringList recentFilesWith(const QStringList &files, const QString &absolutePath, int maximum)
{
    QStringList updated = files;
    updated.removeAll(absolutePath);
    updated.prepend(absolutePath);
    while (updated.size() > maximum)
        updated.removeLast();
    return updated;
}

QStringList existingRecentFiles(const QStringList &files)
{
    QStringList existing;
    for (const QString &path : files) {
        if (QFileInfo(path).isFile())
            existing.append(path);
    }
    return existing;
}

QString recentEntryText(const QString &path)
{
    const QFileInfo file(path);
    QString name = file.fileName();
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("%1  \u2014  %2")
        .arg(name, file.lastModified().toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
}

} // namespace tallero
