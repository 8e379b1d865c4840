// The plan as other programs receive it: the JSON document, the cut list
// and the cutting sheets' DXF files, each checked against the plan it came
// from, and read back by our own DXF import.

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "exports/cutlistcsv.h"
#include "exports/exportfiles.h"
#include "exports/numbertext.h"
#include "exports/planjson.h"
#include "exports/sheetdxf.h"
#include "geometry/ring.h"
#include "testsupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>

using namespace tallero;

namespace {

// A finished plan of one of the examples, as the window adopts it.
PlanDocument examplePlan(const QString &name, double width, double height, double gap, bool right, bool top)
{
    PlanDocument document;
    QString error;
    if (name == QLatin1String("column inside a sheet")) {
        // A 3 x 2.4 m room with a 0.2 m column well inside the first sheet:
        // that sheet becomes a cut piece with a hole.
        const QPolygonF room({QPointF(0, 0), QPointF(3, 0), QPointF(3, 2.4), QPointF(0, 2.4), QPointF(0, 0)});
        const QPolygonF column({QPointF(0.8, 0.5), QPointF(1.0, 0.5), QPointF(1.0, 0.7), QPointF(0.8, 0.7),
                                QPointF(0.8, 0.5)});
        static_cast<Shape &>(document.drawing) = shapeFromPolygon(Polygon{room, column});
    } else if (!readDxfDrawing(testing::examplePath(name), document.drawing, error)) {
        qFatal("%s", qPrintable(error));
    }
    document.plan = computeCuttingPlan(document.drawing, width, height, gap, right, top);
    assignPieceCodes(document.plan);
    document.plan.startIndex = top ? (right ? 2 : 1) : (right ? 4 : 3);
    document.fileName = name;
    return document;
}

void addExampleRows()
{
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("gap");
    QTest::addColumn<bool>("right");
    QTest::addColumn<bool>("top");
    QTest::newRow("curved wall, bottom left") << "room-curved-wall.dxf" << 2.0 << 1.2 << 0.0 << false << false;
    QTest::newRow("curved wall, top right, clearance") << "room-curved-wall.dxf" << 1.22 << 2.44 << 0.003 << true << true;
    QTest::newRow("floor with a column hole") << "l-floor-column.dxf" << 2.0 << 1.2 << 0.0 << false << true;
    QTest::newRow("deck bay") << "deck-bay.dxf" << 1.2 << 2.0 << 0.0 << true << false;
    QTest::newRow("piece with a hole") << "column inside a sheet" << 2.0 << 1.2 << 0.0 << false << false;
}

PlanDocument planOfRow()
{
    QFETCH(QString, drawing);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(double, gap);
    QFETCH(bool, right);
    QFETCH(bool, top);
    return examplePlan(drawing, width, height, gap, right, top);
}

QPolygonF ringOf(const QJsonArray &points)
{
    QPolygonF ring;
    for (const QJsonValue &point : points)
        ring.append(QPointF(point.toArray().at(0).toDouble(), point.toArray().at(1).toDouble()));
    return ring;
}

QPolygonF openRing(QPolygonF ring)
{
    if (ring.size() > 1 && ring.first() == ring.last())
        ring.removeLast();
    return ring;
}

// The (group code, value) pairs of a DXF text.
QList<std::pair<int, QString>> groupPairs(const QByteArray &dxf)
{
    const QStringList lines = QString::fromUtf8(dxf).split(QStringLiteral("\r\n"));
    QList<std::pair<int, QString>> pairs;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        pairs.append({lines[i].trimmed().toInt(), lines[i + 1]});
    return pairs;
}

struct DxfEntity
{
    QString type;
    QString layer;
    QString text;
    QPointF at;
};

QList<DxfEntity> entitiesOf(const QByteArray &dxf)
{
    QList<DxfEntity> entities;
    bool inEntities = false;
    for (const auto &[code, value] : groupPairs(dxf)) {
        if (code == 2 && value == QLatin1String("ENTITIES"))
            inEntities = true;
        if (!inEntities)
            continue;
        if (code == 0) {
            entities.append(DxfEntity{value, {}, {}, {}});
        } else if (!entities.isEmpty()) {
            if (code == 8)
                entities.last().layer = value;
            else if (code == 1)
                entities.last().text = value;
            else if (code == 10)
                entities.last().at.setX(value.toDouble());
            else if (code == 20)
                entities.last().at.setY(value.toDouble());
        }
    }
    return entities;
}

} // namespace

class ExportsPlanTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void numbersReadBackExactly_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("a tenth") << 0.1;
        QTest::newRow("two thirds") << 2.0 / 3.0;
        QTest::newRow("tiny") << 1.2345e-9;
        QTest::newRow("large") << 123456789.125;
        QTest::newRow("negative") << -0.30000000000000004;
        QTest::newRow("negative zero") << -0.0;
    }
    void numbersReadBackExactly()
    {
        QFETCH(double, value);
        const QByteArray text = exactNumberText(value);
        QVERIFY2(!text.contains('e') && !text.contains('E') && !text.contains(','), text.constData());
        QCOMPARE(std::strtod(text.constData(), nullptr), value);
        if (value == 0.0)
            QCOMPARE(text, QByteArray("0"));
    }

    void jsonReadsBackAsThePlan_data() { addExampleRows(); }
    void jsonReadsBackAsThePlan()
    {
        const PlanDocument document = planOfRow();
        const CuttingPlan &plan = document.plan;
        const QByteArray bytes = planJson(document);
        QCOMPARE(planJson(document), bytes);

        QJsonParseError parseError;
        const QJsonObject root = QJsonDocument::fromJson(bytes, &parseError).object();
        QCOMPARE(parseError.error, QJsonParseError::NoError);
        QCOMPARE(root.value("schema").toInt(), planJsonSchema);

        const QJsonObject drawing = root.value("drawing").toObject();
        QCOMPARE(drawing.value("area").toDouble(), document.drawing.area);
        QCOMPARE(drawing.value("bounds").toObject().value("maxX").toDouble(), document.drawing.bounds.right());
        QCOMPARE(drawing.value("polygons").toArray().size(), document.drawing.polygons.size());
        const QJsonArray firstHoles = drawing.value("polygons").toArray().at(0).toObject().value("holes").toArray();
        QCOMPARE(firstHoles.size(), document.drawing.polygons.first().size() - 1);

        const QJsonObject settings = root.value("settings").toObject();
        QCOMPARE(settings.value("sheetWidth").toDouble(), plan.sheetWidth);
        QCOMPARE(settings.value("sheetHeight").toDouble(), plan.sheetHeight);
        QCOMPARE(settings.value("clearance").toDouble(), plan.gap);
        QCOMPARE(settings.value("startCorner").toString(), startCornerKey(plan.startIndex));

        const QJsonObject totals = root.value("totals").toObject();
        QCOMPARE(totals.value("wholeSheets").toInt(), plan.wholeSheetCount);
        QCOMPARE(totals.value("cuttingSheets").toInt(), int(plan.sheets.size()));
        QCOMPARE(totals.value("purchase").toInt(), totalPurchase(plan));
        QCOMPARE(totals.value("coveredArea").toDouble(), coveredArea(plan));
        QCOMPARE(totals.value("purchasedArea").toDouble(), purchasedArea(plan));
        QCOMPARE(totals.value("efficiency").toDouble(), overallEfficiency(plan));
        QCOMPARE(totals.value("wasteArea").toDouble(), wasteArea(plan));

        const QJsonArray cells = root.value("cells").toArray();
        QCOMPARE(cells.size(), plan.cells.size());
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const QJsonObject cell = cells[i].toObject();
            const GridCell &expected = plan.cells[i];
            QCOMPARE(cell.value("column").toInt(), expected.column);
            QCOMPARE(cell.value("row").toInt(), expected.row);
            QCOMPARE(cell.value("whole").toBool(), expected.whole);
            QCOMPARE(cell.value("code").toString(), expected.code);
            QCOMPARE(cell.value("area").toDouble(), expected.shape.area);
            QCOMPARE(cell.value("bounds").toObject().value("minY").toDouble(), expected.shape.bounds.top());
            QCOMPARE(cell.value("sheet").toString(),
                     expected.whole ? QString() : QStringLiteral("P%1").arg(cuttingSheetNumber(plan, expected.sheetIndex)));
        }

        const QJsonArray sheets = root.value("cuttingSheets").toArray();
        QCOMPARE(sheets.size(), plan.sheets.size());
        for (qsizetype s = 0; s < sheets.size(); ++s) {
            const QJsonObject sheet = sheets[s].toObject();
            QCOMPARE(sheet.value("number").toString(), QStringLiteral("P%1").arg(cuttingSheetNumber(plan, int(s))));
            QCOMPARE(sheet.value("usedArea").toDouble(), plan.sheets[s].usedArea);
            QCOMPARE(sheet.value("nesting").toString(), QStringLiteral("ok"));
            const QJsonArray placements = sheet.value("placements").toArray();
            QCOMPARE(placements.size(), plan.sheets[s].placements.size());
            for (qsizetype p = 0; p < placements.size(); ++p) {
                const QJsonObject placement = placements[p].toObject();
                const PiecePlacement &expected = plan.sheets[s].placements[p];
                QCOMPARE(placement.value("code").toString(), plan.pieceCodes[expected.pieceIndex]);
                QCOMPARE(placement.value("x").toDouble(), expected.x);
                QCOMPARE(placement.value("y").toDouble(), expected.y);
                QCOMPARE(placement.value("angle").toDouble(), expected.angle);
                const QJsonArray polygons = placement.value("polygons").toArray();
                QCOMPARE(polygons.size(), expected.shape.polygons.size());
                for (qsizetype k = 0; k < polygons.size(); ++k) {
                    QCOMPARE(ringOf(polygons[k].toObject().value("outline").toArray()),
                             openRing(expected.shape.polygons[k].first()));
                    QCOMPARE(polygons[k].toObject().value("holes").toArray().size(),
                             expected.shape.polygons[k].size() - 1);
                }
            }
        }
    }

    void cutListAddsUpToThePlan_data() { addExampleRows(); }
    void cutListAddsUpToThePlan()
    {
        const PlanDocument document = planOfRow();
        const CuttingPlan &plan = document.plan;
        const QByteArray csv = cutListCsv(plan);
        QCOMPARE(cutListCsv(plan), csv);
        QStringList lines = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeFirst(), QStringLiteral("sheet,code,count,width,height,area"));
        QCOMPARE(lines.takeLast(), QString());

        int wholeCount = 0;
        int pieceCount = 0;
        QMap<QString, double> sheetArea;
        for (const QString &line : lines) {
            const QStringList fields = line.split(QLatin1Char(','));
            QCOMPARE(fields.size(), 6);
            bool ok = false;
            const int count = fields[2].toInt(&ok);
            QVERIFY(ok && count > 0);
            const double area = fields[5].toDouble(&ok);
            QVERIFY(ok);
            if (fields[1] == QLatin1String("E")) {
                QVERIFY(fields[0].isEmpty());
                QCOMPARE(fields[3].toDouble(), plan.sheetWidth);
                QCOMPARE(fields[4].toDouble(), plan.sheetHeight);
                wholeCount += count;
            } else {
                QVERIFY(fields[0].startsWith(QLatin1Char('P')));
                QVERIFY(fields[1].startsWith(QLatin1Char('R')));
                pieceCount += count;
                sheetArea[fields[0]] += area;
            }
        }
        QCOMPARE(wholeCount, plan.wholeSheetCount);
        QCOMPARE(pieceCount, cutPieceCount(plan));
        QCOMPARE(sheetArea.size(), plan.sheets.size());
        for (int s = 0; s < plan.sheets.size(); ++s) {
            const QString name = QStringLiteral("P%1").arg(cuttingSheetNumber(plan, s));
            QVERIFY2(std::abs(sheetArea.value(name) - plan.sheets[s].usedArea) < 1e-9, qPrintable(name));
        }
    }

    // Sheets of an earlier plan left in the export folder are named, in
    // number order, and nothing else is: the new plan's own files, other
    // names, and folders that merely look like sheets.
    void foreignSheetsAreNamed_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty folder") << QStringList{} << QStringList{"P7.dxf", "P8.dxf"} << QStringList{};
        QTest::newRow("same sheets again")
            << QStringList{"P7.dxf", "P8.dxf"} << QStringList{"P7.dxf", "P8.dxf"} << QStringList{};
        QTest::newRow("earlier plan had more")
            << QStringList{"P7.dxf", "P8.dxf", "P12.dxf", "P9.dxf", "p10.DXF"} << QStringList{"P7.dxf", "P8.dxf"}
            << QStringList{"P9.dxf", "p10.DXF", "P12.dxf"};
        QTest::newRow("other files")
            << QStringList{"P7a.dxf", "P.dxf", "notes.txt", "XP7.dxf", "P7.dxf.bak", "dir:P9.dxf"}
            << QStringList{"P7.dxf"} << QStringList{};
    }
    void foreignSheetsAreNamed()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, written);
        QFETCH(QStringList, expected);
        QTemporaryDir folder;
        const QDir dir(folder.path());
        for (const QString &name : present) {
            if (name.startsWith(QLatin1String("dir:"))) {
                QVERIFY(dir.mkdir(name.mid(4)));
                continue;
            }
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QStringList paths;
        for (const QString &name : written)
            paths << dir.filePath(name);
        QCOMPARE(foreignCuttingSheetFiles(folder.path(), paths), expected);
    }

    void sheetFilesReadBackByOurImport_data() { addExampleRows(); }
    void sheetFilesReadBackByOurImport()
    {
        const PlanDocument document = planOfRow();
        const CuttingPlan &plan = document.plan;
        QVERIFY(!plan.sheets.isEmpty());
        if (QTest::currentDataTag() == QByteArray("piece with a hole")) {
            bool holed = false;
            for (const CuttingSheet &sheet : plan.sheets)
                for (const PiecePlacement &placement : sheet.placements)
                    holed = holed || placement.shape.rings.size() > 1;
            QVERIFY(holed);
        }
        QTemporaryDir folder;
        QStringList written;
        QString failedPath;
        QString error;
        QVERIFY2(writeCuttingSheetFiles(folder.path(), plan, written, failedPath, error), qPrintable(error));
        QCOMPARE(written.size(), plan.sheets.size());

        for (int s = 0; s < plan.sheets.size(); ++s) {
            const CuttingSheet &sheet = plan.sheets[s];
            QCOMPARE(QFileInfo(written[s]).fileName(), QStringLiteral("P%1.dxf").arg(cuttingSheetNumber(plan, s)));
            QFile file(written[s]);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes, cuttingSheetDxf(plan, s));

            DxfEntities entities;
            QVERIFY2(readDxfEntities(written[s], entities, error), qPrintable(error));
            // The sheet rectangle, then every ring of every piece, in order.
            qsizetype ringCount = 0;
            for (const PiecePlacement &placement : sheet.placements)
                ringCount += placement.shape.rings.size();
            QCOMPARE(entities.loops.size(), 1 + ringCount);
            QVERIFY(std::abs(ringArea(entities.loops.first()) - sheetArea(plan)) < 1e-9);
            qsizetype next = 1;
            for (const PiecePlacement &placement : sheet.placements) {
                for (const Polygon &polygon : placement.shape.polygons) {
                    for (const QPolygonF &ring : polygon) {
                        const QPolygonF read = openRing(entities.loops[next++]);
                        const QPolygonF expected = openRing(ring);
                        QCOMPARE(read.size(), expected.size());
                        for (qsizetype k = 0; k < read.size(); ++k)
                            QVERIFY(QLineF(read[k], expected[k]).length() < 1e-12);
                    }
                }
            }

            // Every code once per piece, on LABELS, inside its piece; the
            // outlines on SHEET and PIECES.
            const QList<DxfEntity> dxfEntities = entitiesOf(bytes);
            QStringList codes;
            QList<QPointF> labelPoints;
            int sheetOutlines = 0;
            for (const DxfEntity &entity : dxfEntities) {
                if (entity.type == QLatin1String("TEXT")) {
                    QCOMPARE(entity.layer, QStringLiteral("LABELS"));
                    codes.append(entity.text);
                    labelPoints.append(entity.at);
                } else if (entity.type == QLatin1String("POLYLINE")) {
                    QVERIFY(entity.layer == QLatin1String("SHEET") || entity.layer == QLatin1String("PIECES"));
                    sheetOutlines += entity.layer == QLatin1String("SHEET");
                }
            }
            QCOMPARE(sheetOutlines, 1);
            QCOMPARE(codes.size(), sheet.placements.size());
            for (qsizetype p = 0; p < sheet.placements.size(); ++p) {
                QCOMPARE(codes[p], plan.pieceCodes[sheet.placements[p].pieceIndex]);
                QVERIFY2(sheet.placements[p].shape.path.contains(labelPoints[p]), qPrintable(codes[p]));
            }
            QVERIFY(bytes.contains("$INSUNITS\r\n 70\r\n6\r\n"));
            QVERIFY(bytes.contains("AC1009"));
            QVERIFY(bytes.endsWith("  0\r\nEOF\r\n"));
        }
    }
};

QTEST_GUILESS_MAIN(ExportsPlanTest)
#include "tst_exports_plan.moc"
