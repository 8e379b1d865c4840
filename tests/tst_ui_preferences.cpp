// The stored preferences live under the test's own home. What they hold,
// their defaults and their keys are checked through the window that uses
// them (tst_ui_mainwindow, tst_ui_workflow, tst_ui_thoroughnesting).

#include "ui/preferences.h"
#include "testsupport.h"

#include <QSettings>
#include <QTest>

using namespace tallero;

class PreferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void storeIsTheTestUsers()
    {
        const QSettings settings = testing::settingsStore();
        QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
        QVERIFY2(settings.fileName().startsWith(QDir::homePath() + QLatin1Char('/')),
                 qPrintable(settings.fileName()));
        // The object the program uses writes to that same store.
        Preferences().setLanguage(QStringLiteral("de"));
        QCOMPARE(QSettings(settings.fileName(), QSettings::NativeFormat).value(QStringLiteral("ui/language")).toString(),
                 QStringLiteral("de"));
    }
};

QTEST_MAIN(PreferencesTest)
#include "tst_ui_preferences.moc"
