// The Export PDF command and the PDF test mode as the window runs them: the
// preconditions, the report folder and its fall-backs, the proposed name,
// the messages, the offer to open the report, the remembered folder, and the
// rows that must tell the plan's own orientation.

#include "uitestsupport.h"

#include "report/generalpage.h"
#include "ui/reportexport.h"

#include <QStandardPaths>

using namespace tallero;
using testing::settingsStore;

namespace {

struct DialogCall
{
    QString title;
    QString proposed;
    QString filter;
};

} // namespace

class UiReportExportTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QList<MessageBoxRequest> boxes;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    QList<DialogCall> dialogs;
    QString chosenPath;
    QList<QUrl> opened;

    // A window whose current plan is the PDF test's plan of an example.
    std::unique_ptr<RodalixV69> windowWithPlan()
    {
        return testing::windowFromPdfTest("room-curved-wall.dxf", dir.filePath(QStringLiteral("pdf-test.pdf")));
    }

    static void runExport(RodalixV69 &window) { testing::triggerAction(&window, "exportPdf"); }

    static QString reportsFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Tallero/Informes");
    }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        QVERIFY(dir.isValid());
        setMessageBoxHook([this](const MessageBoxRequest &request) {
            boxes.append(request);
            return request.buttons.testFlag(answer) ? answer : QMessageBox::Ok;
        });
        setReportSaveDialogHook([this](const QString &title, const QString &proposed, const QString &filter) {
            dialogs.append({title, proposed, filter});
            return chosenPath;
        });
        setOpenReportHook([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
    }

    void init()
    {
        testing::resetSettings();
        setCurrentLanguage(QStringLiteral("es"));
        boxes.clear();
        dialogs.clear();
        opened.clear();
        chosenPath.clear();
        answer = QMessageBox::Ok;
    }

    void reportFolderFallsBack_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("documents");
        QTest::addColumn<QString>("expected");
        const QString base = dir.filePath(QStringLiteral("folders"));
        QDir().mkpath(base + QStringLiteral("/docs"));
        QDir().mkpath(base + QStringLiteral("/home"));
        QDir().mkpath(base + QStringLiteral("/kept"));
        testing::writeFile(base + QStringLiteral("/unplugged"), "a file where a folder was");
        const QString gone = base + QStringLiteral("/unplugged/Informes");
        QTest::newRow("stored folder") << base + "/kept" << base + "/docs" << base + "/kept";
        QTest::newRow("stored folder made again") << base + "/new/deep" << base + "/docs" << base + "/new/deep";
        QTest::newRow("nothing stored") << "" << base + "/docs" << base + "/docs/Tallero/Informes";
        QTest::newRow("stored folder gone") << gone << base + "/docs" << base + "/docs/Tallero/Informes";
        QTest::newRow("documents unusable") << gone << base + "/unplugged/docs" << base + "/home";
        QTest::newRow("no documents folder") << gone << "" << base + "/home/Tallero/Informes";
    }

    void reportFolderFallsBack()
    {
        QFETCH(QString, stored);
        QFETCH(QString, documents);
        QFETCH(QString, expected);
        const QString home = dir.filePath(QStringLiteral("folders/home"));
        QCOMPARE(reportFolder(stored, documents, home), expected);
        QVERIFY(QFileInfo(expected).isDir());
    }

    void exportWritesOffersToOpenAndRemembers_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<QString>("writtenName");
        QTest::addColumn<QString>("proposedName");
        QTest::addColumn<QString>("savedText");
        QTest::addColumn<QString>("openText");
        QTest::newRow("es") << "es" << "informe" << "informe.pdf" << "informe_despiece_room-curved-wall.pdf"
                            << "Informe PDF guardado correctamente." << "Abrir informe";
        QTest::newRow("en") << "en" << "Report.PDF" << "Report.PDF" << "cutting_report_room-curved-wall.pdf"
                            << "PDF report saved successfully." << "Open report";
        QTest::newRow("de") << "de" << "bericht.pdf" << "bericht.pdf" << "zuschnittbericht_room-curved-wall.pdf"
                            << "PDF-Bericht erfolgreich gespeichert." << "Bericht öffnen";
    }

    void exportWritesOffersToOpenAndRemembers()
    {
        QFETCH(QString, language);
        QFETCH(QString, chosenName);
        QFETCH(QString, writtenName);
        QFETCH(QString, proposedName);
        QFETCH(QString, savedText);
        QFETCH(QString, openText);
        auto window = windowWithPlan();
        QVERIFY(window->currentPlan());
        setCurrentLanguage(language);
        const QString target = dir.filePath(QStringLiteral("chosen-") + language);
        QVERIFY(QDir().mkpath(target));
        chosenPath = target + QLatin1Char('/') + chosenName;
        answer = QMessageBox::Open;
        runExport(*window);

        QCOMPARE(dialogs.size(), qsizetype(1));
        QCOMPARE(dialogs[0].proposed, reportsFolder() + QLatin1Char('/') + proposedName);
        QCOMPARE(dialogs[0].filter, QStringLiteral("PDF (*.pdf)"));
        const QString written = target + QLatin1Char('/') + writtenName;
        QVERIFY(QFileInfo(written).size() > 100);
        QCOMPARE(boxes.size(), qsizetype(1));
        QCOMPARE(boxes[0].text, savedText);
        QVERIFY(boxes[0].buttons.testFlag(QMessageBox::Open));
        QVERIFY(boxes[0].buttons.testFlag(QMessageBox::Ok));
        QCOMPARE(boxes[0].buttonTexts.value(0).second, openText);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(written)});
        QCOMPARE(settingsStore().value(QStringLiteral("paths/report")).toString(), target);

        // The next export proposes the folder written to; OK opens nothing.
        dialogs.clear();
        opened.clear();
        answer = QMessageBox::Ok;
        runExport(*window);
        QCOMPARE(QFileInfo(dialogs.value(0).proposed).absolutePath(), target);
        QVERIFY(opened.isEmpty());
    }

    // A cancelled dialog writes, says and stores nothing. A remembered
    // folder that is gone (a file stands where it was) still lets the
    // dialog open, in the reports folder.
    void cancelledDialog_data()
    {
        QTest::addColumn<bool>("goneFolder");
        QTest::newRow("nothing remembered") << false;
        QTest::newRow("remembered folder gone") << true;
    }

    void cancelledDialog()
    {
        QFETCH(bool, goneFolder);
        auto window = windowWithPlan();
        if (goneFolder) {
            const QString drive = testing::writeFile(dir.filePath(QStringLiteral("drive")), "");
            settingsStore().setValue(QStringLiteral("paths/report"), drive + QStringLiteral("/Informes"));
        }
        const QVariant remembered = settingsStore().value(QStringLiteral("paths/report"));
        runExport(*window);
        QVERIFY(boxes.isEmpty());
        QCOMPARE(dialogs.size(), qsizetype(1));
        QCOMPARE(QFileInfo(dialogs[0].proposed).absolutePath(), reportsFolder());
        QCOMPARE(settingsStore().value(QStringLiteral("paths/report")), remembered);
    }

    void failedWriteWarnsAndKeepsTheFolder()
    {
        auto window = windowWithPlan();
        setCurrentLanguage(QStringLiteral("en"));
        settingsStore().setValue(QStringLiteral("paths/report"), dir.path());
        chosenPath = testing::writeFile(dir.filePath(QStringLiteral("a-file")), "") + QStringLiteral("/report.pdf");
        runExport(*window);
        QCOMPARE(boxes.size(), qsizetype(1));
        QCOMPARE(boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes[0].text, QStringLiteral("The PDF report could not be generated."));
        QCOMPARE(settingsStore().value(QStringLiteral("paths/report")).toString(), dir.path());
    }

    // Ticking Vertical after a horizontal plan changes nothing the report
    // says about that plan.
    void orientationRowAfterTheRadioButtonChanged()
    {
        auto window = windowWithPlan();
        setCurrentLanguage(QStringLiteral("en"));
        QRadioButton *vertical = window->findChild<QRadioButton *>(QStringLiteral("vertical"));
        QVERIFY(vertical);
        vertical->setChecked(true);
        const QList<SummaryRow> rows = summaryRows(reportInputOf(*window));
        QCOMPARE(rows[3].label, QStringLiteral("Orientation"));
        QCOMPARE(rows[3].value, QStringLiteral("Horizontal (0°)"));
    }

    void pdfTestMode_data()
    {
        QTest::addColumn<QString>("dxf");
        QTest::addColumn<QString>("pdf");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error");
        QTest::newRow("example") << testing::examplePath(QStringLiteral("deck-bay.dxf")) << "deck.pdf" << true << "";
        QTest::newRow("unwritable pdf") << testing::examplePath(QStringLiteral("deck-bay.dxf"))
                                        << "missing-folder/deck.pdf" << false << "No se pudo escribir el PDF.";
    }

    void pdfTestMode()
    {
        QFETCH(QString, dxf);
        QFETCH(QString, pdf);
        QFETCH(bool, ok);
        QFETCH(QString, error);
        RodalixV69 window;
        QString reason;
        const QString path = dir.filePath(pdf);
        QCOMPARE(runPdfTest(window, dxf, path, reason), ok);
        QCOMPARE(reason, error);
        QCOMPARE(QFileInfo(path).size() > 100, ok);
        QVERIFY(window.currentPlan());
    }
};

QTEST_MAIN(UiReportExportTest)
#include "tst_ui_reportexport.moc"
