// The thorough nesting as the user meets it: the Settings entry and its
// stored preference, the project key, the plans Recalculate and Optimise
// make with it, and what the summary and the report say about them.

#include "uitestsupport.h"

#include "engine/cuttingplanner.h"
#include "engine/layoutsearch.h"
#include "engine/plancheck.h"
#include "project/projectfile.h"
#include "report/generalpage.h"
#include "report/reportinput.h"
#include "ui/preferences.h"

#include <cmath>
#include <numbers>

using namespace tallero;

namespace {

// A semicircular room 9 m across: on 2.0 x 1.2 m sheets the standard
// nesting needs a cutting sheet more than the thorough one.
Drawing halfRoundRoom()
{
    QPolygonF ring{QPointF(0.0, 0.0), QPointF(9.0, 0.0)};
    for (int i = 1; i < 72; ++i) {
        const double a = std::numbers::pi * i / 72;
        ring << QPointF(4.5 + 4.5 * std::cos(a), 4.5 * std::sin(a));
    }
    ring << QPointF(0.0, 0.0);
    return testing::drawingOf(shapeFromPolygon({ring}));
}

QAction *thoroughAction(const RodalixV69 &window)
{
    return testing::child<QAction>(&window, "thoroughNestingAction");
}

// A project of an example on 2.0 x 1.2 m sheets, nested thoroughly, at `path`.
void writeThoroughProject(const QString &path, const char *example)
{
    ProjectFile project;
    project.dxfPath = testing::example(example);
    project.sheetWidth = QStringLiteral("2.0");
    project.sheetHeight = QStringLiteral("1.2");
    project.startIndex = 3;
    project.thoroughNesting = true;
    QString error;
    if (!writeProjectFile(path, project, error))
        qFatal("cannot write the project: %s", qPrintable(error));
}

} // namespace

class UiThoroughNestingTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

    static std::unique_ptr<RodalixV69> makeWindow(const QString &language)
    {
        return testing::makeWindowIn<RodalixV69>(language);
    }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        // Questions are answered yes; nothing else is asked here.
        setMessageBoxHook([](const MessageBoxRequest &request) {
            return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
        QVERIFY(folder.isValid());
    }

    void init()
    {
        testing::resetSettings();
    }

    // The entry reads in the window's language, starts unchecked, is
    // stored when toggled and read back by the next window.
    void settingsEntryIsStored_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("label");
        QTest::newRow("es") << "es" << "Anidado exhaustivo (menos planchas, más lento)";
        QTest::newRow("en") << "en" << "Thorough nesting (fewer sheets, slower)";
        QTest::newRow("de") << "de" << "Gründliche Verschachtelung (weniger Platten, langsamer)";
    }

    void settingsEntryIsStored()
    {
        QFETCH(QString, language);
        QFETCH(QString, label);
        {
            const auto window = makeWindow(language);
            QAction *action = thoroughAction(*window);
            QVERIFY(action);
            QCOMPARE(action->text(), label);
            QVERIFY(action->isCheckable());
            QVERIFY(!action->isChecked());
            QCOMPARE(window->nestingMode(), NestingMode::Standard);
            action->trigger();
            QCOMPARE(window->nestingMode(), NestingMode::Thorough);
            QVERIFY(Preferences().thoroughNesting());
        }
        {
            const auto window = makeWindow(language);
            QVERIFY(thoroughAction(*window)->isChecked());
            QCOMPARE(window->nestingMode(), NestingMode::Thorough);
            thoroughAction(*window)->trigger();
            QVERIFY(!Preferences().thoroughNesting());
        }
    }

    // A project brings its nesting into the window without changing the
    // stored preference, and saving writes the window's. New project returns
    // to the preferred nesting; Restore default settings to the standard
    // one, stored.
    void projectNewProjectAndRestoreDefaults()
    {
        const auto window = makeWindow(QStringLiteral("en"));
        const QString path = folder.filePath(QStringLiteral("deck.tlr"));
        writeThoroughProject(path, "deck-bay.dxf");
        window->openProject(path);
        QCOMPARE(window->nestingMode(), NestingMode::Thorough);
        QVERIFY(thoroughAction(*window)->isChecked());
        QVERIFY(!Preferences().thoroughNesting());
        QVERIFY(QFile::remove(path));   // what is read back is what Save wrote
        QVERIFY(window->saveProject());
        ProjectFile saved;
        QString error;
        QCOMPARE(readProjectFile(path, saved, error), ProjectReadStatus::Read);
        QVERIFY(saved.thoroughNesting);

        window->newProject();
        QCOMPARE(window->nestingMode(), NestingMode::Standard);
        QVERIFY(!thoroughAction(*window)->isChecked());

        thoroughAction(*window)->trigger();
        QVERIFY(Preferences().thoroughNesting());
        window->restoreDefaults();
        QCOMPARE(window->nestingMode(), NestingMode::Standard);
        QVERIFY(!Preferences().thoroughNesting());
    }

    // Optimise and Recalculate nest as the entry says; the thorough plan
    // buys a sheet less here, holds, and the summary says how it was made.
    void commandsFollowTheSetting_data()
    {
        QTest::addColumn<bool>("thorough");
        QTest::addColumn<bool>("optimise");
        QTest::newRow("standard optimise") << false << true;
        QTest::newRow("thorough optimise") << true << true;
        QTest::newRow("standard recalculate") << false << false;
        QTest::newRow("thorough recalculate") << true << false;
    }

    void commandsFollowTheSetting()
    {
        QFETCH(bool, thorough);
        QFETCH(bool, optimise);
        const Drawing room = halfRoundRoom();
        const LayoutSearchResult standard = searchBestLayout(room, 2.0, 1.2, 0.0);
        QVERIFY(standard.best.has_value());

        const auto window = makeWindow(QStringLiteral("en"));
        window->showDrawing(room, folder.filePath(QStringLiteral("half-round.dxf")));
        testing::typeSheet(window.get(), QStringLiteral("2.0"), QStringLiteral("1.2"), QStringLiteral("0"));
        if (thorough)
            thoroughAction(*window)->trigger();
        if (optimise) {
            QCOMPARE(window->optimiseLayout(true), ComputationOutcome::Applied);
        } else {
            window->findChild<QRadioButton *>(QStringLiteral("vertical"))->setChecked(true);
            window->findChild<QComboBox *>(QStringLiteral("start"))->setCurrentIndex(3);
            QCOMPARE(window->recalculate(), ComputationOutcome::Applied);
        }
        const CuttingPlan &plan = *window->currentPlan();
        QCOMPARE(plan.nesting, thorough ? NestingMode::Thorough : NestingMode::Standard);
        QCOMPARE(plan.nestingVerdict, std::optional<NestingFault>(NestingFault::None));
        // Vertical bottom-left is the standard winner and the layout the
        // thorough nesting improves.
        const CuttingPlan layout = computeCuttingPlan(room, 1.2, 2.0, 0.0, false, false);
        const int standardPurchase = optimise ? totalPurchase(*standard.best) : totalPurchase(layout);
        QCOMPARE(totalPurchase(plan), thorough ? standardPurchase - 1 : standardPurchase);
        QCOMPARE(testing::shownText(window.get(), "report").contains(QStringLiteral("• Nesting: thorough")), thorough);
    }

    // The key is written only when set, and a value of the wrong type reads
    // as the standard nesting. A thorough project written and read back is
    // the test above.
    void projectKey()
    {
        ProjectFile project;
        project.dxfPath = QStringLiteral("/tmp/floor.dxf");
        QByteArray text = projectFileText(project);
        QVERIFY(!text.contains("thoroughNesting"));
        text.replace("\"vertical\"", "\"thoroughNesting\": \"yes\",\n    \"vertical\"");
        QVERIFY(text.contains("\"thoroughNesting\": \"yes\""));
        const QString path = testing::writeFile(folder.filePath(QStringLiteral("key.tlr")), text);
        ProjectFile read;
        read.thoroughNesting = true;
        QString error;
        QCOMPARE(readProjectFile(path, read, error), ProjectReadStatus::Read);
        QVERIFY(!read.thoroughNesting);
    }

    // The report's summary has a nesting row only for a thorough plan.
    void reportSaysThoroughNesting_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::newRow("es") << "es" << "Anidado" << "exhaustivo";
        QTest::newRow("en") << "en" << "Nesting" << "thorough";
        QTest::newRow("de") << "de" << "Verschachtelung" << "gründlich";
    }

    void reportSaysThoroughNesting()
    {
        QFETCH(QString, language);
        QFETCH(QString, label);
        QFETCH(QString, value);
        ReportInput input;
        input.language = language;
        input.plan = computeCuttingPlan(halfRoundRoom(), 2.0, 1.2, 0.0, false, false);
        const qsizetype standardRows = summaryRows(input).size();
        input.plan->nesting = NestingMode::Thorough;
        const QList<SummaryRow> rows = summaryRows(input);
        QCOMPARE(rows.size(), standardRows + 1);
        QCOMPARE(rows.last().label, label);
        QCOMPARE(rows.last().value, value);
    }
};

QTEST_MAIN(UiThoroughNestingTest)
#include "tst_ui_thoroughnesting.moc"
