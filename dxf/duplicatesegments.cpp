#include "dxf/duplicatesegments.h"

#include "dxf/tolerancecells.h"

#include <QHash>

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
    QHash<Key, QList<qsizetype>> filed;
    const auto repeatsKept = [&](const Segment &segment) {
        for (const ToleranceCell &a : toleranceCellsNear(segment.start)) {
            for (const ToleranceCell &b : toleranceCellsNear(segment.end)) {
                const auto found = filed.constFind(keyOf(a, b));
                if (found == filed.cend())
                    continue;
                for (qsizetype k : *found) {
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
        filed[keyOf(toleranceCellOf(segment.start), toleranceCellOf(segment.end))].append(kept.size());
        kept.append(segment);
    }
    return kept;
}

} // namespace tallero
