#include "exports/sheetdxf.h"

#include "engine/interiorprobe.h"
#include "geometry/ring.h"
#include "exports/numbertext.h"

#include <QLineF>

#include <algorithm>

namespace tallero {

namespace {

const QByteArray sheetLayer = QByteArrayLiteral("SHEET");
const QByteArray piecesLayer = QByteArrayLiteral("PIECES");
const QByteArray labelsLayer = QByteArrayLiteral("LABELS");

class DxfText
{
public:
    void group(int code, const QByteArray &value)
    {
        // Group codes right-aligned in three columns, as CAD programs write
        // them; lines end in CR LF, which every reader takes.
        m_text += QByteArray::number(code).rightJustified(3, ' ') + "\r\n" + value + "\r\n";
    }
    void group(int code, int value) { group(code, QByteArray::number(value)); }
    void number(int code, double value) { group(code, exactNumberText(value)); }
    void point(int xCode, const QPointF &point)
    {
        number(xCode, point.x());
        number(xCode + 10, point.y());
        number(xCode + 20, 0.0);
    }
    QByteArray text() const { return m_text; }

private:
    QByteArray m_text;
};

void writeHeader(DxfText &dxf, double width, double height)
{
    dxf.group(0, "SECTION");
    dxf.group(2, "HEADER");
    dxf.group(9, "$ACADVER");
    dxf.group(1, "AC1009");
    dxf.group(9, "$INSUNITS");
    dxf.group(70, 6);
    dxf.group(9, "$MEASUREMENT");
    dxf.group(70, 1);
    dxf.group(9, "$EXTMIN");
    dxf.point(10, QPointF(0.0, 0.0));
    dxf.group(9, "$EXTMAX");
    dxf.point(10, QPointF(width, height));
    dxf.group(0, "ENDSEC");
}

void writeLayer(DxfText &dxf, const QByteArray &name, int colour)
{
    dxf.group(0, "LAYER");
    dxf.group(2, name);
    dxf.group(70, 0);
    dxf.group(62, colour);
    dxf.group(6, "CONTINUOUS");
}

void writeTables(DxfText &dxf)
{
    dxf.group(0, "SECTION");
    dxf.group(2, "TABLES");
    dxf.group(0, "TABLE");
    dxf.group(2, "LTYPE");
    dxf.group(70, 1);
    dxf.group(0, "LTYPE");
    dxf.group(2, "CONTINUOUS");
    dxf.group(70, 0);
    dxf.group(3, "Solid line");
    dxf.group(72, 65);
    dxf.group(73, 0);
    dxf.number(40, 0.0);
    dxf.group(0, "ENDTAB");
    dxf.group(0, "TABLE");
    dxf.group(2, "LAYER");
    dxf.group(70, 4);
    writeLayer(dxf, "0", 7);
    writeLayer(dxf, sheetLayer, 8);     // grey
    writeLayer(dxf, piecesLayer, 1);    // red: what the machine cuts
    writeLayer(dxf, labelsLayer, 3);    // green
    dxf.group(0, "ENDTAB");
    dxf.group(0, "ENDSEC");
    // An empty BLOCKS section: some readers expect it between the tables
    // and the entities.
    dxf.group(0, "SECTION");
    dxf.group(2, "BLOCKS");
    dxf.group(0, "ENDSEC");
}

void writeClosedPolyline(DxfText &dxf, const QByteArray &layer, QPolygonF ring)
{
    // A closed polyline lists each corner once; the flag closes it.
    if (ring.size() > 1 && ring.first() == ring.last())
        ring.removeLast();
    if (ring.size() < 3)
        return;
    dxf.group(0, "POLYLINE");
    dxf.group(8, layer);
    dxf.group(66, 1);
    dxf.point(10, QPointF(0.0, 0.0));
    dxf.group(70, 1);
    for (const QPointF &corner : ring) {
        dxf.group(0, "VERTEX");
        dxf.group(8, layer);
        dxf.point(10, corner);
    }
    dxf.group(0, "SEQEND");
    dxf.group(8, layer);
}

void writeLabel(DxfText &dxf, const QString &code, const QPointF &at, double height)
{
    dxf.group(0, "TEXT");
    dxf.group(8, labelsLayer);
    dxf.point(10, at);
    dxf.number(40, height);
    dxf.group(1, code.toUtf8());
    dxf.group(72, 1);   // centred
    dxf.point(11, at);
    dxf.group(73, 2);   // on the middle line
}

} // namespace

QPointF pieceLabelPoint(const Shape &piece)
{
    const Polygon *largest = nullptr;
    double largestArea = -1.0;
    for (const Polygon &polygon : piece.polygons) {
        if (polygon.isEmpty())
            continue;
        const double area = ringArea(polygon.first());
        if (area > largestArea) {
            largestArea = area;
            largest = &polygon;
        }
    }
    if (!largest)
        return piece.bounds.center();
    const QRectF bounds = largest->first().boundingRect();
    const QPointF middle = bounds.center();
    const QList<QPointF> probes = interiorProbes(*largest, bounds, 0.0, 10000);
    if (probes.isEmpty())
        return middle;
    return *std::min_element(probes.begin(), probes.end(), [&](const QPointF &a, const QPointF &b) {
        return QLineF(a, middle).length() < QLineF(b, middle).length();
    });
}

QString cuttingSheetFileName(const CuttingPlan &plan, int sheetIndex)
{
    return QStringLiteral("P%1.dxf").arg(cuttingSheetNumber(plan, sheetIndex));
}

QByteArray cuttingSheetDxf(const CuttingPlan &plan, int sheetIndex)
{
    DxfText dxf;
    writeHeader(dxf, plan.sheetWidth, plan.sheetHeight);
    writeTables(dxf);
    dxf.group(0, "SECTION");
    dxf.group(2, "ENTITIES");
    writeClosedPolyline(dxf, sheetLayer,
                        QPolygonF({QPointF(0.0, 0.0), QPointF(plan.sheetWidth, 0.0),
                                   QPointF(plan.sheetWidth, plan.sheetHeight), QPointF(0.0, plan.sheetHeight)}));
    if (sheetIndex >= 0 && sheetIndex < plan.sheets.size()) {
        // Labels a fortieth of the sheet's shorter side high (3 cm on a
        // 1.2 m sheet), so they read at the sheet's scale.
        const double labelHeight = std::min(plan.sheetWidth, plan.sheetHeight) / 40.0;
        for (const PiecePlacement &placement : plan.sheets[sheetIndex].placements) {
            for (const QPolygonF &ring : placement.shape.rings)
                writeClosedPolyline(dxf, piecesLayer, ring);
            writeLabel(dxf, plan.pieceCodes.value(placement.pieceIndex), pieceLabelPoint(placement.shape),
                       labelHeight);
        }
    }
    dxf.group(0, "ENDSEC");
    dxf.group(0, "EOF");
    return dxf.text();
}

} // namespace tallero
