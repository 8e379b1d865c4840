#pragma once

// Outlines shared by the engine suites: the kinds of work area the engine
// meets in practice, built in code so the suites do not depend on the DXF
// reader; and the ways those suites compare plans and read engine errors.

#include "engine/cuttingplan.h"
#include "geometry/shape.h"

#include <QPolygonF>
#include <QSizeF>
#include <QStringList>

#include <cmath>
#include <functional>
#include <numbers>
#include <stdexcept>

namespace tallero::testing {

inline Shape rectangleOutline(double width, double height)
{
    return rectangleShape(0.0, 0.0, width, height);
}

// A 6 x 4.5 m room whose right wall bows out by 0.6 m in a circular arc.
inline Shape roomWithCurvedWall()
{
    QPolygonF ring{QPointF(0.0, 0.0), QPointF(6.0, 0.0)};
    const double sagitta = 0.6;
    const double halfChord = 2.25;
    const double radius = (halfChord * halfChord + sagitta * sagitta) / (2.0 * sagitta);
    const QPointF centre(6.0 + sagitta - radius, 2.25);
    const double sweep = std::asin(halfChord / radius);
    const int segments = 48;
    for (int i = 1; i < segments; ++i) {
        const double a = -sweep + 2.0 * sweep * i / segments;
        ring << QPointF(centre.x() + radius * std::cos(a), centre.y() + radius * std::sin(a));
    }
    ring << QPointF(6.0, 4.5) << QPointF(0.0, 4.5) << QPointF(0.0, 0.0);
    return shapeFromPolygon({ring});
}

// An L-shaped floor, 8 m by 7 m over its arms, with a round column of
// 0.25 m radius standing in it.
inline Shape lFloorWithColumn()
{
    const QPolygonF outer{QPointF(0.0, 0.0), QPointF(8.0, 0.0), QPointF(8.0, 3.0),
                          QPointF(3.5, 3.0), QPointF(3.5, 7.0), QPointF(0.0, 7.0),
                          QPointF(0.0, 0.0)};
    QPolygonF column;
    const int segments = 32;
    for (int i = 0; i <= segments; ++i) {
        const double a = 2.0 * std::numbers::pi * (i % segments) / segments;
        column << QPointF(2.2 + 0.25 * std::cos(a), 2.4 + 0.25 * std::sin(a));
    }
    return shapeFromPolygon({outer, column});
}

// A 40 x 25 m hall whose lower long wall is a wave of `wavePoints` vertices.
inline Shape waveHall(int wavePoints)
{
    QPolygonF ring;
    for (int i = 0; i < wavePoints; ++i) {
        const double x = 40.0 * i / (wavePoints - 1);
        ring << QPointF(x, 0.35 * std::sin(2.0 * std::numbers::pi * x / 3.7) + 0.35);
    }
    ring << QPointF(40.0, 25.0) << QPointF(0.0, 25.0) << ring.first();
    return shapeFromPolygon({ring});
}

// Rectangular cut pieces of the given sizes at different places of the
// drawing, as the grid would cut them.
inline QList<Shape> rectanglePieces(const QList<QSizeF> &sizes)
{
    QList<Shape> pieces;
    for (qsizetype i = 0; i < sizes.size(); ++i)
        pieces.append(rectangleShape(5.0 * double(i), 10.0, sizes[i].width(), sizes[i].height()));
    return pieces;
}

// The message of the runtime error `call` throws; empty when it throws none.
inline QString thrownMessage(const std::function<void()> &call)
{
    try {
        call();
    } catch (const std::runtime_error &error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

// Everything a plan buys and where every piece goes, to the nanometre: two
// plans with the same fingerprint are the same plan.
inline QString planFingerprint(const CuttingPlan &plan)
{
    QStringList parts{QStringLiteral("%1 whole, origin %2 %3")
                          .arg(plan.wholeSheetCount)
                          .arg(plan.originX, 0, 'f', 9)
                          .arg(plan.originY, 0, 'f', 9)};
    for (const GridCell &cell : plan.cells)
        parts << QStringLiteral("cell %1,%2 %3 %4")
                     .arg(cell.column).arg(cell.row).arg(cell.pieceIndex).arg(cell.shape.area, 0, 'f', 12);
    for (const CuttingSheet &sheet : plan.sheets) {
        for (const PiecePlacement &p : sheet.placements)
            parts << QStringLiteral("piece %1 on %2 at %3 %4 turned %5")
                         .arg(p.pieceIndex).arg(p.sheetIndex).arg(p.x, 0, 'f', 9).arg(p.y, 0, 'f', 9).arg(p.angle);
        parts << QStringLiteral("sheet");
    }
    return parts.join(u'\n');
}

} // namespace tallero::testing
