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
    xs.reserve(2 + 4 * sheet.placements.size());
    ys.reserve(2 + 4 * sheet.placements.size());
    for (const PiecePlacement &placement : sheet.placements) {
        const QRectF &b = placement.shape.bounds;
        xs << b.left() << b.right() << b.left() - pw << b.right() - pw;
        ys << b.top() << b.bottom() << b.top() - ph << b.bottom() - ph;
    }
}

// The values met so far, each once. A sheet holding a piece or two gives
// a few dozen, where looking through them costs far less than hashing and
// its allocations; larger sets are hashed. Equality is the values' own ==.
template <typename T>
class SeenValues
{
public:
    // True when `value` had not been met.
    bool insert(const T &value)
    {
        if (!m_hashed.isEmpty()) {
            if (m_hashed.contains(value))
                return false;
            m_hashed.insert(value);
            return true;
        }
        if (std::find(m_values.begin(), m_values.end(), value) != m_values.end())
            return false;
        m_values.push_back(value);
        if (m_values.size() > linearLimit) {
            for (const T &seen : m_values)
                m_hashed.insert(seen);
        }
        return true;
    }

    bool contains(const T &value) const
    {
        if (!m_hashed.isEmpty())
            return m_hashed.contains(value);
        return std::find(m_values.begin(), m_values.end(), value) != m_values.end();
    }

private:
    static constexpr std::size_t linearLimit = 24;
    std::vector<T> m_values;
    QSet<T> m_hashed;
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

DistinctOffsets::DistinctOffsets(const PieceOrientation &orientation, double sheetWidth,
                                 double sheetHeight, const CuttingSheet &sheet,
                                 const QList<QPointF> &referencePoints)
{
    const double pw = orientation.shape.bounds.width();
    const double ph = orientation.shape.bounds.height();
    const double maxX = sheetWidth - pw + eps;
    const double maxY = sheetHeight - ph + eps;
    // Offsets are multiples of 1e-9 within the sheet, so the doubles
    // themselves tell them apart as their nine-decimal texts do; adding 0.0
    // folds a negative zero onto zero.
    const auto distinctValues = [](const QList<double> &values, double limit,
                                   std::vector<double> &distinct, qint64 &admitted) {
        SeenValues<double> seen;
        for (double v : values) {
            if (!(v >= -eps && v <= limit))
                continue;
            ++admitted;
            // The first occurrence's value stands for the others, as the
            // first of equal offsets does.
            const double q = quantise(v);
            if (seen.insert(q + 0.0))
                distinct.push_back(q);
        }
        return seen;
    };

    QList<double> xs;
    QList<double> ys;
    edgeAlignedValues(sheetWidth, sheetHeight, pw, ph, sheet, xs, ys);
    qint64 admittedXs = 0;
    qint64 admittedYs = 0;
    const SeenValues<double> columnSet = distinctValues(xs, maxX, m_columns, admittedXs);
    const SeenValues<double> rowSet = distinctValues(ys, maxY, m_rows, admittedYs);
    m_generated = admittedXs * admittedYs;

    // The corners of the admissible region come first; each is also one of
    // the pairings, since 0 and the far limits lead both value lists.
    const QPointF corners[] = {QPointF(0.0, 0.0), QPointF(sheetWidth - pw, 0.0),
                               QPointF(0.0, sheetHeight - ph),
                               QPointF(sheetWidth - pw, sheetHeight - ph)};
    for (const QPointF &corner : corners) {
        if (!(corner.x() >= -eps && corner.y() >= -eps && corner.x() <= maxX
              && corner.y() <= maxY))
            continue;
        ++m_generated;
        const QPointF q(quantise(corner.x()), quantise(corner.y()));
        if (!isCorner(q.x(), q.y()))
            m_corners.push_back({q, qint64(m_corners.size())});
    }
    const auto cornerValues = [this](const std::vector<double> &values, bool across) {
        std::vector<bool> flags;
        flags.reserve(values.size());
        for (double v : values) {
            flags.push_back(std::any_of(m_corners.begin(), m_corners.end(),
                                        [&](const DistinctOffset &corner) {
                return (across ? corner.offset.x() : corner.offset.y()) + 0.0 == v + 0.0;
            }));
        }
        return flags;
    };
    m_cornerColumns = cornerValues(m_columns, true);
    m_cornerRows = cornerValues(m_rows, false);
    qint64 cornerPairings = 0;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (!m_cornerColumns[i])
            continue;
        for (std::size_t j = 0; j < m_rows.size(); ++j) {
            if (m_cornerRows[j] && isCorner(m_columns[i], m_rows[j]))
                ++cornerPairings;
        }
    }

    const qint64 contactsStart = pairingsStart + qint64(m_columns.size() * m_rows.size());
    SeenValues<QPair<double, double>> contactsTaken;
    for (const QPointF &reference : referencePoints) {
        for (const QPointF &anchor : orientation.anchors) {
            const double x = reference.x() - anchor.x();
            const double y = reference.y() - anchor.y();
            if (!(x >= -eps && y >= -eps && x <= maxX && y <= maxY))
                continue;
            ++m_generated;
            const double qx = quantise(x);
            const double qy = quantise(y);
            // A pairing or a corner already stands for it.
            if (columnSet.contains(qx + 0.0) && rowSet.contains(qy + 0.0))
                continue;
            if (!contactsTaken.insert(QPair<double, double>(qx + 0.0, qy + 0.0)))
                continue;
            m_contacts.push_back({QPointF(qx, qy), contactsStart + qint64(m_contacts.size())});
        }
    }
    m_distinct = qint64(m_corners.size())
        + qint64(m_columns.size() * m_rows.size()) - cornerPairings + qint64(m_contacts.size());
}

// Compared exactly: QPointF's own comparison is fuzzy.
bool DistinctOffsets::isCorner(double x, double y) const
{
    return std::any_of(m_corners.begin(), m_corners.end(), [x, y](const DistinctOffset &corner) {
        return corner.offset.x() + 0.0 == x + 0.0 && corner.offset.y() + 0.0 == y + 0.0;
    });
}

} // namespace tallero
