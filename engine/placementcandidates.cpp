#include "engine/internal/placementcandidates.h"

#include "engine/placementsearch.h"
#include "engine/internal/shapetransform.h"

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

constexpr double eps = 1e-7;
constexpr int verticesPerPlacedPiece = 35;
constexpr int maximumReferencePoints = 90;

double quantise(double v)
{
    return std::round(std::max(v, 0.0) * 1e9) / 1e9;
}

class CandidateList
{
public:
    CandidateList(double sheetWidth, double sheetHeight, double pieceWidth, double pieceHeight)
        : m_maxX(sheetWidth - pieceWidth + eps), m_maxY(sheetHeight - pieceHeight + eps)
    {
    }

    void append(double x, double y)
    {
        if (x >= -eps && y >= -eps && x <= m_maxX && y <= m_maxY)
            m_points.append(QPointF(quantise(x), quantise(y)));
    }

    QList<QPointF> take() { return std::move(m_points); }

private:
    double m_maxX;
    double m_maxY;
    QList<QPointF> m_points;
};

} // namespace

bool insideSheet(const QRectF &bounds, double sheetWidth, double sheetHeight)
{
    return bounds.left() >= -eps && bounds.top() >= -eps && bounds.right() <= sheetWidth + eps
        && bounds.bottom() <= sheetHeight + eps;
}

QList<QPointF> sheetReferencePoints(double sheetWidth, double sheetHeight,
                                    const CuttingSheet &sheet)
{
    QList<QPointF> points{QPointF(0.0, 0.0), QPointF(sheetWidth, 0.0),
                          QPointF(0.0, sheetHeight), QPointF(sheetWidth, sheetHeight)};
    for (const PiecePlacement &placement : sheet.placements)
        points.append(sampleVertices(placement.shape, verticesPerPlacedPiece));
    return evenlySpaced(points, maximumReferencePoints);
}

QList<QPointF> candidateOffsets(const PieceOrientation &orientation, double sheetWidth,
                                double sheetHeight, const CuttingSheet &sheet)
{
    return candidateOffsets(orientation, sheetWidth, sheetHeight, sheet,
                            sheetReferencePoints(sheetWidth, sheetHeight, sheet));
}

QList<QPointF> candidateOffsets(const PieceOrientation &orientation, double sheetWidth,
                                double sheetHeight, const CuttingSheet &sheet,
                                const QList<QPointF> &referencePoints)
{
    const double pw = orientation.shape.bounds.width();
    const double ph = orientation.shape.bounds.height();
    CandidateList candidates(sheetWidth, sheetHeight, pw, ph);

    candidates.append(0.0, 0.0);
    candidates.append(sheetWidth - pw, 0.0);
    candidates.append(0.0, sheetHeight - ph);
    candidates.append(sheetWidth - pw, sheetHeight - ph);

    // Flush with the sheet edges and with the edges of every placed piece,
    // from either side.
    QList<double> xs{0.0, sheetWidth - pw};
    QList<double> ys{0.0, sheetHeight - ph};
    for (const PiecePlacement &placement : sheet.placements) {
        const QRectF &b = placement.shape.bounds;
        xs << b.left() << b.right() << b.left() - pw << b.right() - pw;
        ys << b.top() << b.bottom() << b.top() - ph << b.bottom() - ph;
    }
    for (double x : xs) {
        for (double y : ys)
            candidates.append(x, y);
    }

    // Vertex on vertex: each anchor of the piece onto each reference point.
    for (const QPointF &reference : referencePoints) {
        for (const QPointF &anchor : orientation.anchors)
            candidates.append(reference.x() - anchor.x(), reference.y() - anchor.y());
    }
    return candidates.take();
}

} // namespace tallero
