// The PDF report: file names, pages and footers, numbering and colours, the
// fitted lists of page 1 and of the sheet pages, labels, the summary and the
// validation line, and the writer's failures; read back with pdftotext as a
// user would read the printed report.

#include "engineshapes.h"
#include "testsupport.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "engine/plancheck.h"
#include "report/generalpage.h"
#include "report/pageframe.h"
#include "report/reportfilename.h"
#include "report/reportstyle.h"
#include "report/reportwriter.h"
#include "report/sheetpage.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tallero;

namespace {

// The A4 landscape page at 144 dots per inch, as the writer makes it.
const QRectF page(0, 0, 1684, 1191);

ReportInput planOf(const Drawing &drawing, const QString &fileName, const QString &language)
{
    ReportInput input;
    input.drawing = drawing;
    CuttingPlan plan = computeCuttingPlan(drawing, 2.0, 1.2, 0.0, false, false);
    assignPieceCodes(plan);
    plan.nestingVerdict = findNestingFault(plan);
    input.plan = std::move(plan);
    input.fileName = fileName;
    input.language = language;
    return input;
}

ReportInput planOf(const Shape &outline, const QString &fileName, const QString &language)
{
    Drawing drawing;
    static_cast<Shape &>(drawing) = outline;
    return planOf(drawing, fileName, language);
}

// `count` codes R1… (R100… from `firstNumber`) of growing sizes.
QList<LegendRow> legendOf(int count, int firstNumber = 1)
{
    QList<LegendRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("R%1").arg(firstNumber + i), 0.010 + 0.001 * i, 1.2, 12});
    return rows;
}

QList<SheetPieceEntry> piecesOf(int count, int firstNumber = 1)
{
    QList<SheetPieceEntry> pieces;
    for (int i = 0; i < count; ++i)
        pieces.append({QStringLiteral("R%1").arg(firstNumber + i), 0.850, 0.012 + 0.001 * i, 12});
    return pieces;
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every shown entry inside the area, above `limit`, none over another.
void verifyInside(const FittedList &list, const QRectF &panel, double limit)
{
    for (qsizetype i = 0; i < list.entries.size(); ++i) {
        const QRectF &box = list.entries[i].box;
        QVERIFY2(panel.contains(box), qPrintable(QStringLiteral("entry %1 leaves its panel").arg(i)));
        QVERIFY2(box.bottom() < limit, qPrintable(QStringLiteral("entry %1 reaches the line below").arg(i)));
        for (qsizetype j = 0; j < i; ++j)
            QVERIFY2(!box.intersects(list.entries[j].box),
                     qPrintable(QStringLiteral("entries %1 and %2 overlap").arg(j).arg(i)));
    }
    if (list.hiddenCount > 0) {
        QVERIFY(panel.contains(list.moreRect));
        QVERIFY(list.moreRect.bottom() < limit);
    }
}

} // namespace

class ReportPagesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        QVERIFY(dir.isValid());
    }

    void defaultFileNames_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("es, none") << "es" << "" << "informe_despiece.pdf";
        QTest::newRow("es, named") << "es" << "sala.dxf" << "informe_despiece_sala.pdf";
        QTest::newRow("en, two dots") << "en" << "floor plan.final.dxf" << "cutting_report_floor plan.final.pdf";
        QTest::newRow("de, named") << "de" << "Halle.DXF" << "zuschnittbericht_Halle.pdf";
        QTest::newRow("unknown code is Spanish") << "fr" << "" << "informe_despiece.pdf";
    }

    void defaultFileNames()
    {
        QFETCH(QString, language);
        QFETCH(QString, drawing);
        QFETCH(QString, expected);
        QCOMPARE(defaultReportFileName(language, drawing), expected);
    }

    void pdfSuffix_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("capitals kept") << "/x/Report.PDF" << "/x/Report.PDF";
        QTest::newRow("appended") << "/x/report" << "/x/report.pdf";
        QTest::newRow("other suffix") << "/x/report.pdf.old" << "/x/report.pdf.old.pdf";
    }

    void pdfSuffix()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        QCOMPARE(withPdfSuffix(chosen), expected);
    }

    void pagesAndFooters_data()
    {
        QTest::addColumn<QString>("example");   // empty: a 4.0 x 2.4 m room, whole sheets only
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no cutting sheet") << "" << "es" << 1 << QStringList{"Página 1 de 1"};
        QTest::newRow("three cutting sheets")
            << "room-curved-wall.dxf" << "en" << 4
            << QStringList{"Page 1 of 4", "Page 2 of 4", "Page 3 of 4", "Page 4 of 4", "PHYSICAL SHEET P11",
                           "PHYSICAL SHEET P13"};
        QTest::newRow("German") << "room-curved-wall.dxf" << "de" << 4
                                << QStringList{"Seite 1 von 4", "Seite 4 von 4", "PHYSISCHE PLATTE P12"};
    }

    void pagesAndFooters()
    {
        QFETCH(QString, example);
        QFETCH(QString, language);
        QFETCH(int, pages);
        QFETCH(QStringList, expected);
        Drawing drawing;
        if (example.isEmpty()) {
            static_cast<Shape &>(drawing) = testing::rectangleOutline(4.0, 2.4);
        } else {
            QString error;
            QVERIFY2(readDxfDrawing(testing::examplePath(example), drawing, error), qPrintable(error));
        }
        const ReportInput input = planOf(drawing, example, language);
        QCOMPARE(reportPageCount(*input.plan), pages);
        const QString path = dir.filePath(QStringLiteral("pages-%1.pdf").arg(QTest::currentDataTag()));
        QVERIFY(writeReport(path, input));
        const QString text = pdfText(path);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(text.count(QLatin1Char('\f')), pages);
        for (const QString &line : expected)
            QVERIFY2(text.contains(line), qPrintable(line));
    }

    // A report read back: every title, summary row, legend entry and piece
    // list entry of a plan, in English, as pdftotext reads it.
    void readBack()
    {
        ReportInput input = planOf(testing::lFloorWithColumn(), QStringLiteral("l-floor.dxf"), QStringLiteral("en"));
        const QString path = dir.filePath(QStringLiteral("read-back.pdf"));
        QVERIFY(writeReport(path, input));
        const QString text = pdfText(path);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        const CuttingPlan &plan = *input.plan;
        // The summary's title wraps in its panel, as it always has.
        QStringList expected{"GENERAL CUTTING REPORT", "l-floor.dxf", "PURCHASE AND CUTTING", "SUMMARY",
                             "GENERAL LAYOUT VIEW", "DIMENSION LEGEND (codes used in the layout)",
                             "CUTTING LAYOUT", "MANUFACTURING DATA", "PIECE LIST",
                             "VALIDATION: OK · no overlaps and within"};
        for (const SummaryRow &row : summaryRows(input))
            expected << row.label << row.value;
        for (const ListEntryText &entry : legendEntries(dimensionLegend(plan)))
            expected << entry.code << entry.text;
        for (int i = 0; i < cuttingSheetCount(plan); ++i) {
            expected << QStringLiteral("PHYSICAL SHEET P%1").arg(cuttingSheetNumber(plan, i));
            for (const ListEntryText &entry : sheetPieceEntries(sheetPieceList(plan, i), input.language))
                expected << entry.text;
        }
        for (const QString &line : expected)
            QVERIFY2(text.contains(line), qPrintable(line));

        // The same plan judged faulty prints the warning instead.
        input.plan->nestingVerdict = NestingFault::PieceOutsideSheet;
        QVERIFY(writeReport(path, input));
        const QString faulty = pdfText(path);
        QVERIFY(faulty.contains(QStringLiteral("VALIDATION: WARNING")));
        QVERIFY(!faulty.contains(QStringLiteral("VALIDATION: OK")));
    }

    void metadata()
    {
        const ReportInput input = planOf(testing::roomWithCurvedWall(), QStringLiteral("sala.dxf"), QStringLiteral("es"));
        const QString path = dir.filePath(QStringLiteral("metadata.pdf"));
        QVERIFY(writeReport(path, input));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {path});
        if (!info.waitForFinished(60000) || info.exitCode() != 0)
            QSKIP("pdfinfo is not installed");
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Informe general de despiece · sala.dxf")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Tallero " TALLERO_VERSION)), qPrintable(text));
    }

    // Labels keep the size thresholds and must also fit as measured; cutting
    // sheets are numbered after the whole sheets.
    void cellLabels_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("whole");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<int>("sheetIndex");
        QTest::addColumn<int>("wholeSheets");
        QTest::addColumn<QString>("expected");
        const QFont font = reportFont(7, true);
        const double full = reportTextWidth(font, QStringLiteral("R12 / P171"));
        const double code = reportTextWidth(font, QStringLiteral("R12"));
        QTest::newRow("whole sheet") << "E" << true << QSizeF(22, 30) << 0 << 170 << "E";
        QTest::newRow("too narrow") << "E" << true << QSizeF(21.9, 30) << 0 << 170 << "";
        QTest::newRow("too low") << "E" << true << QSizeF(40, 13.9) << 0 << 170 << "";
        QTest::newRow("full label fits") << "R12" << false << QSizeF(full + 1, 30) << 0 << 170 << "R12 / P171";
        QTest::newRow("code alone") << "R12" << false << QSizeF(std::max(22.0, code + 1), 30) << 0 << 170 << "R12";
        QTest::newRow("nothing fits") << "R1000" << false << QSizeF(22, 30) << 0 << 170 << "";
        QTest::newRow("second cutting sheet after five whole") << "R3" << false << QSizeF(400, 40) << 1 << 5 << "R3 / P7";
        QTest::newRow("no whole sheets") << "R3" << false << QSizeF(400, 40) << 8 << 0 << "R3 / P9";
    }

    void cellLabels()
    {
        QFETCH(QString, code);
        QFETCH(bool, whole);
        QFETCH(QSizeF, size);
        QFETCH(int, sheetIndex);
        QFETCH(int, wholeSheets);
        GridCell cell;
        cell.code = code;
        cell.whole = whole;
        cell.sheetIndex = sheetIndex;
        QTEST(cellLabel(QRectF(QPointF(100, 100), size), cell, wholeSheets), "expected");
    }

    void pieceLabels_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<int>("expected");
        const QString sizeText = QStringLiteral("0.850 × 0.600 m");
        const double sizeWidth = reportTextWidth(reportFont(6), sizeText);
        QTest::newRow("29 wide") << QSizeF(29, 200) << int(PieceLabel::None);
        QTest::newRow("31 high") << QSizeF(200, 31) << int(PieceLabel::None);
        QTest::newRow("room for both") << QSizeF(sizeWidth + 1, 60) << int(PieceLabel::CodeAndSize);
        QTest::newRow("size too wide") << QSizeF(sizeWidth - 1, 60) << int(PieceLabel::Code);
        QTest::newRow("two lines too high") << QSizeF(200, 32) << int(PieceLabel::Code);
    }

    void pieceLabels()
    {
        QFETCH(QSizeF, size);
        QFETCH(int, expected);
        QCOMPARE(int(pieceLabel(QRectF(QPointF(10, 10), size), QStringLiteral("R12"),
                                QStringLiteral("0.850 × 0.600 m"))),
                 expected);
    }

    void legendColumns_data()
    {
        QTest::addColumn<int>("codes");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("6 codes") << 6 << 1 << 6;
        QTest::newRow("7 codes") << 7 << 2 << 4;
        QTest::newRow("17 codes") << 17 << 3 << 6;
        QTest::newRow("42 codes") << 42 << 3 << 14;
    }

    // Up to 42 codes the legend keeps its full size in up to three columns.
    void legendColumns()
    {
        QFETCH(int, codes);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const GeneralPageLayout layout = layoutGeneralPage(page, legendOf(codes));
        const FittedList &list = layout.legend;
        QCOMPARE(list.columns, columns);
        QCOMPARE(list.rows, rows);
        QCOMPARE(list.scale, 1.0);
        QCOMPARE(layout.columnRules.size(), qsizetype(columns - 1));
        QCOMPARE(list.entries.size(), qsizetype(codes));
    }

    void legendOrder()
    {
        CuttingPlan plan;
        plan.sheetWidth = 2.0;
        plan.sheetHeight = 1.2;
        for (const char *code : {"R10", "E", "R2", "R1"}) {
            GridCell cell;
            cell.code = QString::fromLatin1(code);
            cell.whole = cell.code == QLatin1String("E");
            plan.cells.append(cell);
        }
        QStringList codes;
        for (const ListEntryText &entry : legendEntries(dimensionLegend(plan)))
            codes << entry.code;
        QCOMPARE(codes, (QStringList{"E", "R1", "R2", "R10"}));
    }

    // Longer lists than the page was drawn for: every entry present and
    // inside its panel, above the footer (page 1) or the validation line
    // (sheet pages); "+N more" only once the type is at its smallest.
    void listsFitTheirPanels_data()
    {
        QTest::addColumn<int>("codes");
        QTest::addColumn<int>("firstNumber");
        QTest::addColumn<QString>("language");
        for (int codes : {18, 19, 42, 43, 60}) {
            QTest::addRow("%d codes", codes) << codes << 1 << "es";
            QTest::addRow("%d codes from R100, German", codes) << codes << 100 << "de";
        }
    }

    void listsFitTheirPanels()
    {
        QFETCH(int, codes);
        QFETCH(int, firstNumber);
        QFETCH(QString, language);

        const GeneralPageLayout general = layoutGeneralPage(page, legendOf(codes, firstNumber));
        verifyInside(general.legend, general.legendPanel, footerLineY(page));
        QCOMPARE(general.legend.entries.size(), qsizetype(codes));
        QCOMPARE(general.legend.hiddenCount, qsizetype(0));
        if (codes > 42)
            QVERIFY(general.legend.columns > 3);

        const QList<ListEntryText> entries = sheetPieceEntries(piecesOf(codes, firstNumber), language);
        const SheetPageLayout sheet = layoutSheetPage(page, entries);
        const FittedList &list = sheet.pieceList;
        verifyInside(list, sheet.dataPanel, sheet.closingRect.top());
        QCOMPARE(list.entries.size() + list.hiddenCount, qsizetype(codes));
        if (list.hiddenCount > 0)
            QCOMPARE(list.textFont.pointSizeF(), minimumListPoints);
        if (codes <= 18) {
            QCOMPARE(list.scale, 1.0);
            QCOMPARE(list.pitch, 28.0);
        }
        if (codes <= 19)
            QCOMPARE(list.hiddenCount, qsizetype(0));
        for (const ListEntryBox &entry : list.entries) {
            QVERIFY(list.textFont.pointSizeF() >= minimumListPoints);
            // The description starts after the code as measured.
            QVERIFY(entry.textRect.left()
                    > entry.codeBaseline.x() + reportTextWidth(list.codeFont, entries[entry.index].code));
            QVERIFY(reportTextWidth(list.textFont, entries[entry.index].text) <= entry.textRect.width());
        }
    }

    void pieceListEntries()
    {
        CuttingPlan plan;
        plan.pieceCodes = {QStringLiteral("R2"), QStringLiteral("R10"), QStringLiteral("R2")};
        CuttingSheet sheet;
        const auto place = [&sheet](int piece, double w, double h) {
            PiecePlacement placement;
            placement.pieceIndex = piece;
            placement.shape.bounds = QRectF(0, 0, w, h);
            sheet.placements.append(placement);
        };
        place(0, 0.85, 0.6);
        place(2, 0.85, 0.6);
        place(0, 0.6, 0.85);   // the same code turned a quarter
        place(1, 0.3, 0.2);
        plan.sheets.append(sheet);
        const QList<ListEntryText> entries = sheetPieceEntries(sheetPieceList(plan, 0), QStringLiteral("en"));
        QCOMPARE(entries.size(), qsizetype(3));
        QCOMPARE(entries[0].code, QStringLiteral("R10"));
        QCOMPARE(entries[1].text, QStringLiteral("1 unit · 0.600 × 0.850 m"));
        QCOMPARE(entries[2].text, QStringLiteral("2 unit · 0.850 × 0.600 m"));
    }

    // Values of page 1's summary: the plan's own orientation and start, not
    // the window's, and no division by zero for an empty purchase.
    void summaryValues_data()
    {
        QTest::addColumn<QString>("plan");   // "room": 4.0 x 2.4 m of whole sheets; else an empty plan
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<int>("startIndex");
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("value");
        QTest::newRow("de whole sheets") << "room" << false << 0 << "de" << 5 << "4 Stueck";
        QTest::newRow("de purchase") << "room" << false << 0 << "de" << 7 << "4 Platten";
        QTest::newRow("de efficiency") << "room" << false << 0 << "de" << 8 << "100.0%";
        QTest::newRow("empty efficiency") << "" << false << 0 << "es" << 8 << "0.0%";
        QTest::newRow("empty waste") << "" << false << 0 << "es" << 9 << "100.0% (0.000 m²)";
        QTest::newRow("es horizontal") << "" << false << 4 << "es" << 3 << "Horizontal (0°)";
        QTest::newRow("es start") << "" << false << 4 << "es" << 4 << "Inferior derecha";
        QTest::newRow("en vertical") << "" << true << 1 << "en" << 3 << "Vertical (90°)";
        QTest::newRow("de automatic") << "" << true << 0 << "de" << 4 << "Automatisch";
    }

    void summaryValues()
    {
        QFETCH(QString, plan);
        QFETCH(bool, vertical);
        QFETCH(int, startIndex);
        QFETCH(QString, language);
        QFETCH(int, row);
        QFETCH(QString, value);
        ReportInput input;
        if (plan.isEmpty())
            input.plan = CuttingPlan();
        else
            input = planOf(testing::rectangleOutline(4.0, 2.4), QString(), language);
        input.language = language;
        input.plan->vertical = vertical;
        input.plan->startIndex = startIndex;
        const QList<SummaryRow> rows = summaryRows(input);
        QCOMPARE(rows.size(), qsizetype(10));
        QCOMPARE(rows[row].value, value);
    }

    void validationLines_data()
    {
        QTest::addColumn<int>("verdict");   // -1: never checked
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("clean");
        QTest::addColumn<QString>("start");
        const auto row = [](const char *name, int verdict, const char *language, bool clean, const char *start) {
            QTest::newRow(name) << verdict << QString::fromLatin1(language) << clean << QString::fromUtf8(start);
        };
        row("clean, es", int(NestingFault::None), "es", true, "VALIDACIÓN: OK · sin solapes y dentro de los límites");
        row("clean, de", int(NestingFault::None), "de", true,
            "PRÜFUNG: OK · keine Überlappungen und innerhalb der Grenzen");
        row("outside, en", int(NestingFault::PieceOutsideSheet), "en", false, "VALIDATION: WARNING");
        row("overlap, es", int(NestingFault::PiecesOverlap), "es", false, "VALIDACIÓN: ATENCIÓN");
        row("overlap, de", int(NestingFault::PiecesOverlap), "de", false, "PRÜFUNG: WARNUNG");
        row("unchecked, en", -1, "en", false, "VALIDATION: NOT CHECKED");
    }

    void validationLines()
    {
        QFETCH(int, verdict);
        QFETCH(QString, language);
        QFETCH(bool, clean);
        QFETCH(QString, start);
        CuttingPlan plan;
        if (verdict >= 0)
            plan.nestingVerdict = NestingFault(verdict);
        const ValidationLine line = validationLine(plan, language);
        QCOMPARE(line.clean, clean);
        QVERIFY2(line.text.startsWith(start), qPrintable(line.text));
    }

    void longFileNameIsElided()
    {
        const QString name = QStringLiteral("obra_") + QString(300, QLatin1Char('x')) + QStringLiteral("_final.dxf");
        const QString shown = fittedSubtitle(page, name);
        QVERIFY(reportTextWidth(reportFont(9), shown) <= page.width() - 120);
        QVERIFY(shown.startsWith(QStringLiteral("obra_")));
        QVERIFY(shown.endsWith(QStringLiteral("_final.dxf")));
        QVERIFY(shown.contains(QStringLiteral("…")));
        QCOMPARE(fittedSubtitle(page, QStringLiteral("sala.dxf")), QStringLiteral("sala.dxf"));
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no plan") << "no plan";
        QTest::newRow("path inside a file") << "inside file";
        QTest::newRow("disk fills mid-write") << "file size limit";
        QTest::newRow("success replaces it") << "success";
    }

    // A failed write says so and leaves the previous report as it was; a
    // successful one replaces it.
    void writeFailures()
    {
        QFETCH(QString, kind);
        const QString previous = dir.filePath(QStringLiteral("previous-%1.pdf").arg(QTest::currentDataTag()));
        const QByteArray before = QByteArray("%PDF-1.4 an earlier report\n").repeated(400);
        testing::writeFile(previous, before);
        ReportInput input = planOf(testing::roomWithCurvedWall(), QStringLiteral("sala.dxf"), QStringLiteral("es"));
        bool written = true;
        if (kind == QLatin1String("no plan")) {
            input.plan.reset();
            written = writeReport(previous, input);
        } else if (kind == QLatin1String("inside file")) {
            written = writeReport(previous + QStringLiteral("/report.pdf"), input);
        } else if (kind == QLatin1String("file size limit")) {
            // The process may write no file larger than the earlier report,
            // as on a disk with that little room left.
            const testing::FileSizeLimit limit(rlim_t(before.size()));
            QVERIFY(limit.isActive());
            written = writeReport(previous, input);
        } else {
            QVERIFY(writeReport(previous, input));
            const QByteArray after = testing::readFile(previous);
            QVERIFY(after.startsWith("%PDF") && after != before);
            return;
        }
        QVERIFY(!written);
        QCOMPARE(testing::readFile(previous), before);
        // No half-written temporary file is left beside it either.
        const QStringList leftovers = QDir(dir.path()).entryList({QStringLiteral("previous-*")}, QDir::Files);
        for (const QString &name : leftovers)
            QVERIFY2(name.endsWith(QStringLiteral(".pdf")), qPrintable(name));
    }
};

QTEST_MAIN(ReportPagesTest)
#include "tst_report_pages.moc"
