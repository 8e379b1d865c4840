// The window's machine exports: File → Export cutting sheets (DXF)… and
// File → Export cut list (CSV)…, their menu texts in the three languages,
// what they write, the folder they remember and what they say on failure;
// and what every export (the PDF report too) says without a plan.

#include "uitestsupport.h"

#include "exports/cutlistcsv.h"
#include "exports/sheetdxf.h"
#include "ui/planexport.h"
#include "ui/plansummary.h"

using namespace tallero;
using testing::readFile;
using testing::stored;
using testing::triggerAction;

class UiPlanExportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QList<MessageBoxRequest> boxes;
    QString chosen;
    QStringList asked;   // the start folder or proposed path of each dialog

    std::unique_ptr<RodalixV69> windowWithPlan()
    {
        return testing::windowFromPdfTest("l-floor-column.dxf", dir.filePath(QStringLiteral("test.pdf")));
    }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        QVERIFY(dir.isValid());
        setMessageBoxHook([this](const MessageBoxRequest &request) {
            boxes.append(request);
            return QMessageBox::Ok;
        });
        setExportFolderDialogHook([this](const QString &, const QString &start) {
            asked.append(start);
            return chosen;
        });
        setExportSaveDialogHook([this](const QString &, const QString &proposed, const QString &) {
            asked.append(proposed);
            return chosen;
        });
    }

    void init()
    {
        testing::resetSettings();
        setCurrentLanguage(QStringLiteral("es"));
        boxes.clear();
        asked.clear();
        chosen.clear();
    }

    void menuTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("sheets");
        QTest::addColumn<QString>("cutList");
        QTest::addColumn<QString>("pdfTitle");
        QTest::addColumn<QString>("noPlan");
        QTest::newRow("es") << "es" << "Exportar planchas de corte (DXF)…" << "Exportar lista de corte (CSV)…"
                            << "Exportar PDF" << "Calcula el despiece antes de exportar.";
        QTest::newRow("en") << "en" << "Export cutting sheets (DXF)…" << "Export cut list (CSV)…" << "Export PDF"
                            << "Calculate the cutting plan before exporting.";
        QTest::newRow("de") << "de" << "Zuschnittplatten exportieren (DXF)…" << "Schnittliste exportieren (CSV)…"
                            << "PDF exportieren" << "Berechnen Sie den Zuschnitt vor dem Export.";
    }
    void menuTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, sheets);
        QFETCH(QString, cutList);
        QFETCH(QString, pdfTitle);
        QFETCH(QString, noPlan);
        const auto window = testing::makeWindowIn<RodalixV69>(language);
        QCOMPARE(testing::child<QAction>(window.get(), "exportSheetsDxf")->text(), sheets);
        QCOMPARE(testing::child<QAction>(window.get(), "exportCutList")->text(), cutList);
        // Without a plan every export says so and asks nothing.
        for (const char *name : {"exportSheetsDxf", "exportCutList", "exportPdf"})
            triggerAction(window.get(), name);
        QCOMPARE(boxes.size(), 3);
        for (const MessageBoxRequest &box : boxes) {
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.text, noPlan);
        }
        QCOMPARE(boxes[2].title, pdfTitle);
        QVERIFY(asked.isEmpty());
    }

    void writesTheFilesAndRemembersTheFolder_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("cutting sheets") << "exportSheetsDxf";
        QTest::newRow("cut list") << "exportCutList";
    }
    void writesTheFilesAndRemembersTheFolder()
    {
        QFETCH(QString, action);
        auto window = windowWithPlan();
        const CuttingPlan &plan = *window->currentPlan();
        QVERIFY(!plan.sheets.isEmpty());
        const QString folder = dir.filePath(QStringLiteral("out-") + action);
        QVERIFY(QDir().mkpath(folder));
        const bool sheets = action == QLatin1String("exportSheetsDxf");
        chosen = sheets ? folder : folder + QStringLiteral("/list");   // the suffix is added
        triggerAction(window.get(), qPrintable(action));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Information);
        if (sheets) {
            for (int i = 0; i < plan.sheets.size(); ++i)
                QCOMPARE(readFile(QDir(folder).filePath(cuttingSheetFileName(plan, i))), cuttingSheetDxf(plan, i));
            QVERIFY(boxes[0].text.startsWith(QString::number(plan.sheets.size())));
        } else {
            QCOMPARE(readFile(folder + QStringLiteral("/list.csv")), cutListCsv(plan));
            QVERIFY(asked[0].endsWith(QStringLiteral("/lista_corte_l-floor-column.csv")));
        }
        QCOMPARE(QDir(stored("paths/report").toString()), QDir(folder));

        // The next export starts where this one wrote.
        chosen.clear();
        asked.clear();
        triggerAction(window.get(), qPrintable(action));
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].startsWith(QDir(folder).absolutePath()), qPrintable(asked[0]));
        QCOMPARE(boxes.size(), 1);   // a cancelled dialog says nothing
    }

    // A sheet file of another plan in the chosen folder is named in a
    // warning, and left where it is.
    void foreignSheetsAreNamed()
    {
        auto window = windowWithPlan();
        const QString folder = dir.filePath(QStringLiteral("out-foreign"));
        QVERIFY(QDir().mkpath(folder));
        const QString old = QDir(folder).filePath(QStringLiteral("P999.dxf"));
        testing::writeFile(old, "old");
        chosen = folder;
        triggerAction(window.get(), "exportSheetsDxf");
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QVERIFY2(boxes[0].text.contains(QStringLiteral("P999.dxf")), qPrintable(boxes[0].text));
        QCOMPARE(readFile(old), QByteArray("old"));
    }

    void failureIsToldAndChangesNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::newRow("cutting sheets") << "exportSheetsDxf" << "No se pudieron escribir las planchas de corte";
        QTest::newRow("cut list") << "exportCutList" << "No se pudo escribir la lista de corte";
    }
    void failureIsToldAndChangesNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, text);
        auto window = windowWithPlan();
        // A file where the folder should be; a folder where the file should be.
        const QString blocker = dir.filePath(QStringLiteral("blocker-") + action);
        if (action == QLatin1String("exportSheetsDxf")) {
            chosen = testing::writeFile(blocker, "keep me");
        } else {
            QVERIFY(QDir().mkpath(blocker + QStringLiteral(".csv")));
            chosen = blocker + QStringLiteral(".csv");
        }
        triggerAction(window.get(), qPrintable(action));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QVERIFY2(boxes[0].text.startsWith(text), qPrintable(boxes[0].text));
        QVERIFY(!testing::settingsStore().contains(QStringLiteral("paths/report")));
        if (action == QLatin1String("exportSheetsDxf"))
            QCOMPARE(readFile(blocker), QByteArray("keep me"));
    }

    void planWithoutCuttingSheets()
    {
        // A plan of whole sheets only has no cutting sheet to export.
        auto window = windowWithPlan();
        CuttingPlan plan = *window->currentPlan();
        plan.sheets.clear();
        for (GridCell &cell : plan.cells)
            cell.whole = true;
        window->applyPlan(plan);
        chosen = dir.filePath(QStringLiteral("never"));
        triggerAction(window.get(), "exportSheetsDxf");
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].text.startsWith(QStringLiteral("El plan no tiene planchas de corte")));
        QVERIFY(!QFile::exists(chosen));
    }

    // The summary the command line prints is the one the window shows.
    void summaryIsTheWindowsText()
    {
        auto window = windowWithPlan();
        QCOMPARE(planSummaryText(*window->currentPlan(), window->layoutCanvas()->drawing),
                 testing::shownText(window.get(), "report"));
    }
};

QTEST_MAIN(UiPlanExportTest)
#include "tst_ui_planexport.moc"
