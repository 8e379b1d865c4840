// Optimise and Recalculate as the window runs them: what reaches the engine,
// what comes back into the fields, the boxes, the work on a worker thread
// with its cancel, and the question about drawings too large for metres.

#include "uitestsupport.h"

#include "engine/cuttingplanner.h"
#include "engine/engineerrors.h"
#include "engine/layoutsearch.h"
#include "ui/computationprogress.h"

#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>

#include <cmath>
#include <functional>

using namespace tallero;
using testing::child;
using testing::drawingOf;
using testing::planSignature;
using testing::workSignature;

namespace {

// An L-shaped floor whose grid differs from every corner.
Drawing lFloor()
{
    const QPolygonF ring{{0, 0}, {5.3, 0}, {5.3, 2.1}, {2.2, 2.1}, {2.2, 3.7}, {0, 3.7}, {0, 0}};
    return drawingOf(shapeFromPolygon({ring}));
}

// A round hall of the given radius: hundreds of curved cut pieces to nest,
// which keeps the engine busy long enough to be cancelled in the middle.
Drawing roundHall(double radius = 30.0)
{
    QPolygonF ring;
    for (int n = 0; n < 720; ++n) {
        const double angle = 2.0 * M_PI * n / 720.0;
        ring.append(QPointF(radius * std::cos(angle), radius * std::sin(angle)));
    }
    ring.append(ring.first());
    return drawingOf(shapeFromPolygon({ring}));
}

} // namespace

class UiComputationTest : public QObject
{
    Q_OBJECT

private:
    testing::WindowHooks hooks;
    QList<MessageBoxRequest> &boxes = hooks.boxes;
    QTemporaryDir folder;

    static std::unique_ptr<RodalixV69> makeWindow(const QString &language = QStringLiteral("en"))
    {
        return testing::makeWindowIn<RodalixV69>(language);
    }

    // The round hall (in metres, or drawn in millimetres) under small sheets:
    // a long computation.
    std::unique_ptr<RodalixV69> hallWindow(double unit = 1.0)
    {
        auto window = makeWindow();
        window->showDrawing(roundHall(30.0 * unit), folder.filePath(QStringLiteral("hall.dxf")));
        testing::typeSheet(window.get(), QStringLiteral("0.5"), QStringLiteral("0.4"), QStringLiteral("0.002"));
        return window;
    }

    static void pressCancel(QProgressDialog *dialog)
    {
        auto *button = dialog->findChild<QPushButton *>();
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Runs `during` once the computation started by `command` has reported
    // progress, from inside the window's wait for it.
    static void whileComputing(RodalixV69 &window, const std::function<void(QProgressDialog *)> &during,
                               const std::function<void()> &command)
    {
        bool ran = false;
        auto *poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, &window, [&] {
            auto *dialog = window.findChild<QProgressDialog *>(QStringLiteral("computationProgress"));
            if (ran || !dialog || dialog->value() <= 0)
                return;
            ran = true;
            during(dialog);
        });
        poll->start(5);
        command();
        delete poll;
        QVERIFY2(ran, "the computation ended before it reported progress");
    }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        QVERIFY(folder.isValid());
        // The dialog at once, so that tests can press its Cancel.
        ComputationProgress::setShowDelayMs(0);
        hooks.install();
    }

    void init() { hooks.clear(); }

    void cleanupTestCase() { setMessageBoxHook({}); }

    void recalculateCornerAndOrientation_data()
    {
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<bool>("vertical");
        // What the engine must be given.
        QTest::addColumn<double>("engineWidth");
        QTest::addColumn<double>("engineHeight");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("top");

        QTest::newRow("automatic computes from bottom-left") << 0 << false << 1.0 << 2.0 << false << false;
        QTest::newRow("top left") << 1 << false << 1.0 << 2.0 << false << true;
        QTest::newRow("top right") << 2 << false << 1.0 << 2.0 << true << true;
        QTest::newRow("bottom right") << 4 << false << 1.0 << 2.0 << true << false;
        QTest::newRow("vertical swaps width and height") << 0 << true << 2.0 << 1.0 << false << false;
    }

    void recalculateCornerAndOrientation()
    {
        QFETCH(int, startIndex);
        QFETCH(bool, vertical);
        QFETCH(double, engineWidth);
        QFETCH(double, engineHeight);
        QFETCH(bool, right);
        QFETCH(bool, top);

        const auto window = makeWindow();
        const Drawing floor = lFloor();
        window->showDrawing(floor, folder.filePath(QStringLiteral("floor.dxf")));
        testing::typeSheet(window.get(), QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("0.01"));
        child<QComboBox>(window.get(), "start")->setCurrentIndex(startIndex);
        child<QRadioButton>(window.get(), vertical ? "vertical" : "horizontal")->setChecked(true);

        QCOMPARE(window->recalculate(), ComputationOutcome::Applied);
        QVERIFY(boxes.isEmpty());
        QVERIFY(window->currentPlan().has_value());
        CuttingPlan expected = computeCuttingPlan(floor, engineWidth, engineHeight, 0.01, right, top);
        QCOMPARE(planSignature(*window->currentPlan()), planSignature(expected));
        // The fields are left as typed: the swap is only what the engine gets.
        QCOMPARE(child<QLineEdit>(window.get(), "sheetWidth")->text(), QStringLiteral("1.0"));
        QCOMPARE(window->currentPlan()->vertical, vertical);
        QCOMPARE(window->currentPlan()->startIndex, startIndex);
        QVERIFY(!window->isModified());
    }

    // Optimise adopts the plan of the blocking search although it works on
    // another thread, shows it on the canvas, and writes the winning layout
    // back into the choices (what was chosen before plays no part); the
    // fields keep width and height as typed. Silent, it shows no box.
    void optimiseAdoptsTheSearchResult_data()
    {
        QTest::addColumn<Drawing>("drawing");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("clearance");
        QTest::addColumn<QString>("report");
        // Every layout gives one cut piece on one sheet: the first tried stays.
        QTest::newRow("all-equal tie gives horizontal bottom-left")
            << drawingOf(rectangleShape(0, 0, 0.5, 0.5)) << "2" << "1.2" << "0"
            << "Orientation: HORIZONTAL (0°)\nStart: Bottom left\nTotal purchase: 1 sheets.";
        // Two whole vertical sheets against cut pieces lying horizontal.
        QTest::newRow("a strip is laid vertical")
            << drawingOf(rectangleShape(0, 0, 1.2, 4.0)) << "2" << "1.2" << "0"
            << "Orientation: VERTICAL (90°)\nStart: Bottom left\nTotal purchase: 2 sheets.";
        // The search itself, on real drawings, is the engine's to check.
    }

    void optimiseAdoptsTheSearchResult()
    {
        QFETCH(Drawing, drawing);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, clearance);
        QFETCH(QString, report);
        const LayoutSearchResult blocking = searchBestLayout(drawing, width.toDouble(), height.toDouble(),
                                                             clearance.toDouble(), PlanControl{}, 1);
        QVERIFY(blocking.best.has_value());
        const LayoutChoice &winner = blocking.winner;
        const int winnerStart = winner.top ? (winner.right ? 2 : 1) : (winner.right ? 4 : 3);

        const auto window = makeWindow();
        window->showDrawing(drawing, folder.filePath(QStringLiteral("shape.dxf")));
        testing::typeSheet(window.get(), width, height, clearance);
        child<QRadioButton>(window.get(), winner.vertical ? "horizontal" : "vertical")->setChecked(true);
        child<QComboBox>(window.get(), "start")->setCurrentIndex(0);

        QCOMPARE(window->optimiseLayout(false), ComputationOutcome::Applied);
        QCOMPARE(planSignature(*window->currentPlan()), planSignature(*blocking.best));
        QVERIFY(window->layoutCanvas()->plan.has_value());
        QCOMPARE(planSignature(*window->layoutCanvas()->plan), planSignature(*blocking.best));
        QCOMPARE(child<QRadioButton>(window.get(), "vertical")->isChecked(), winner.vertical);
        QCOMPARE(child<QRadioButton>(window.get(), "horizontal")->isChecked(), !winner.vertical);
        QCOMPARE(child<QComboBox>(window.get(), "start")->currentIndex(), winnerStart);
        QCOMPARE(child<QLineEdit>(window.get(), "sheetWidth")->text(), width);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().title, QStringLiteral("Optimised layout"));
        QCOMPARE(boxes.first().text, report);

        boxes.clear();
        QCOMPARE(window->optimiseLayout(true), ComputationOutcome::Applied);
        QVERIFY(boxes.isEmpty());
        QCOMPARE(planSignature(*window->currentPlan()), planSignature(*blocking.best));
        QCOMPARE(window->currentPlan()->vertical, winner.vertical);
    }

    void everyLayoutFails_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("en") << "en" << "Optimise" << "horizontal · bottom · left" << "vertical · top · right";
        QTest::newRow("es") << "es" << "Optimizar" << "horizontal · inferior · izquierda"
                            << "vertical · superior · derecha";
    }

    void everyLayoutFails()
    {
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, firstLine);
        QFETCH(QString, lastLine);

        const auto window = makeWindow(language);
        window->showDrawing(drawingOf(rectangleShape(0, 0, 3, 3)), folder.filePath(QStringLiteral("square.dxf")));
        testing::typeSheet(window.get(), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("0"));
        QCOMPARE(window->recalculate(), ComputationOutcome::Applied);
        boxes.clear();
        const QString before = workSignature(*window);

        // A sheet of a millimetre lays a grid too large in every layout.
        testing::typeSheet(window.get(), QStringLiteral("0.001"), QStringLiteral("0.001"), QStringLiteral("0"));
        const QString typed = workSignature(*window);
        // Silent or not, this box is shown.
        QCOMPARE(window->optimiseLayout(true), ComputationOutcome::Failed);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().icon, QMessageBox::Critical);
        QCOMPARE(boxes.first().title, title);
        const QStringList lines = boxes.first().text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3 + 8);
        const QString message = translateEngineMessage(QString::fromUtf8(engineerrors::gridTooLarge));
        QCOMPARE(lines.at(3), firstLine + QStringLiteral(": ") + message);
        QCOMPARE(lines.at(10), lastLine + QStringLiteral(": ") + message);
        QVERIFY(lines.at(6).startsWith(QStringLiteral("horizontal · ")));
        QVERIFY(lines.at(7).startsWith(QStringLiteral("vertical · ")));
        // The earlier plan and choices stay.
        QCOMPARE(workSignature(*window), typed);
        QVERIFY(typed != before);
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("optimise");
        QTest::addColumn<bool>("withDrawing");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("clearance");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        const QString invalid = QStringLiteral("Invalid values");
        const QString check = QStringLiteral("Check the sheet dimensions and clearance.");
        const QString first = QStringLiteral("Load a DXF drawing first.");
        QTest::newRow("optimise without a drawing") << true << false << "2" << "0" << "Optimise" << first;
        QTest::newRow("recalculate without a drawing") << false << false << "2" << "0" << "Recalculate" << first;
        QTest::newRow("optimise, width not a number") << true << true << "abc" << "0" << invalid << check;
        QTest::newRow("recalculate, width inf") << false << true << "inf" << "0" << invalid << check;
    }

    void refusals()
    {
        QFETCH(bool, optimise);
        QFETCH(bool, withDrawing);
        QFETCH(QString, width);
        QFETCH(QString, clearance);
        QFETCH(QString, title);
        QFETCH(QString, text);

        const auto window = makeWindow();
        if (withDrawing)
            window->showDrawing(lFloor(), folder.filePath(QStringLiteral("floor.dxf")));
        testing::typeSheet(window.get(), width, QStringLiteral("1"), clearance);
        const QString before = workSignature(*window);
        const ComputationOutcome outcome = optimise ? window->optimiseLayout(false) : window->recalculate();
        QCOMPARE(outcome, ComputationOutcome::Refused);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().title, title);
        QCOMPARE(boxes.first().text, text);
        QCOMPARE(workSignature(*window), before);
    }

    void cancelRestoresEverything_data()
    {
        QTest::addColumn<bool>("optimise");
        QTest::newRow("optimise") << true;
        QTest::newRow("recalculate") << false;
    }

    void cancelRestoresEverything()
    {
        QFETCH(bool, optimise);

        const auto window = hallWindow();
        // A quick plan first, so there is a plan, a summary and a legend to keep.
        testing::typeSheet(window.get(), QStringLiteral("8"), QStringLiteral("6"), QStringLiteral("0"));
        child<QComboBox>(window.get(), "start")->setCurrentIndex(2);
        QCOMPARE(window->recalculate(), ComputationOutcome::Applied);
        window->setModified(true);
        window->layoutCanvas()->zoomIn();
        testing::typeSheet(window.get(), QStringLiteral("0.5"), QStringLiteral("0.4"), QStringLiteral("0.002"));
        const QString before = workSignature(*window, false);
        QVERIFY(window->currentPlan().has_value());

        ComputationOutcome outcome = ComputationOutcome::Applied;
        whileComputing(
            *window,
            [&](QProgressDialog *dialog) {
                QVERIFY(window->isComputing());
                // It names what is being computed.
                QCOMPARE(dialog->windowTitle(), optimise ? QStringLiteral("Optimise") : QStringLiteral("Recalculate"));
                if (optimise)
                    QVERIFY2(dialog->labelText().contains(QRegularExpression(
                                 "^Computing layout: (horizontal|vertical) · (bottom|top) · (left|right)$")),
                             qPrintable(dialog->labelText()));
                else
                    QCOMPARE(dialog->labelText(), QStringLiteral("Computing the cutting plan…"));
                // Looking around while it works is the user's, and stays.
                window->layoutCanvas()->zoomIn();
                pressCancel(dialog);
                QVERIFY(!dialog->isVisible());
            },
            [&] { outcome = optimise ? window->optimiseLayout(false) : window->recalculate(); });
        QCOMPARE(outcome, ComputationOutcome::Cancelled);
        QVERIFY(!window->isComputing());
        QCOMPARE(workSignature(*window, false), before);
        QCOMPARE(window->layoutCanvas()->zoom, 1.2 * 1.2);
        QVERIFY(boxes.isEmpty());
        QVERIFY(!window->findChild<QProgressDialog *>(QStringLiteral("computationProgress")));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void commandsRestDuringWork()
    {
        const auto window = hallWindow();
        // The commands that rest while a computation runs, all on or all off.
        const auto commandsEnabled = [&](bool enabled) {
            for (const char *name : {"optimize", "recalculate", "sheetWidth", "sheetHeight", "clearance", "start",
                                     "orientation"})
                QVERIFY2(child<QWidget>(window.get(), name)->isEnabled() == enabled, name);
            for (const char *name : {"optimiseAction", "recalculateAction", "horizontalAction", "verticalAction"})
                QVERIFY2(child<QAction>(window.get(), name)->isEnabled() == enabled, name);
        };
        commandsEnabled(true);
        const bool openProjectBefore = child<QAction>(window.get(), "openProject")->isEnabled();

        ComputationOutcome second = ComputationOutcome::Applied;
        whileComputing(
            *window,
            [&](QProgressDialog *dialog) {
                commandsEnabled(false);
                QVERIFY(QApplication::overrideCursor());
                QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
                // The view still answers.
                QVERIFY(child<QPushButton>(window.get(), "zoomIn")->isEnabled());
                // A second computation is not started under the first.
                second = window->recalculate();
                pressCancel(dialog);
            },
            [&] { QCOMPARE(window->optimiseLayout(false), ComputationOutcome::Cancelled); });
        QCOMPARE(second, ComputationOutcome::Refused);
        commandsEnabled(true);
        // Entries that were disabled before stay so.
        QCOMPARE(child<QAction>(window.get(), "openProject")->isEnabled(), openProjectBefore);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void closingDuringWorkStopsIt()
    {
        auto window = hallWindow();
        window->show();
        ComputationOutcome outcome = ComputationOutcome::Applied;
        whileComputing(
            *window, [&](QProgressDialog *) { window->close(); },
            [&] { outcome = window->optimiseLayout(false); });
        QCOMPARE(outcome, ComputationOutcome::Cancelled);
        QVERIFY(!window->isComputing());
        QVERIFY(!window->currentPlan().has_value());
        window.reset();
    }

    void drawingTooLargeForMetres_data()
    {
        QTest::addColumn<QString>("header");        // $INSUNITS value, empty: none
        QTest::addColumn<bool>("optimise");
        QTest::addColumn<int>("answer");            // QMessageBox::Yes scale, No keep, Cancel
        QTest::addColumn<double>("width");          // of the drawing afterwards, metres
        QTest::addColumn<QString>("unitWord");      // the unit the warning names

        const int scale = QMessageBox::Yes;
        const int keep = QMessageBox::No;
        const int cancel = QMessageBox::Cancel;
        QTest::newRow("scale, no header: millimetres") << "" << true << scale << 12.0 << "millimetres";
        QTest::newRow("scale, header centimetres") << "5" << true << scale << 120.0 << "centimetres";
        QTest::newRow("scale, header inches") << "1" << true << scale << 12000 * 0.0254 << "inches";
        // A header claiming metres does not make a 12 km room plausible.
        QTest::newRow("scale, header metres") << "6" << true << scale << 12.0 << "millimetres";
        QTest::newRow("scale before recalculating") << "" << false << scale << 12.0 << "millimetres";
        QTest::newRow("keep as drawn") << "4" << true << keep << 12000.0 << "millimetres";
        QTest::newRow("cancel") << "4" << true << cancel << 12000.0 << "millimetres";
    }

    void drawingTooLargeForMetres()
    {
        QFETCH(QString, header);
        QFETCH(bool, optimise);
        QFETCH(int, answer);
        QFETCH(double, width);
        QFETCH(QString, unitWord);

        // A 12 x 8 m room with a column, drawn in millimetres.
        const QPolygonF outer{{0, 0}, {12000, 0}, {12000, 8000}, {0, 8000}, {0, 0}};
        const QPolygonF column{{5000, 3000}, {5400, 3000}, {5400, 3400}, {5000, 3400}, {5000, 3000}};
        const Drawing drawn = drawingOf(shapeFromPolygon({outer, column}));
        QByteArray file = "0\nSECTION\n2\nHEADER\n";
        if (!header.isEmpty())
            file += "9\n$INSUNITS\n70\n" + header.toLatin1() + "\n";
        file += "0\nENDSEC\n0\nEOF\n";
        const QString path = testing::writeFile(folder.filePath(QStringLiteral("room-mm.dxf")), file);

        const auto window = makeWindow();
        window->showDrawing(drawn, path);
        // Sheets that make a plan of the room in either unit.
        testing::typeSheet(window.get(), QStringLiteral("400"), QStringLiteral("300"), QStringLiteral("0"));
        const QString before = workSignature(*window);
        hooks.answer = [answer](const MessageBoxRequest &request) {
            return request.icon == QMessageBox::Warning ? QMessageBox::StandardButton(answer) : QMessageBox::Ok;
        };

        const ComputationOutcome outcome = optimise ? window->optimiseLayout(true) : window->recalculate();
        QVERIFY(!boxes.isEmpty());
        const MessageBoxRequest &warning = boxes.first();
        QCOMPARE(warning.title, QStringLiteral("Drawing too large"));
        QVERIFY2(warning.text.contains(QStringLiteral("12000.000 m x 8000.000 m")), qPrintable(warning.text));
        QVERIFY2(warning.text.contains(QStringLiteral("Tallero works in metres")), qPrintable(warning.text));
        QVERIFY2(warning.text.contains(unitWord), qPrintable(warning.text));
        QCOMPARE(warning.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QStringList buttonTexts;
        for (const auto &[button, text] : warning.buttonTexts)
            buttonTexts << text;
        QCOMPARE(buttonTexts, (QStringList{"Scale to metres", "Keep as drawn", "Cancel"}));

        if (answer == QMessageBox::Cancel) {
            QCOMPARE(outcome, ComputationOutcome::Cancelled);
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(workSignature(*window), before);
            return;
        }
        QCOMPARE(outcome, ComputationOutcome::Applied);
        const Drawing &shown = window->layoutCanvas()->drawing;
        QVERIFY(std::abs(shown.bounds.width() - width) < 1e-6);
        const double factor = width / 12000.0;
        QVERIFY(std::abs(window->drawingScale() - factor) < 1e-12);
        QVERIFY(std::abs(shown.area - drawn.area * factor * factor) < 1e-6 * drawn.area * factor * factor);
        QCOMPARE(child<QLabel>(window.get(), "piece")->text(),
                 QStringLiteral("Drawing: %1 m x %2 m").arg(width, 0, 'f', 3).arg(width * 8.0 / 12.0, 0, 'f', 3));
        // The plan is the plan of the drawing as shown.
        const CuttingPlan expected = optimise
            ? *searchBestLayout(shown, 400, 300, 0, PlanControl{}, 1).best
            : computeCuttingPlan(shown, 400, 300, 0, false, false);
        QCOMPARE(planSignature(*window->currentPlan()), planSignature(expected));

        // Answered once for this drawing: not asked again.
        boxes.clear();
        QCOMPARE(window->recalculate(), ComputationOutcome::Applied);
        QVERIFY(boxes.isEmpty());
        // A drawing shown anew is asked about again.
        window->showDrawing(drawn, path);
        QCOMPARE(window->drawingScale(), 1.0);
        hooks.answer = [](const MessageBoxRequest &) { return QMessageBox::Cancel; };
        QCOMPARE(window->recalculate(), ComputationOutcome::Cancelled);
        QCOMPARE(boxes.size(), 1);
    }

    void scaledThenCancelledGoesBack()
    {
        // The round hall in millimetres: long to plan once scaled.
        const auto window = hallWindow(1000.0);
        const QString before = workSignature(*window);
        hooks.answer = [](const MessageBoxRequest &) { return QMessageBox::Yes; };
        ComputationOutcome outcome = ComputationOutcome::Applied;
        whileComputing(
            *window,
            [&](QProgressDialog *dialog) {
                // Shown at its scaled size while it is planned.
                QVERIFY(window->layoutCanvas()->drawing.bounds.width() < 61);
                pressCancel(dialog);
            },
            [&] { outcome = window->optimiseLayout(false); });
        QCOMPARE(outcome, ComputationOutcome::Cancelled);
        QCOMPARE(workSignature(*window), before);
        QCOMPARE(window->drawingScale(), 1.0);
    }
};

QTEST_MAIN(UiComputationTest)
#include "tst_ui_computation.moc"
