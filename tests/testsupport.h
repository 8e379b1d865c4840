#pragma once

// Shared by the test suites: keeps every suite away from the real user's
// settings and documents, and finds the committed test data.

#include <QDir>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

namespace tallero::testing {

// Points HOME and the XDG folders at a private temporary folder and switches
// QStandardPaths to its test locations. Call first thing in initTestCase().
inline void isolateUserState()
{
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    QStandardPaths::setTestModeEnabled(true);
}

inline QString testDataPath(const QString &name)
{
    return QStringLiteral(TALLERO_TEST_DATA) + QLatin1Char('/') + name;
}

inline QString examplePath(const QString &name)
{
    return QStringLiteral(TALLERO_EXAMPLES) + QLatin1Char('/') + name;
}

} // namespace tallero::testing
