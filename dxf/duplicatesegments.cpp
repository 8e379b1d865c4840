#include "dxf/duplicatesegments.h"

#include "dxf/tolerancecells.h"

#include <QHash>

#include <vector>

namespace tallero {

namespace {

// A segment is filed under the cells of its two ends, in a fixed order so
// that a segment and its reverse share the key.
struct Key
{
    ToleranceCell a;
    ToleranceCell b;
    bool operator==(const Key &) const = default;
};

Key keyOf(ToleranceCell first, ToleranceCell second)
{
    return second < first ? Key{second, first} : Key{first, second};
}

size_t qHash(const Key &key, size_t seed = 0)
{
    return qHashMulti(seed, key.a.x, key.a.y, key.b.x, key.b.y);
}

bool duplicates(const Segment &a, const Segment &b)
{
    return (withinJoinTolerance(a.start, b.start) && withinJoinTolerance(a.end, b.end))
        || (withinJoinTolerance(a.start, b.end) && withinJoinTolerance(a.end, b.start));
}

} // namespace

QList<Segment> withoutDuplicateSegments(const QList<Segment> &segments)
{
    QList<Segment> kept;
    kept.reserve(segments.size());
    // Each key leads to the last kept segment filed under it, and each kept
    // segment to the one filed before it under the same key (-1 ends).
    QHash<Key, qsizetype> lastFiled;
    lastFiled.reserve(segments.size());
    std::vector<qsizetype> previousFiled;
    previousFiled.reserve(size_t(segments.size()));
    const auto repeatsKept = [&](const Segment &segment) {
        const ToleranceCellsNear nearStart = toleranceCellsNear(segment.start);
        const ToleranceCellsNear nearEnd = toleranceCellsNear(segment.end);
        for (const ToleranceCell &a : nearStart) {
            for (const ToleranceCell &b : nearEnd) {
                const auto found = lastFiled.constFind(keyOf(a, b));
                if (found == lastFiled.cend())
                    continue;
                for (qsizetype k = *found; k >= 0; k = previousFiled[size_t(k)]) {
                    if (duplicates(segment, kept[k]))
                        return true;
                }
            }
        }
        return false;
    };
    for (const Segment &segment : segments) {
        if (repeatsKept(segment))
            continue;
        const Key key = keyOf(toleranceCellOf(segment.start), toleranceCellOf(segment.end));
        const auto found = lastFiled.constFind(key);
        previousFiled.push_back(found == lastFiled.cend() ? -1 : *found);
        lastFiled.insert(key, kept.size());
        kept.append(segment);
    }
    return kept;
}

} // namespace tallero
