#pragma once

#include "geometry/preparedgeometry.h"
#include "geometry/shape.h"

#include <optional>
#include <vector>

namespace tallero {

// An outline prepared for the two questions a grid asks of every position
// before any clipping: does a cell meet the outline at all, and does it lie
// wholly inside it. The engine indexes the outline's edges once, so each
// answer costs far less than a clip. Only a valid outline is prepared: on an
// invalid one the predicates and the clipping need not agree, so both
// answers are "no" and the clipping decides. Use it on one thread at a time.
class PreparedOutline
{
public:
    explicit PreparedOutline(const Shape &outline);
    ~PreparedOutline();
    PreparedOutline(const PreparedOutline &) = delete;
    PreparedOutline &operator=(const PreparedOutline &) = delete;

    // True only when the engine says the cell and the outline do not meet.
    bool missesCell(const Shape &cell) const;

    // True only when the engine says the cell lies in the outline's interior.
    bool holdsCell(const Shape &cell) const;

    // intersectShapes(outline, cell), the same result. The engine's overlay
    // leaves out every ring whose bounds miss the cell's (widened by a tenth
    // of its size); for an outline of one polygon with many holes, those
    // holes are left out here before the call, so the engine does not walk
    // them for every cell on the outline's edge.
    std::optional<Shape> clipCell(const Shape &cell) const;

private:
    std::optional<PreparedGeometry> m_prepared;
    GeometryHandle m_outline;
    struct Hole
    {
        double left, bottom, right, top;
        const GEOSGeometry *ring;
    };
    std::vector<Hole> m_holes;   // of a single polygon; empty otherwise
};

} // namespace tallero
