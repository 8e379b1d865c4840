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
        const QSettings settings(QStringLiteral("Tallero"), QStringLiteral("Tallero"));
        QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
        QVERIFY2(settings.fileName().startsWith(QDir::homePath() + QLatin1Char('/')),
                 qPrintable(settings.fileName()));
    }

    void defaultsAndRoundTrip()
    {
        Preferences preferences;
        QCOMPARE(preferences.language(), QStringLiteral("es"));
        QCOMPARE(preferences.darkTheme(), true);

        preferences.setLanguage(QStringLiteral("de"));
        preferences.setDarkTheme(false);
        // Another object, like another window, reads what was written.
        QCOMPARE(Preferences().language(), QStringLiteral("de"));
        QCOMPARE(Preferences().darkTheme(), false);
        // Under the keys other tools and older versions read.
        const QSettings settings(QStringLiteral("Tallero"), QStringLiteral("Tallero"));
        QCOMPARE(settings.value(QStringLiteral("ui/language")).toString(), QStringLiteral("de"));
        QCOMPARE(settings.value(QStringLiteral("theme/dark")).toBool(), false);

        preferences.remove(QStringLiteral("theme"));
        QCOMPARE(Preferences().darkTheme(), true);
        QCOMPARE(Preferences().language(), QStringLiteral("de"));
    }

    void removeTakesTheWholeGroup()
    {
        {
            QSettings settings(QStringLiteral("Tallero"), QStringLiteral("Tallero"));
            settings.setValue(QStringLiteral("sheet/width"), 2.0);
            settings.setValue(QStringLiteral("sheet/height"), 1.2);
        }
        Preferences().remove(QStringLiteral("sheet"));
        const QSettings settings(QStringLiteral("Tallero"), QStringLiteral("Tallero"));
        QVERIFY(!settings.contains(QStringLiteral("sheet/width")));
        QVERIFY(!settings.contains(QStringLiteral("sheet/height")));
    }
};

QTEST_MAIN(PreferencesTest)
#include "tst_ui_preferences.moc"
