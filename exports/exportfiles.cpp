#include "exports/exportfiles.h"

#include "exports/sheetdxf.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <utility>

namespace tallero {

bool writeCuttingSheetFiles(const QString &folder, const CuttingPlan &plan, QStringList &written,
                            QString &failedPath, QString &error)
{
    written.clear();
    const QFileInfo info(folder);
    if (folder.isEmpty() || (info.exists() && !info.isDir()) || !QDir().mkpath(folder)) {
        failedPath = folder;
        error = info.exists() && !info.isDir() ? QStringLiteral("Not a directory")
                                               : QStringLiteral("The folder cannot be created");
        return false;
    }
    const QDir dir(folder);
    for (int i = 0; i < plan.sheets.size(); ++i) {
        const QString path = dir.filePath(cuttingSheetFileName(plan, i));
        if (!writeFileAtomically(path, cuttingSheetDxf(plan, i), error)) {
            failedPath = path;
            return false;
        }
        written.append(path);
    }
    return true;
}

QStringList foreignCuttingSheetFiles(const QString &folder, const QStringList &written)
{
    static const QRegularExpression sheetName(QStringLiteral("^P(\\d{1,9})\\.dxf$"),
                                              QRegularExpression::CaseInsensitiveOption);
    QSet<QString> ours;
    for (const QString &path : written)
        ours.insert(QFileInfo(path).fileName().toLower());
    QList<std::pair<qint64, QString>> found;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = sheetName.match(name);
        if (match.hasMatch() && !ours.contains(name.toLower()))
            found.append({match.captured(1).toLongLong(), name});
    }
    std::sort(found.begin(), found.end());
    QStringList foreign;
    for (const auto &entry : found)
        foreign.append(entry.second);
    return foreign;
}

} // namespace tallero
