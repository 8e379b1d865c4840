#include "engine/internal/placementcandidates.h"

#include "engine/placementsearch.h"
#include "engine/internal/shapetransform.h"

#include <QPair>
#include <QSet>

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

// The x and y offsets that put the piece flush with the sheet edges and
// with the edges of every placed piece, from either side, in the order they
// are paired.
void edgeAlignedValues(double sheetWidth, double sheetHeight, double pw, double ph,
                       const CuttingSheet &sheet, QList<double> &xs, QList<double> &ys)
{
    xs = {0.0, sheetWidth - pw};
    ys = {0.0, sheetHeight - ph};
    for (const PiecePlacement &placement : sheet.placements) {
        const QRectF &b = placement.shape.bounds;
        xs << b.left() << b.right() << b.left() - pw << b.right() - pw;
        ys << b.top() << b.bottom() << b.top() - ph << b.bottom() - ph;
    }
}

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

    QList<double> xs;
    QList<double> ys;
    edgeAlignedValues(sheetWidth, sheetHeight, pw, ph, sheet, xs, ys);
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

std::vector<DistinctOffset> distinctCandidateOffsets(const PieceOrientation &orientation,
                                                     double sheetWidth, double sheetHeight,
                                                     const CuttingSheet &sheet,
                                                     const QList<QPointF> &referencePoints,
                                                     qint64 &generated)
{
    const double pw = orientation.shape.bounds.width();
    const double ph = orientation.shape.bounds.height();
    const double maxX = sheetWidth - pw + eps;
    const double maxY = sheetHeight - ph + eps;
    // Offsets are multiples of 1e-9 within the sheet, so the doubles
    // themselves tell them apart as their nine-decimal texts do; adding 0.0
    // folds a negative zero onto zero.
    const auto distinctValues = [](const QList<double> &values, double limit,
                                   qint64 &admitted) {
        QList<double> distinct;
        QSet<double> seen;
        for (double v : values) {
            if (!(v >= -eps && v <= limit))
                continue;
            ++admitted;
            // The first occurrence's value stands for the others, as the
            // first of equal offsets does.
            const double q = quantise(v);
            if (!seen.contains(q + 0.0)) {
                seen.insert(q + 0.0);
                distinct.append(q);
            }
        }
        return std::make_pair(distinct, seen);
    };

    QList<double> xs;
    QList<double> ys;
    edgeAlignedValues(sheetWidth, sheetHeight, pw, ph, sheet, xs, ys);
    qint64 admittedXs = 0;
    qint64 admittedYs = 0;
    const auto [columns, columnSet] = distinctValues(xs, maxX, admittedXs);
    const auto [rows, rowSet] = distinctValues(ys, maxY, admittedYs);
    generated = admittedXs * admittedYs;

    std::vector<DistinctOffset> offsets;
    offsets.reserve(std::size_t(columns.size() * rows.size()) + 4);
    // The corners of the admissible region come first; each is also one of
    // the pairings, since 0 and the far limits lead both value lists.
    const QPointF corners[] = {QPointF(0.0, 0.0), QPointF(sheetWidth - pw, 0.0),
                               QPointF(0.0, sheetHeight - ph),
                               QPointF(sheetWidth - pw, sheetHeight - ph)};
    // Compared exactly: QPointF's own comparison is fuzzy.
    QList<QPair<double, double>> cornersTaken;
    for (const QPointF &corner : corners) {
        if (!(corner.x() >= -eps && corner.y() >= -eps && corner.x() <= maxX
              && corner.y() <= maxY))
            continue;
        ++generated;
        const QPointF q(quantise(corner.x()), quantise(corner.y()));
        const QPair<double, double> key(q.x() + 0.0, q.y() + 0.0);
        if (!cornersTaken.contains(key)) {
            cornersTaken.append(key);
            offsets.push_back({q, qint64(cornersTaken.size() - 1)});
        }
    }
    const qint64 pairingsStart = 4;
    // Only a pairing of a corner's x with a corner's y can be a corner.
    const auto cornerValues = [&cornersTaken](const QList<double> &values, bool across) {
        std::vector<bool> flags;
        flags.reserve(std::size_t(values.size()));
        for (double v : values) {
            flags.push_back(std::any_of(cornersTaken.begin(), cornersTaken.end(),
                                        [&](const QPair<double, double> &corner) {
                return (across ? corner.first : corner.second) == v + 0.0;
            }));
        }
        return flags;
    };
    const std::vector<bool> cornerColumns = cornerValues(columns, true);
    const std::vector<bool> cornerRows = cornerValues(rows, false);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        for (qsizetype j = 0; j < rows.size(); ++j) {
            if (cornerColumns[std::size_t(i)] && cornerRows[std::size_t(j)]
                && cornersTaken.contains(qMakePair(columns[i] + 0.0, rows[j] + 0.0)))
                continue;
            offsets.push_back({QPointF(columns[i], rows[j]), pairingsStart + i * rows.size() + j});
        }
    }

    const qint64 contactsStart = pairingsStart + qint64(columns.size()) * rows.size();
    QSet<QPair<double, double>> contactsTaken;
    qint64 contact = 0;
    for (const QPointF &reference : referencePoints) {
        for (const QPointF &anchor : orientation.anchors) {
            const double x = reference.x() - anchor.x();
            const double y = reference.y() - anchor.y();
            if (!(x >= -eps && y >= -eps && x <= maxX && y <= maxY))
                continue;
            ++generated;
            const double qx = quantise(x);
            const double qy = quantise(y);
            // A pairing or a corner already stands for it.
            if (columnSet.contains(qx + 0.0) && rowSet.contains(qy + 0.0))
                continue;
            const QPair<double, double> key(qx + 0.0, qy + 0.0);
            if (contactsTaken.contains(key))
                continue;
            contactsTaken.insert(key);
            offsets.push_back({QPointF(qx, qy), contactsStart + contact++});
        }
    }
    return offsets;
}

} // namespace tallero
