#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace tallero {

// The user's stored preferences, in the per-user settings store of
// organisation and application "Tallero". Every read and write opens the
// store afresh, so several objects (and several windows) never disagree.
class Preferences
{
public:
    // "ui/language": "es" when absent. The raw stored value; callers decide
    // what an unknown code means.
    QString language() const;
    void setLanguage(const QString &code);

    // "theme/dark": true when absent.
    bool darkTheme() const;
    void setDarkTheme(bool dark);

    // "nesting/thorough": whether plans are nested thoroughly (fewer cutting
    // sheets, slower); false when absent.
    bool thoroughNesting() const;
    void setThoroughNesting(bool thorough);

    // "recent/files": absolute paths, most recent first, at most
    // maxRecentFiles; empty when absent.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList &paths);
    void clearRecentFiles();
    static constexpr int maxRecentFiles = 10;

    // "paths/dxf": the folder of the last drawing loaded through the file
    // dialog; the user's home folder when absent.
    QString dxfFolder() const;
    void setDxfFolder(const QString &folder);

    // "paths/project": the folder of the last project saved; when absent the
    // "Tallero/Proyectos" folder below the user's documents folder (the home
    // folder when the platform reports no documents folder).
    QString projectFolder() const;
    void setProjectFolder(const QString &folder);

    // "paths/report": the folder of the last report written; empty when
    // absent.
    QString reportFolder() const { return value(QStringLiteral("paths/report"), QString()).toString(); }
    void setReportFolder(const QString &folder) { setValue(QStringLiteral("paths/report"), folder); }

    // Removes a key and everything below it.
    void remove(const QString &key);

    static constexpr const char *organisationName = "Tallero";
    static constexpr const char *applicationName = "Tallero";

private:
    QVariant value(const QString &key, const QVariant &fallback) const;
    void setValue(const QString &key, const QVariant &value);
};

} // namespace tallero
