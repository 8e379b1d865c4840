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
// its numbering. The edge-aligned pairings, most of them repeats on a
// crowded sheet, are paired from distinct x and y values instead of being
// listed and sifted, and only when they are visited: a crowded sheet has
// tens of thousands.
struct DistinctOffset
{
    QPointF offset;
    qint64 position = 0;
};

class DistinctOffsets
{
public:
    DistinctOffsets(const PieceOrientation &orientation, double sheetWidth, double sheetHeight,
                    const CuttingSheet &sheet, const QList<QPointF> &referencePoints);

    // The number of offsets with duplicates, and without.
    qint64 generated() const { return m_generated; }
    qint64 distinct() const { return m_distinct; }

    // Calls visit(offset, position) on every distinct offset, in order.
    template <typename Visit>
    void forEach(const Visit &visit) const
    {
        for (const DistinctOffset &corner : m_corners)
            visit(corner.offset, corner.position);
        const qsizetype rowCount = qsizetype(m_rows.size());
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            for (std::size_t j = 0; j < m_rows.size(); ++j) {
                if (m_cornerColumns[i] && m_cornerRows[j] && isCorner(m_columns[i], m_rows[j]))
                    continue;
                visit(QPointF(m_columns[i], m_rows[j]),
                      pairingsStart + qsizetype(i) * rowCount + qsizetype(j));
            }
        }
        for (const DistinctOffset &contact : m_contacts)
            visit(contact.offset, contact.position);
    }

private:
    static constexpr qint64 pairingsStart = 4;
    bool isCorner(double x, double y) const;

    std::vector<DistinctOffset> m_corners;
    std::vector<double> m_columns;
    std::vector<double> m_rows;
    // Only a pairing of a corner's x with a corner's y can be a corner.
    std::vector<bool> m_cornerColumns;
    std::vector<bool> m_cornerRows;
    std::vector<DistinctOffset> m_contacts;
    qint64 m_generated = 0;
    qint64 m_distinct = 0;
};

// True when a placed piece's bounds lie on the sheet to within 1e-7 on
// every side, the one admissibility test by bounds that both searches make.
bool insideSheet(const QRectF &bounds, double sheetWidth, double sheetHeight);

} // namespace tallero
