#include "exports/planjson.h"

#include "engine/plancheck.h"
#include "exports/sheetnesting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tallero {

namespace {

QJsonArray pointList(const QPolygonF &ring)
{
    // Rings are written open: the closing point would only repeat the first.
    QPolygonF open = ring;
    if (open.size() > 1 && open.first() == open.last())
        open.removeLast();
    QJsonArray points;
    for (const QPointF &point : open)
        points.append(QJsonArray{point.x(), point.y()});
    return points;
}

QJsonArray polygonList(const Shape &shape)
{
    QJsonArray polygons;
    for (const Polygon &polygon : shape.polygons) {
        if (polygon.isEmpty())
            continue;
        QJsonArray holes;
        for (qsizetype i = 1; i < polygon.size(); ++i)
            holes.append(pointList(polygon[i]));
        polygons.append(QJsonObject{{QStringLiteral("outline"), pointList(polygon.first())},
                                    {QStringLiteral("holes"), holes}});
    }
    return polygons;
}

// Bounds in the shape's own y-up coordinates: QRectF's top is the smaller y.
QJsonObject boundsObject(const QRectF &bounds)
{
    return QJsonObject{{QStringLiteral("minX"), bounds.left()},
                       {QStringLiteral("minY"), bounds.top()},
                       {QStringLiteral("maxX"), bounds.right()},
                       {QStringLiteral("maxY"), bounds.bottom()}};
}

QString sheetName(const CuttingPlan &plan, int sheetIndex)
{
    return QStringLiteral("P%1").arg(cuttingSheetNumber(plan, sheetIndex));
}

QString nestingKey(NestingFault fault)
{
    switch (fault) {
    case NestingFault::None:
        return QStringLiteral("ok");
    case NestingFault::PieceOutsideSheet:
        return QStringLiteral("pieceOutsideSheet");
    case NestingFault::PiecesOverlap:
        return QStringLiteral("piecesOverlap");
    }
    return QStringLiteral("unchecked");
}

QJsonObject drawingObject(const PlanDocument &document)
{
    const Drawing &drawing = document.drawing;
    return QJsonObject{{QStringLiteral("file"), document.fileName},
                       {QStringLiteral("scale"), document.scale},
                       {QStringLiteral("bounds"), boundsObject(drawing.bounds)},
                       {QStringLiteral("area"), drawing.area},
                       {QStringLiteral("boundingBoxFallback"), drawing.boundingBoxFallback},
                       {QStringLiteral("polygons"), polygonList(drawing)}};
}

QJsonObject settingsObject(const CuttingPlan &plan)
{
    return QJsonObject{{QStringLiteral("sheetWidth"), plan.sheetWidth},
                       {QStringLiteral("sheetHeight"), plan.sheetHeight},
                       {QStringLiteral("clearance"), plan.gap},
                       {QStringLiteral("orientation"),
                        plan.vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal")},
                       {QStringLiteral("startCorner"), startCornerKey(plan.startIndex)},
                       {QStringLiteral("originX"), plan.originX},
                       {QStringLiteral("originY"), plan.originY},
                       {QStringLiteral("nesting"), plan.nesting == NestingMode::Thorough
                                                       ? QStringLiteral("thorough")
                                                       : QStringLiteral("standard")}};
}

QJsonObject totalsObject(const CuttingPlan &plan)
{
    const double efficiency = overallEfficiency(plan);
    return QJsonObject{{QStringLiteral("wholeSheets"), plan.wholeSheetCount},
                       {QStringLiteral("cuttingSheets"), cuttingSheetCount(plan)},
                       {QStringLiteral("purchase"), totalPurchase(plan)},
                       {QStringLiteral("cutPieces"), cutPieceCount(plan)},
                       {QStringLiteral("sheetArea"), sheetArea(plan)},
                       {QStringLiteral("coveredArea"), coveredArea(plan)},
                       {QStringLiteral("purchasedArea"), purchasedArea(plan)},
                       {QStringLiteral("efficiency"), efficiency},
                       {QStringLiteral("waste"), 100.0 - efficiency},
                       {QStringLiteral("wasteArea"), wasteArea(plan)}};
}

QJsonArray cellList(const CuttingPlan &plan)
{
    QJsonArray cells;
    for (const GridCell &cell : plan.cells) {
        QJsonObject object{{QStringLiteral("column"), cell.column},
                           {QStringLiteral("row"), cell.row},
                           {QStringLiteral("whole"), cell.whole},
                           {QStringLiteral("code"), cell.code},
                           {QStringLiteral("area"), cell.shape.area},
                           {QStringLiteral("bounds"), boundsObject(cell.shape.bounds)}};
        // A whole sheet goes to site as bought; only a cut piece comes from
        // a numbered cutting sheet.
        object.insert(QStringLiteral("sheet"),
                      cell.whole ? QJsonValue(QJsonValue::Null) : QJsonValue(sheetName(plan, cell.sheetIndex)));
        cells.append(object);
    }
    return cells;
}

QJsonArray sheetList(const CuttingPlan &plan)
{
    QJsonArray sheets;
    for (int i = 0; i < plan.sheets.size(); ++i) {
        const CuttingSheet &sheet = plan.sheets[i];
        QJsonArray placements;
        for (const PiecePlacement &placement : sheet.placements) {
            placements.append(QJsonObject{{QStringLiteral("code"), plan.pieceCodes.value(placement.pieceIndex)},
                                          {QStringLiteral("piece"), placement.pieceIndex},
                                          {QStringLiteral("x"), placement.x},
                                          {QStringLiteral("y"), placement.y},
                                          {QStringLiteral("angle"), placement.angle},
                                          {QStringLiteral("area"), placement.shape.area},
                                          {QStringLiteral("polygons"), polygonList(placement.shape)}});
        }
        sheets.append(QJsonObject{{QStringLiteral("number"), sheetName(plan, i)},
                                  {QStringLiteral("usedArea"), sheet.usedArea},
                                  {QStringLiteral("efficiency"), sheetEfficiency(plan, i)},
                                  {QStringLiteral("nesting"), nestingKey(sheetNestingFault(plan, i))},
                                  {QStringLiteral("placements"), placements}});
    }
    return sheets;
}

} // namespace

QByteArray planJson(const PlanDocument &document)
{
    const CuttingPlan &plan = document.plan;
    const QJsonObject root{{QStringLiteral("schema"), planJsonSchema},
                           {QStringLiteral("units"), QStringLiteral("m")},
                           {QStringLiteral("drawing"), drawingObject(document)},
                           {QStringLiteral("settings"), settingsObject(plan)},
                           {QStringLiteral("totals"), totalsObject(plan)},
                           {QStringLiteral("cells"), cellList(plan)},
                           {QStringLiteral("cuttingSheets"), sheetList(plan)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace tallero
