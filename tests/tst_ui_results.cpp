// The results panel: what applyPlan keeps with the plan, the summary text in
// the three languages, and the dimension legend.

#include "engineshapes.h"
#include "uitestsupport.h"

#include "engine/cuttingplanner.h"
#include "engine/plancheck.h"

#include <QScrollBar>

using namespace tallero;

namespace {

GridCell wholeCell(double x, double y, double w, double h)
{
    GridCell cell;
    cell.shape = rectangleShape(x, y, w, h);
    cell.whole = true;
    return cell;
}

GridCell cutCell(int pieceIndex, double w, double h)
{
    GridCell cell;
    cell.pieceIndex = pieceIndex;
    cell.shape = rectangleShape(0, 0, w, h);
    return cell;
}

// Whole sheets of 2.0 x 1.2 m over a 4.0 x 2.4 m outline: an exact fit.
CuttingPlan wholeSheetsPlan(double cellWidth = 2.0)
{
    CuttingPlan plan;
    plan.sheetWidth = 2.0;
    plan.sheetHeight = 1.2;
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 2; ++row)
            plan.cells.append(wholeCell(column * 2.0, row * 1.2, cellWidth, 1.2));
    }
    plan.wholeSheetCount = 4;
    return plan;
}

// A plan with one cutting sheet holding the given pieces, as placed.
CuttingPlan planWithPlacements(const QList<QRectF> &placed)
{
    CuttingPlan plan;
    plan.sheetWidth = 2.0;
    plan.sheetHeight = 1.2;
    CuttingSheet sheet;
    for (int i = 0; i < placed.size(); ++i) {
        const QRectF &r = placed[i];
        plan.cells.append(cutCell(i, r.width(), r.height()));
        PiecePlacement placement;
        placement.pieceIndex = i;
        placement.shape = rectangleShape(r.x(), r.y(), r.width(), r.height());
        sheet.placements.append(placement);
        sheet.usedArea += placement.shape.area;
    }
    plan.sheets.append(sheet);
    return plan;
}

QStringList summaryLines(const RodalixV69 &window)
{
    return testing::shownText(&window, "report").split(QLatin1Char('\n'));
}

} // namespace

class UiResultsTest : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<RodalixV69> makeWindow(const QString &language, double drawingWidth = 4.0,
                                                  double drawingHeight = 2.4)
    {
        auto window = testing::makeWindowIn<RodalixV69>(language);
        window->showDrawing(testing::drawingOf(rectangleShape(0, 0, drawingWidth, drawingHeight)),
                            QStringLiteral("work.dxf"));
        return window;
    }

    static QComboBox *startCombo(RodalixV69 &window) { return testing::child<QComboBox>(&window, "start"); }
    static QRadioButton *verticalRadio(RodalixV69 &window) { return testing::child<QRadioButton>(&window, "vertical"); }
    static QTableWidget *legend(RodalixV69 &window) { return testing::child<QTableWidget>(&window, "legend"); }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        setMessageBoxHook([](const MessageBoxRequest &request) {
            qWarning("unexpected message box: %s", qPrintable(request.text));
            return QMessageBox::Ok;
        });
    }

    void summaryLinesByLanguage_data()
    {
        QTest::addColumn<QString>("language");
        // 0 whole sheets, 1 empty, 2 vertical with a corner chosen, 3 whole
        // sheets whose cells are a hair larger than the sheet
        QTest::addColumn<int>("plan");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("es whole: bounding box") << "es" << 0 << 1 << "• Caja delimitadora: 4.000 x 2.400 m";
        QTest::newRow("es whole: area") << "es" << 0 << 2 << "• Superficie real del contorno: 9.600 m²";
        QTest::newRow("es whole: purchase") << "es" << 0 << 12 << "• TOTAL COMPRA REAL: 4 planchas";
        QTest::newRow("es empty: efficiency") << "es" << 1 << 13 << "• Aprovechamiento total: 0.0%";
        QTest::newRow("en empty: waste") << "en" << 1 << 14 << "• Overall waste: 100.0% (0.000 m²)";
        QTest::newRow("en vertical: orientation") << "en" << 2 << 5 << "• Orientation: VERTICAL (90°)";
        QTest::newRow("en vertical: size") << "en" << 2 << 6 << "• Size: 2.400 x 1.200 m";
        QTest::newRow("es corner") << "es" << 2 << 7 << "• Inicio de colocación: Inferior derecha (seleccionado)";
        // Covered area above the purchased one by rounding must not print "-0.0".
        QTest::newRow("en rounding: efficiency") << "en" << 3 << 13 << "• Overall efficiency: 100.0%";
        QTest::newRow("en rounding: waste") << "en" << 3 << 14 << "• Overall waste: 0.0% (0.000 m²)";
    }

    void summaryLinesByLanguage()
    {
        QFETCH(QString, language);
        QFETCH(int, plan);
        QFETCH(int, line);
        QFETCH(QString, expected);
        const auto window = makeWindow(language);
        CuttingPlan computed;
        if (plan == 0 || plan == 3)
            computed = wholeSheetsPlan(plan == 0 ? 2.0 : 2.0000001);
        if (plan == 2) {
            // Fields of 1.2 x 2.4 turned 90°: the engine works with 2.4 x 1.2.
            verticalRadio(*window)->setChecked(true);
            startCombo(*window)->setCurrentIndex(4);
            computed.sheetWidth = 2.4;
            computed.sheetHeight = 1.2;
        }
        window->applyPlan(computed);
        const QStringList lines = summaryLines(*window);
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines.at(line), expected);
    }

    void applyPlanRecordsTheChoicesItWasComputedWith_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<QString>("startLabel");
        QTest::newRow("horizontal automatic") << false << 0 << "Automatic";
        QTest::newRow("vertical top right") << true << 2 << "Top right";
        QTest::newRow("horizontal bottom left") << false << 3 << "Bottom left";
    }

    void applyPlanRecordsTheChoicesItWasComputedWith()
    {
        QFETCH(bool, vertical);
        QFETCH(int, startIndex);
        QFETCH(QString, startLabel);
        const auto window = makeWindow(QStringLiteral("en"));
        verticalRadio(*window)->setChecked(vertical);
        startCombo(*window)->setCurrentIndex(startIndex);
        window->applyPlan(wholeSheetsPlan());
        const QStringList summary = summaryLines(*window);
        // Later changes of the fields rewrite neither the adopted plan nor
        // its summary.
        verticalRadio(*window)->setChecked(!vertical);
        startCombo(*window)->setCurrentIndex(1);
        window->updateSummary();
        QCOMPARE(summaryLines(*window), summary);
        const CuttingPlan &plan = *window->currentPlan();
        QCOMPARE(plan.vertical, vertical);
        QCOMPARE(plan.startIndex, startIndex);
        QCOMPARE(plan.startLabel, startLabel);
        QVERIFY(window->layoutCanvas()->plan.has_value());
        QCOMPARE(window->layoutCanvas()->plan->startIndex, startIndex);
    }

    // applyPlan checks the plan it is given and keeps the verdict; every
    // fault the check finds is the engine's to test.
    void applyPlanKeepsTheNestingVerdict()
    {
        const auto window = makeWindow(QStringLiteral("es"));
        window->applyPlan(planWithPlacements({{0, 0, 1, 1}, {0.5, 0, 1, 1}}));
        QCOMPARE(window->currentPlan()->nestingVerdict, std::optional<NestingFault>(NestingFault::PiecesOverlap));
    }

    void computedPlanIsAdoptedWhole()
    {
        const auto window = makeWindow(QStringLiteral("es"), 6.6, 4.5);
        window->applyPlan(computeCuttingPlan(testing::roomWithCurvedWall(), 2.0, 1.2, 0.0, false, false));
        const CuttingPlan &plan = *window->currentPlan();
        QCOMPARE(int(*plan.nestingVerdict), int(NestingFault::None));
        for (const GridCell &cell : plan.cells)
            QVERIFY(!cell.code.isEmpty());
        QCOMPARE(plan.startLabel, QStringLiteral("Automático"));
        int legendCount = 0;
        for (int row = 0; row < legend(*window)->rowCount(); ++row)
            legendCount += legend(*window)->item(row, 2)->text().toInt();
        QCOMPARE(legendCount, plan.cells.size());
    }

    // The table shows the legend the report shares (whose order the
    // report's tests check), rebuilt without duplicates; its scroll bar is
    // styled with or without a plan.
    void legend_data()
    {
        QTest::addColumn<int>("plan");   // 0 none, 1 cut pieces only, 2 whole sheets and cut pieces
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no plan") << 0 << QStringList{};
        QTest::newRow("cut pieces only") << 1 << QStringList{"R1 1.000 x 1.000 m 1", "R2 0.500 x 1.000 m 1"};
        QTest::newRow("whole sheets first, equal sizes counted together")
            << 2 << QStringList{"E 2.000 x 1.200 m 4", "R1 0.600 x 1.250 m 2", "R2 1.100 x 0.500 m 1"};
    }

    void legend()
    {
        QFETCH(int, plan);
        QFETCH(QStringList, rows);
        const auto window = makeWindow(QStringLiteral("en"));
        if (plan == 1)
            window->applyPlan(planWithPlacements({{0, 0, 1, 1}, {1, 0, 0.5, 1}}));
        if (plan == 2) {
            CuttingPlan whole = wholeSheetsPlan();
            whole.cells << cutCell(0, 0.6, 1.25) << cutCell(1, 1.1, 0.5) << cutCell(2, 0.6, 1.25);
            window->applyPlan(whole);
        }
        window->refreshLegend();
        QTableWidget *table = legend(*window);
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row)
            shown << QStringList{table->item(row, 0)->text(), table->item(row, 1)->text(), table->item(row, 2)->text()}
                         .join(QLatin1Char(' '));
        QCOMPARE(shown, rows);
        QVERIFY(table->verticalScrollBar()->styleSheet().contains(QStringLiteral("width:7px")));
    }
};

QTEST_MAIN(UiResultsTest)
#include "tst_ui_results.moc"
