#pragma once

#include "engine/placementsearch.h"

#include <QList>

#include <functional>

namespace tallero {

// Packs the cut pieces (drawing coordinates, indexed as in the grid) onto as
// few cutting sheets of the given size as a best-fit-decreasing greedy finds:
// largest pieces first, each onto the fullest sheet that takes it, a new
// sheet when none does. Sheets come back in the order they were opened.
// Throws std::runtime_error with engineerrors::pieceDoesNotFit or
// engineerrors::pieceNotPlaced, and PlanCancelled at a cancelled checkpoint
// (plancontrol.h). `placed`, when given, hears the count of pieces placed so
// far after each piece.
QList<CuttingSheet> nestCutPieces(const QList<Shape> &pieces, double sheetWidth,
                                  double sheetHeight,
                                  PlacementSearchMode mode = PlacementSearchMode::Fast,
                                  const std::function<void(int placed)> &placed = {});

// The order in which pieces are nested: bounding area, then area, then the
// longer bounding side, all largest first; equal keys keep grid order.
QList<int> nestingOrder(const QList<Shape> &pieces);

// The rotations 0, 90, 180 and 270 of the piece that fit the sheet, each
// moved to start at (0, 0), with up to 45 anchor vertices.
QList<PieceOrientation> pieceOrientations(const Shape &piece, double sheetWidth,
                                          double sheetHeight);

} // namespace tallero
