// The cutting sheets viewer: its chooser, stepping, counter and caption in
// three languages, and a window that drops or replaces its plan while the
// viewer is open.

#include "uitestsupport.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "engine/plancheck.h"
#include "ui/cuttingsheetsdialog.h"
#include "ui/dialogfit.h"
#include "views/sheetview.h"

#include <QPointer>
#include <QScreen>

#include <limits>

using namespace tallero;

namespace {

// Four whole sheets, then `count` cutting sheets of 2.0 × 1.2 m; the first
// holds two pieces covering 1.8 m².
CuttingPlan planWithSheets(int count, std::optional<NestingFault> verdict = NestingFault::None)
{
    CuttingPlan plan;
    plan.sheetWidth = 2.0;
    plan.sheetHeight = 1.2;
    plan.wholeSheetCount = 4;
    plan.nestingVerdict = verdict;
    for (int i = 0; i < count; ++i) {
        CuttingSheet sheet;
        PiecePlacement placement;
        placement.sheetIndex = i;
        placement.shape = rectangleShape(0, 0, 1.5, 0.6);
        sheet.placements.append(placement);
        if (i == 0)
            sheet.placements.append(placement);
        sheet.usedArea = i == 0 ? 1.8 : 0.9;
        plan.sheets.append(sheet);
    }
    return plan;
}

struct ViewerParts
{
    QComboBox *chooser = nullptr;
    QPushButton *previous = nullptr;
    QPushButton *next = nullptr;
    QLabel *counter = nullptr;
    QLabel *caption = nullptr;
    SheetView *view = nullptr;
};

ViewerParts partsOf(QWidget *dialog)
{
    return {dialog->findChild<QComboBox *>(QStringLiteral("sheetChooser")),
            dialog->findChild<QPushButton *>(QStringLiteral("previousSheet")),
            dialog->findChild<QPushButton *>(QStringLiteral("nextSheet")),
            dialog->findChild<QLabel *>(QStringLiteral("sheetCounter")),
            dialog->findChild<QLabel *>(QStringLiteral("sheetCaption")),
            dialog->findChild<SheetView *>(QStringLiteral("sheetView"))};
}

QStringList chooserTexts(const QComboBox *chooser)
{
    QStringList texts;
    for (int i = 0; i < chooser->count(); ++i)
        texts << chooser->itemText(i);
    return texts;
}

} // namespace

class UiSheetsViewerTest : public QObject
{
    Q_OBJECT

private:
    QList<MessageBoxRequest> boxes;
    Drawing room;

    static std::unique_ptr<RodalixV69> makeWindow(const QString &language)
    {
        return testing::makeWindowIn<RodalixV69>(language);
    }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        setMessageBoxHook([this](const MessageBoxRequest &request) {
            boxes.append(request);
            return QMessageBox::Ok;
        });
        QString error;
        QVERIFY2(readDxfDrawing(testing::examplePath(QStringLiteral("room-curved-wall.dxf")), room, error),
                 qPrintable(error));
    }

    void init() { boxes.clear(); }

    void chooserAndStepping()
    {
        CuttingSheetsDialog dialog(nullptr, planWithSheets(3), true, QStringLiteral("en"));
        const ViewerParts parts = partsOf(&dialog);
        QCOMPARE(chooserTexts(parts.chooser), (QStringList{"P5", "P6", "P7"}));
        QCOMPARE(parts.chooser->itemData(2).toInt(), 2);
        QCOMPARE(parts.counter->text(), QStringLiteral("1/3"));
        QVERIFY(!parts.previous->isEnabled());
        QVERIFY(parts.next->isEnabled());

        parts.next->click();
        QCOMPARE(parts.counter->text(), QStringLiteral("2/3"));
        QVERIFY(parts.previous->isEnabled());
        parts.next->click();
        QCOMPARE(parts.counter->text(), QStringLiteral("3/3"));
        QCOMPARE(parts.chooser->currentIndex(), 2);
        QCOMPARE(parts.view->sheetIndex, 2);
        QVERIFY(!parts.next->isEnabled());
        QVERIFY(parts.caption->text().startsWith(QStringLiteral("P7: 1 piece(s)")));

        parts.previous->click();
        QCOMPARE(parts.view->sheetIndex, 1);
        parts.chooser->setCurrentIndex(0);
        QCOMPARE(parts.counter->text(), QStringLiteral("1/3"));
        QCOMPARE(parts.view->sheetIndex, 0);
    }

    void clamping_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("shown");
        QTest::newRow("below") << -4 << 0;
        QTest::newRow("last") << 2 << 2;
        QTest::newRow("above") << 7 << 2;
        QTest::newRow("far above") << std::numeric_limits<int>::max() << 2;
    }

    void clamping()
    {
        QFETCH(int, requested);
        QFETCH(int, shown);
        CuttingSheetsDialog dialog(nullptr, planWithSheets(3), true, QStringLiteral("es"));
        const ViewerParts parts = partsOf(&dialog);
        dialog.selectSheet(1);
        dialog.selectSheet(requested);
        QCOMPARE(parts.view->sheetIndex, shown);
        QCOMPARE(parts.chooser->currentIndex(), shown);
        QCOMPARE(parts.counter->text(), QStringLiteral("%1/3").arg(shown + 1));
    }

    void planWithoutSheets()
    {
        // The window never opens the viewer on such a plan; the viewer
        // itself still shows nothing rather than index an empty list.
        CuttingSheetsDialog dialog(nullptr, planWithSheets(0), false, QStringLiteral("de"));
        const ViewerParts parts = partsOf(&dialog);
        dialog.selectSheet(1);
        parts.next->click();
        QCOMPARE(parts.counter->text(), QStringLiteral("0/0"));
        QVERIFY(!parts.previous->isEnabled());
        QVERIFY(!parts.next->isEnabled());
        QVERIFY(parts.caption->text().isEmpty());
        QVERIFY(!dialog.grab().isNull());
    }

    void caption_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("verdict");   // -1: never checked
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("colour");
        const int clean = int(NestingFault::None);
        const int overlap = int(NestingFault::PiecesOverlap);
        const int outside = int(NestingFault::PieceOutsideSheet);
        const int unchecked = -1;
        QTest::newRow("es clean") << "es" << true << clean
                                  << QStringLiteral("P5: 2 pieza(s)  ·  Aprovechamiento real: 75.0%  ·  Desperdicio: "
                                                    "25.0%  ·  nesting por forma real  ·  Sin solapes y dentro de límites")
                                  << "#34d399";
        QTest::newRow("en outside, light")
            << "en" << false << outside
            << QStringLiteral("P5: 2 piece(s)  ·  Real efficiency: 75.0%  ·  Waste: 25.0%  ·  real-shape nesting  ·  "
                              "WARNING: the check found a piece outside its sheet")
            << "#b91c1c";
        QTest::newRow("de unchecked")
            << "de" << true << unchecked
            << QStringLiteral("P5: 2 Teil(e)  ·  Materialausnutzung: 75.0%  ·  Verschnitt: 25.0%  ·  Nesting nach "
                              "tatsächlicher Form  ·  WARNUNG: Dieser Zuschnitt wurde nicht geprüft")
            << "#f87171";
        QTest::newRow("other language is Spanish, overlap")
            << "fr" << false << overlap
            << QStringLiteral("P5: 2 pieza(s)  ·  Aprovechamiento real: 75.0%  ·  Desperdicio: 25.0%  ·  nesting por "
                              "forma real  ·  ATENCIÓN: la comprobación encontró piezas solapadas")
            << "#b91c1c";
    }

    void caption()
    {
        QFETCH(QString, language);
        QFETCH(bool, dark);
        QFETCH(int, verdict);
        QFETCH(QString, expected);
        QFETCH(QString, colour);
        const std::optional<NestingFault> kept =
            verdict < 0 ? std::nullopt : std::optional<NestingFault>(NestingFault(verdict));
        CuttingSheetsDialog dialog(nullptr, planWithSheets(2, kept), dark, language);
        const ViewerParts parts = partsOf(&dialog);
        QCOMPARE(parts.caption->text(), expected);
        QVERIFY2(parts.caption->styleSheet().contains(QStringLiteral("color:") + colour),
                 qPrintable(parts.caption->styleSheet()));
    }

    void fullSheetReadsNoNegativeWaste()
    {
        CuttingPlan plan = planWithSheets(1);
        plan.sheets[0].usedArea = 2.4 + 1e-9;
        QVERIFY(sheetCaption(plan, 0, QStringLiteral("en"))
                    .text.startsWith(QStringLiteral("P5: 2 piece(s)  ·  Real efficiency: 100.0%  ·  Waste: 0.0%  ·  ")));
    }

    void openingInformsWithoutAPlan()
    {
        const auto window = makeWindow(QStringLiteral("en"));
        auto *button = window->findChild<QPushButton *>(QStringLiteral("viewSheets"));
        QVERIFY(button && button->isEnabled());
        button->click();
        // A block that fits in whole sheets needs no cutting sheet.
        window->applyPlan(computeCuttingPlan(rectangleShape(0, 0, 4.0, 2.4), 2.0, 1.2, 0.0, false, false));
        QVERIFY(window->currentPlan() && window->currentPlan()->sheets.isEmpty());
        button->click();
        QCOMPARE(boxes.size(), 2);
        for (const MessageBoxRequest &box : boxes)
            QCOMPARE(box.title, QStringLiteral("Cutting sheets"));
        QCOMPARE(boxes[0].text, QStringLiteral("Calculate the cutting plan first."));
        QCOMPARE(boxes[1].text, QStringLiteral("This cutting plan does not need any cutting sheets."));
        QVERIFY(!window->findChild<CuttingSheetsDialog *>());
    }

    void windowDropsOrReplacesItsPlan_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("another drawing") << "drawing";
        QTest::newRow("plan without cutting sheets") << "whole";
        QTest::newRow("plan with one cutting sheet") << "one";
    }

    void windowDropsOrReplacesItsPlan()
    {
        QFETCH(QString, change);
        const auto window = makeWindow(QStringLiteral("en"));
        window->showDrawing(room, testing::examplePath(QStringLiteral("room-curved-wall.dxf")));
        window->applyPlan(computeCuttingPlan(room, 1.0, 1.0, 0.0, false, false));
        const int sheets = int(window->currentPlan()->sheets.size());
        QVERIFY2(sheets >= 3, "the viewer needs several cutting sheets to step through");
        window->findChild<QPushButton *>(QStringLiteral("viewSheets"))->click();
        QPointer<CuttingSheetsDialog> dialog = window->findChild<CuttingSheetsDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(!dialog->testAttribute(Qt::WA_ShowModal));
        const ViewerParts parts = partsOf(dialog);
        parts.next->click();
        QCOMPARE(parts.counter->text(), QStringLiteral("2/%1").arg(sheets));

        if (change == QLatin1String("drawing")) {
            window->showDrawing(room, QStringLiteral("/elsewhere/other.dxf"));
            QVERIFY(!window->currentPlan());
        } else if (change == QLatin1String("whole")) {
            window->applyPlan(computeCuttingPlan(rectangleShape(0, 0, 4.0, 2.4), 2.0, 1.2, 0.0, false, false));
        } else {
            window->applyPlan(computeCuttingPlan(rectangleShape(0, 0, 3.0, 1.2), 2.0, 1.2, 0.0, false, false));
            QCOMPARE(window->currentPlan()->sheets.size(), 1);
        }

        // The viewer goes on with the plan it was opened with: every step
        // reaches a sheet that exists, and chooser, counter, caption and view
        // describe the same plan.
        for (int step = 2; step <= sheets + 1; ++step) {
            parts.next->click();
            const int shown = std::min(step, sheets - 1);
            QCOMPARE(parts.view->sheetIndex, shown);
            QCOMPARE(parts.counter->text(), QStringLiteral("%1/%2").arg(shown + 1).arg(sheets));
            QCOMPARE(parts.chooser->count(), sheets);
            QCOMPARE(parts.view->plan->sheets.size(), sheets);
            QVERIFY(parts.caption->text().startsWith(
                QStringLiteral("P%1: ").arg(parts.view->plan->wholeSheetCount + 1 + shown)));
            QVERIFY(!dialog->grab().isNull());
        }
        QVERIFY(!parts.next->isEnabled());
        // Its caption tells the verdict the window kept with the plan.
        QVERIFY(parts.caption->text().endsWith(QStringLiteral("No overlaps and within bounds")));
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog.isNull());
    }

    void shrinksToTheScreen()
    {
        // The 1024 × 600 screen is smaller than the viewer.
        const auto window = makeWindow(QStringLiteral("es"));
        window->applyPlan(computeCuttingPlan(room, 2.0, 1.2, 0.0, false, false));
        window->showCuttingSheets();
        auto *dialog = window->findChild<CuttingSheetsDialog *>();
        QVERIFY(dialog);
        const QSize available = dialog->screen()->availableGeometry().size();
        QVERIFY(available.width() < CuttingSheetsDialog::preferredWidth);
        QVERIFY2(dialog->width() <= available.width() && dialog->height() <= available.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(dialog->width()).arg(dialog->height())));
    }

    void sizeWithinArea_data()
    {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("viewer on 1366 x 768 with a task bar")
            << QSize(1050, 750) << QSize(1366, 728) << QMargins(1, 30, 1, 1) << QSize(1050, 697);
        QTest::newRow("guide fits") << QSize(780, 650) << QSize(1366, 728) << QMargins(1, 30, 1, 1)
                                    << QSize(780, 650);
        QTest::newRow("both sides cut") << QSize(1050, 750) << QSize(800, 600) << QMargins() << QSize(800, 600);
    }

    void sizeWithinArea()
    {
        QFETCH(QSize, wanted);
        QFETCH(QSize, available);
        QFETCH(QMargins, frame);
        QFETCH(QSize, expected);
        QCOMPARE(tallero::sizeWithinArea(wanted, available, frame), expected);
    }
};

// A netbook screen, lower than both the viewer and the guide.
TALLERO_TEST_MAIN_ON_SCREEN(UiSheetsViewerTest, 1024, 600)
#include "tst_ui_sheetsviewer.moc"
