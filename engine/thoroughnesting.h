#pragma once

#include "engine/cuttingplan.h"

#include <QList>

#include <functional>

namespace tallero {

// What a thorough nesting did, for the benchmark and the tests.
struct ThoroughNestingReport
{
    int standardSheets = 0;
    int lowerBound = 0;         // rectangleSheetBound of the pieces (cuttingsheetbound.h)
    int sheets = 0;             // of the packing returned
    int searchesUsed = 0;       // placement searches, weighted as budgeted
    int improvedByOrders = 0;   // sheets saved by the other piece orders
    int improvedByFilling = 0;  // sheets saved by filling sheet after sheet
    int improvedByRepacking = 0;   // sheets saved by emptying sheets into others
};

// Looks for a packing of the cut pieces with fewer cutting sheets than
// `standard`, the standard nesting of the same pieces on the same sheet:
// greedy passes in other piece orders and with another sheet choice, a
// packing that fills one sheet after another as full as it can, then
// emptying the emptiest sheets into the holes of the others and repacking
// what is left onto fewer fresh sheets. Every placement comes from the same
// placement search as the standard nesting, so pieces stay inside their
// sheet, in the four rotations, without overlaps.
//
// Returns `standard` unchanged unless a packing with strictly fewer sheets
// was found. The work is bounded by a count of placement searches and of
// the vertices they handle, never by the clock, so the same pieces always
// give the same packing. Throws PlanCancelled at a cancelled checkpoint and
// the engine errors of a failed geometry operation. `progress`, when given,
// hears the fraction of the budget spent (0 to 1, never decreasing).
QList<CuttingSheet> nestCutPiecesThoroughly(const QList<Shape> &pieces, double sheetWidth,
                                            double sheetHeight,
                                            const QList<CuttingSheet> &standard,
                                            const std::function<void(double)> &progress = {},
                                            ThoroughNestingReport *report = nullptr);

} // namespace tallero
