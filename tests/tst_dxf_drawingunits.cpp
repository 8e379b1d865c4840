// Drawings made in another unit: the unit a DXF header names, read without
// reading the rest of the file, and a drawing scaled to metres.

#include "testsupport.h"

#include "dxf/drawingscale.h"
#include "dxf/unitsheader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

using namespace tallero;

namespace {

// "9 $INSUNITS;70 4" -> group code and value lines, as a DXF writes them.
QByteArray pairs(const QString &compact)
{
    return testing::dxfLines(compact).toUtf8();
}

} // namespace

Q_DECLARE_METATYPE(std::optional<int>)

class DxfDrawingUnitsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void insertionUnits_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<std::optional<int>>("units");

        const QString header = QStringLiteral("0 SECTION;2 HEADER;9 $ACADVER;1 AC1027;%1;0 ENDSEC;"
                                              "0 SECTION;2 ENTITIES;0 LINE;10 0;20 0;11 1;21 1;0 ENDSEC;0 EOF");
        QTest::newRow("millimetres") << pairs(header.arg("9 $INSUNITS;70 4")) << std::optional<int>(4);
        QTest::newRow("padded value, CRLF, a comment first")
            << pairs("999 written by hand;" + header.arg("9 $INSUNITS;  70   6")).replace("\n", "\r\n")
            << std::optional<int>(6);
        QTest::newRow("another variable's 70 is not the unit")
            << pairs(header.arg("9 $ATTMODE;70 4;9 $INSUNITS;70 5")) << std::optional<int>(5);
        QTest::newRow("unitless 0 names nothing") << pairs(header.arg("9 $INSUNITS;70 0")) << std::optional<int>();
        QTest::newRow("no header") << pairs("0 SECTION;2 ENTITIES;9 $INSUNITS;70 4;0 ENDSEC;0 EOF")
                                   << std::optional<int>();
        QTest::newRow("unit after the header is not read")
            << pairs(header.arg("9 $LUNITS;70 2") + ";0 SECTION;2 OBJECTS;9 $INSUNITS;70 4")
            << std::optional<int>();
        QTest::newRow("value not a number") << pairs(header.arg("9 $INSUNITS;70 mm")) << std::optional<int>();
        QTest::newRow("out of step") << QByteArray("SECTION\nHEADER\n9\n$INSUNITS\n70\n4\n") << std::optional<int>();
        QTest::newRow("empty file") << QByteArray() << std::optional<int>();
        QByteArray binary(64 * 1024, '\0');
        for (int n = 0; n < binary.size(); ++n)
            binary[n] = char((n * 131) % 251);
        QTest::newRow("binary bytes") << binary << std::optional<int>();
        // A header that never ends is given up on long before its end.
        QByteArray endless = pairs("0 SECTION;2 HEADER");
        for (int n = 0; n < 30000; ++n)
            endless += "9\n$VAR\n70\n1\n";
        endless += "9\n$INSUNITS\n70\n4\n";
        QTest::newRow("unit beyond the reading bound") << endless << std::optional<int>();
    }

    void insertionUnits()
    {
        QFETCH(QByteArray, content);
        QFETCH(std::optional<int>, units);
        QCOMPARE(dxfInsertionUnits(testing::writeFile(folder.filePath(QStringLiteral("units.dxf")), content)), units);
    }

    void insertionUnitsOfWhatIsNoFile()
    {
        QCOMPARE(dxfInsertionUnits(folder.filePath(QStringLiteral("missing.dxf"))), std::optional<int>());
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("folder.dxf")));
        QCOMPARE(dxfInsertionUnits(folder.filePath(QStringLiteral("folder.dxf"))), std::optional<int>());
    }

    void scaledDrawingKeepsItsShape()
    {
        // A 12 x 8 m room with a 2 x 1 m hole, drawn in millimetres.
        const QPolygonF outer{{0, 0}, {12000, 0}, {12000, 8000}, {0, 8000}, {0, 0}};
        const QPolygonF hole{{1000, 1000}, {3000, 1000}, {3000, 2000}, {1000, 2000}, {1000, 1000}};
        Drawing drawn;
        static_cast<Shape &>(drawn) = shapeFromPolygon({outer, hole});
        drawn.boundingBoxFallback = true;
        drawn.ignoredContourCount = 3;

        const std::optional<Drawing> metres = scaledDrawing(drawn, 0.001);
        QVERIFY(metres.has_value());
        QVERIFY(isNonEmpty(*metres));
        QCOMPARE(metres->bounds, QRectF(0, 0, 12, 8));
        QVERIFY(std::abs(metres->area - 94.0) < 1e-9);
        QCOMPARE(metres->polygons.size(), 1);
        QCOMPARE(metres->polygons.first().size(), 2);
        QCOMPARE(metres->boundingBoxFallback, true);
        QCOMPARE(metres->ignoredContourCount, 3);
        // The engine's geometry is the scaled one, not the drawn one.
        const std::optional<double> engineArea = geometryArea(metres->geometry.get());
        QVERIFY(engineArea && std::abs(*engineArea - 94.0) < 1e-9);
    }

    void unusableScaleFactors_data()
    {
        QTest::addColumn<double>("factor");
        QTest::newRow("zero") << 0.0;
        QTest::newRow("negative") << -0.001;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
    }

    void unusableScaleFactors()
    {
        QFETCH(double, factor);
        Drawing drawn;
        static_cast<Shape &>(drawn) = rectangleShape(0, 0, 4000, 3000);
        QVERIFY(!scaledDrawing(drawn, factor).has_value());
    }
};

QTEST_GUILESS_MAIN(DxfDrawingUnitsTest)
#include "tst_dxf_drawingunits.moc"
