#include "ui/preferences.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace tallero {

namespace {

const QString languageKey = QStringLiteral("ui/language");
const QString darkThemeKey = QStringLiteral("theme/dark");
const QString recentFilesKey = QStringLiteral("recent/files");
const QString thoroughNestingKey = QStringLiteral("nesting/thorough");
const QString dxfFolderKey = QStringLiteral("paths/dxf");
const QString projectFolderKey = QStringLiteral("paths/project");

} // namespace

QVariant Preferences::value(const QString &key, const QVariant &fallback) const
{
    const QSettings settings(QString::fromLatin1(organisationName), QString::fromLatin1(applicationName));
    return settings.value(key, fallback);
}

void Preferences::setValue(const QString &key, const QVariant &value)
{
    QSettings settings(QString::fromLatin1(organisationName), QString::fromLatin1(applicationName));
    settings.setValue(key, value);
}

void Preferences::remove(const QString &key)
{
    QSettings settings(QString::fromLatin1(organisationName), QString::fromLatin1(applicationName));
    settings.remove(key);
}

QString Preferences::language() const
{
    return value(languageKey, QStringLiteral("es")).toString();
}

void Preferences::setLanguage(const QString &code)
{
    setValue(languageKey, code);
}

bool Preferences::darkTheme() const
{
    return value(darkThemeKey, true).toBool();
}

void Preferences::setDarkTheme(bool dark)
{
    setValue(darkThemeKey, dark);
}

bool Preferences::thoroughNesting() const
{
    return value(thoroughNestingKey, false).toBool();
}

void Preferences::setThoroughNesting(bool thorough)
{
    setValue(thoroughNestingKey, thorough);
}

QStringList Preferences::recentFiles() const
{
    return value(recentFilesKey, QStringList()).toStringList();
}

void Preferences::setRecentFiles(const QStringList &paths)
{
    setValue(recentFilesKey, paths);
}

void Preferences::clearRecentFiles()
{
    remove(recentFilesKey);
}

QString Preferences::dxfFolder() const
{
    return value(dxfFolderKey, QDir::homePath()).toString();
}

void Preferences::setDxfFolder(const QString &folder)
{
    setValue(dxfFolderKey, folder);
}

QString Preferences::projectFolder() const
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return value(projectFolderKey, QDir(documents).filePath(QStringLiteral("Tallero/Proyectos"))).toString();
}

void Preferences::setProjectFolder(const QString &folder)
{
    setValue(projectFolderKey, folder);
}

} // namespace tallero
