#pragma once

namespace tallero {

// One of the eight layouts the search tries: the sheet laid as given or
// turned (vertical), and the corner of the outline's bounds the grid starts
// from.
struct LayoutChoice
{
    bool vertical = false;
    bool right = false;
    bool top = false;

    friend bool operator==(const LayoutChoice &, const LayoutChoice &) = default;
};

} // namespace tallero
