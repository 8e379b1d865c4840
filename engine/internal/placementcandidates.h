#pragma once

#include <vector>

#include "engine/cuttingplan.h"

#include <QList>
#include <QPointF>
#include <QRectF>

namespace tallero {

struct PieceOrientation;

// The candidate offsets of one orientation on one sheet, in the order whose
// first best score wins: the corners of the admissible region, every pairing
// of edge-aligned x and y values, then every anchor of the piece put on every
// reference vertex (sheet corners and sampled vertices of the placed pieces).
// Offsets outside the admissible region by more than 1e-7 are dropped, the
// rest are clamped at 0 and quantised to 1e-9 m. Duplicates are kept.
QList<QPointF> candidateOffsets(const PieceOrientation &orientation, double sheetWidth,
                                double sheetHeight, const CuttingSheet &sheet);

// The reference vertices of a sheet: its four corners, then up to 35
// sampled vertices of each placed piece, thinned to 90 in all.
QList<QPointF> sheetReferencePoints(double sheetWidth, double sheetHeight,
                                    const CuttingSheet &sheet);

// Same as candidateOffsets with the reference vertices already known, so a
// search over several orientations samples the sheet only once.
QList<QPointF> candidateOffsets(const PieceOrientation &orientation, double sheetWidth,
                                double sheetHeight, const CuttingSheet &sheet,
                                const QList<QPointF> &referencePoints);

// The offsets of candidateOffsets with every duplicate dropped, each at the
// position of its first occurrence there: positions keep that order, not
// its numbering. `generated` is the number of offsets with duplicates. The
// edge-aligned pairings, most of them repeats on a crowded sheet, are
// paired from distinct x and y values instead of being listed and sifted.
struct DistinctOffset
{
    QPointF offset;
    qint64 position = 0;
};

std::vector<DistinctOffset> distinctCandidateOffsets(const PieceOrientation &orientation,
                                                     double sheetWidth, double sheetHeight,
                                                     const CuttingSheet &sheet,
                                                     const QList<QPointF> &referencePoints,
                                                     qint64 &generated);

// True when a placed piece's bounds lie on the sheet to within 1e-7 on
// every side, the one admissibility test by bounds that both searches make.
bool insideSheet(const QRectF &bounds, double sheetWidth, double sheetHeight);

} // namespace tallero
