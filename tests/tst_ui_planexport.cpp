// The window's two machine exports: File → Export cutting sheets (DXF)… and
// File → Export cut list (CSV)…, their menu texts in the three languages,
// what they write, the folder they remember and what they say on failure.

#include "testsupport.h"

#include "exports/cutlistcsv.h"
#include "exports/sheetdxf.h"
#include "ui/localisation.h"
#include "ui/mainwindow.h"
#include "ui/messagebox.h"
#include "ui/pdftest.h"
#include "ui/planexport.h"
#include "ui/plansummary.h"
#include "views/nestingcanvas.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tallero;

namespace {

QSettings store()
{
    return QSettings(QStringLiteral("Tallero"), QStringLiteral("Tallero"));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class UiPlanExportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QList<MessageBoxRequest> boxes;
    QString chosen;
    QStringList asked;   // the start folder or proposed path of each dialog

    std::unique_ptr<RodalixV69> windowWithPlan(const QString &example = QStringLiteral("l-floor-column.dxf"))
    {
        auto window = std::make_unique<RodalixV69>();
        QString error;
        if (!runPdfTest(*window, testing::examplePath(example), dir.filePath(QStringLiteral("test.pdf")), error))
            qWarning("pdf test failed: %s", qPrintable(error));
        return window;
    }

    void trigger(RodalixV69 &window, const char *name)
    {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        QVERIFY(action);
        QVERIFY(action->isEnabled());
        action->trigger();
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
        QSettings settings = store();
        settings.clear();
        settings.sync();
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
        QTest::addColumn<QString>("noPlan");
        QTest::newRow("es") << "es" << "Exportar planchas de corte (DXF)…" << "Exportar lista de corte (CSV)…"
                            << "Calcula el despiece antes de exportar.";
        QTest::newRow("en") << "en" << "Export cutting sheets (DXF)…" << "Export cut list (CSV)…"
                            << "Calculate the cutting plan before exporting.";
        QTest::newRow("de") << "de" << "Zuschnittplatten exportieren (DXF)…" << "Schnittliste exportieren (CSV)…"
                            << "Berechnen Sie den Zuschnitt vor dem Export.";
    }
    void menuTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, sheets);
        QFETCH(QString, cutList);
        QFETCH(QString, noPlan);
        store().setValue(QStringLiteral("ui/language"), language);   // the window reads it
        RodalixV69 window;
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("exportSheetsDxf"))->text(), sheets);
        QCOMPARE(window.findChild<QAction *>(QStringLiteral("exportCutList"))->text(), cutList);
        // Without a plan both say so and ask nothing.
        trigger(window, "exportSheetsDxf");
        trigger(window, "exportCutList");
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0].text, noPlan);
        QCOMPARE(boxes[1].text, noPlan);
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
        trigger(*window, qPrintable(action));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Information);
        if (sheets) {
            for (int i = 0; i < plan.sheets.size(); ++i)
                QCOMPARE(contents(QDir(folder).filePath(cuttingSheetFileName(plan, i))), cuttingSheetDxf(plan, i));
            QVERIFY(boxes[0].text.startsWith(QString::number(plan.sheets.size())));
        } else {
            QCOMPARE(contents(folder + QStringLiteral("/list.csv")), cutListCsv(plan));
            QVERIFY(asked[0].endsWith(QStringLiteral("/lista_corte_l-floor-column.csv")));
        }
        QCOMPARE(QDir(store().value(QStringLiteral("paths/report")).toString()), QDir(folder));

        // The next export starts where this one wrote.
        chosen.clear();
        asked.clear();
        trigger(*window, qPrintable(action));
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
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        chosen = folder;
        trigger(*window, "exportSheetsDxf");
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QVERIFY2(boxes[0].text.contains(QStringLiteral("P999.dxf")), qPrintable(boxes[0].text));
        QCOMPARE(contents(old), QByteArray("old"));
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
            QFile file(blocker);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep me");
            chosen = blocker;
        } else {
            QVERIFY(QDir().mkpath(blocker + QStringLiteral(".csv")));
            chosen = blocker + QStringLiteral(".csv");
        }
        trigger(*window, qPrintable(action));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QVERIFY2(boxes[0].text.startsWith(text), qPrintable(boxes[0].text));
        QVERIFY(!store().contains(QStringLiteral("paths/report")));
        if (action == QLatin1String("exportSheetsDxf"))
            QCOMPARE(contents(blocker), QByteArray("keep me"));
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
        trigger(*window, "exportSheetsDxf");
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].text.startsWith(QStringLiteral("El plan no tiene planchas de corte")));
        QVERIFY(!QFile::exists(chosen));
    }

    // The summary the command line prints is the one the window shows.
    void summaryIsTheWindowsText()
    {
        auto window = windowWithPlan();
        auto *report = window->findChild<QPlainTextEdit *>(QStringLiteral("report"));
        QVERIFY(report);
        QCOMPARE(planSummaryText(*window->currentPlan(), window->layoutCanvas()->drawing), report->toPlainText());
    }
};

QTEST_MAIN(UiPlanExportTest)
#include "tst_ui_planexport.moc"
