#!/usr/bin/env python3
"""Writes the drawings the thorough-nesting benchmark plans: ordinary floors,
decks and halls whose edges cut many sheets, as ASCII DXF files (metres).

    python3 bench/make_nesting_set.py FOLDER
    python3 bench/make_nesting_set.py FOLDER --random COUNT SEED

The first writes the twelve floors of the benchmark; the second COUNT more
of the same four kinds with measures drawn at random from SEED, to see
whether what the twelve show holds beyond them.

Curves are written as polylines of many short segments, as a CAD program
exports them, and columns as circles or small closed polylines (holes).
Pure Python, no packages.
"""

import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import dxfwriter  # noqa: E402


def arc(cx, cy, r, start, end, steps):
    """Points along an arc from angle `start` to `end` (degrees), both ends included."""
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
             cy + r * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def square(x, y, side):
    return [(x, y), (x + side, y), (x + side, y + side), (x, y + side)]


def room_curved(width, depth, sagitta):
    """A room whose far wall is a shallow arc."""
    radius = ((width / 2) ** 2 + sagitta ** 2) / (2 * sagitta)
    cy = depth + sagitta - radius
    half = math.degrees(math.asin((width / 2) / radius))
    ring = [(0.0, 0.0), (width, 0.0)] + arc(width / 2, cy, radius, 90 - half, 90 + half, 60)
    return [dxfwriter.polyline(ring)]


def l_columns(a, b, c, d, columns):
    """An L-shaped floor a x b with a c x d notch cut from its upper right, and columns."""
    ring = [(0.0, 0.0), (a, 0.0), (a, b - d), (a - c, b - d), (a - c, b), (0.0, b)]
    entities = [dxfwriter.polyline(ring)]
    for kind, x, y, size in columns:
        if kind == "round":
            entities.append(dxfwriter.circle(x, y, size))
        else:
            entities.append(dxfwriter.polyline(square(x, y, size), layer="PILARES"))
    return entities


def deck_bays(width, depth, bays):
    """A deck whose front edge carries three-sided bays (x, half width, depth)
    and whose back corners are rounded."""
    ring = [(0.0, 0.0)]
    for x, half, out in sorted(bays):
        ring += [(x - half - out * 0.6, 0.0), (x - half, -out), (x + half, -out),
                 (x + half + out * 0.6, 0.0)]
    ring += [(width, 0.0)]
    ring += arc(width - 0.6, depth - 0.6, 0.6, 0, 90, 12)
    ring += arc(0.6, depth - 0.6, 0.6, 90, 180, 12)
    return [dxfwriter.polyline(ring)]


def hall_wavy(width, depth, amplitude, wavelength, columns):
    """A hall whose lower long wall is a wave, with round columns."""
    points = int(width / wavelength * 40)
    ring = [(width * i / points,
             amplitude * math.sin(2 * math.pi * width * i / points / wavelength) + amplitude)
            for i in range(points + 1)]
    ring += [(width, depth), (0.0, depth)]
    entities = [dxfwriter.polyline(ring)]
    for x, y, r in columns:
        entities.append(dxfwriter.circle(x, y, r))
    return entities


# Four kinds of floor, each small, medium and large; the measures are odd
# on purpose, as real rooms are, so edges fall anywhere in a sheet.
DRAWINGS = {
    "room-curved-s.dxf": room_curved(5.6, 4.3, 0.35),
    "room-curved-m.dxf": room_curved(7.3, 5.1, 0.45),
    "room-curved-l.dxf": room_curved(9.7, 6.35, 0.8),
    "l-columns-s.dxf": l_columns(7.4, 5.8, 3.1, 2.4, [("round", 2.0, 2.2, 0.2)]),
    "l-columns-m.dxf": l_columns(11.3, 8.7, 5.1, 3.9,
                                 [("round", 2.6, 2.4, 0.22), ("square", 7.7, 1.9, 0.35)]),
    "l-columns-l.dxf": l_columns(13.9, 10.45, 6.2, 4.7,
                                 [("round", 3.1, 3.3, 0.25), ("round", 3.1, 7.3, 0.25),
                                  ("square", 9.4, 2.6, 0.4)]),
    "deck-bays-s.dxf": deck_bays(5.2, 3.7, [(2.6, 0.8, 0.9)]),
    "deck-bays-m.dxf": deck_bays(9.4, 4.75, [(3.0, 0.9, 1.1), (6.9, 0.7, 0.8)]),
    "deck-bays-l.dxf": deck_bays(12.3, 5.55, [(2.7, 0.6, 0.9), (6.1, 1.2, 1.3),
                                              (9.9, 0.6, 0.9)]),
    "hall-wavy-s.dxf": hall_wavy(10.6, 6.9, 0.25, 2.7, [(5.3, 3.4, 0.2)]),
    "hall-wavy-m.dxf": hall_wavy(16.3, 9.35, 0.3, 3.1, [(5.2, 4.6, 0.2), (11.1, 4.6, 0.2)]),
    "hall-wavy-l.dxf": hall_wavy(21.7, 12.15, 0.45, 4.3,
                                 [(6.0, 4.0, 0.25), (6.0, 8.5, 0.25), (15.0, 4.0, 0.25),
                                  (15.0, 8.5, 0.25)]),
}


def random_drawing(rng, kind):
    """One floor of the given kind with measures drawn from `rng`, rounded to
    the centimetre as a drawing's would be."""
    def u(low, high):
        return round(rng.uniform(low, high), 2)
    if kind == "room-curved":
        return room_curved(u(4.0, 12.0), u(3.0, 8.0), u(0.2, 1.0))
    if kind == "l-columns":
        a, b = u(6.0, 15.0), u(5.0, 11.0)
        c, d = u(0.3 * a, 0.5 * a), u(0.3 * b, 0.5 * b)
        columns = []
        for _ in range(rng.randint(1, 3)):
            # In the part of the L below the notch, clear of the walls.
            x, y = u(0.8, a - 0.8), u(0.8, b - d - 0.8)
            if rng.random() < 0.5:
                columns.append(("round", x, y, u(0.15, 0.3)))
            else:
                columns.append(("square", x, y, u(0.25, 0.45)))
        return l_columns(a, b, c, d, columns)
    if kind == "deck-bays":
        width, depth = u(5.0, 13.0), u(3.5, 6.0)
        count = rng.randint(1, 3)
        bays = []
        for i in range(count):
            # Each bay in its own share of the front, so none overlap.
            share = width / count
            out, half = u(0.7, 1.3), u(0.5, 1.0)
            reach = half + out * 0.6 + 0.2
            if share < 2 * reach:
                continue
            bays.append((u(i * share + reach, (i + 1) * share - reach), half, out))
        return deck_bays(width, depth, bays)
    width, depth = u(10.0, 22.0), u(6.0, 12.0)
    columns = [(u(1.5, width - 1.5), u(2.0, depth - 1.5), u(0.15, 0.3))
               for _ in range(rng.randint(1, 4))]
    return hall_wavy(width, depth, u(0.2, 0.5), u(2.5, 4.5), columns)


def main():
    if len(sys.argv) not in (2, 5) or (len(sys.argv) == 5 and sys.argv[2] != "--random"):
        sys.stderr.write(__doc__)
        return 2
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    if len(sys.argv) == 5:
        rng = random.Random(int(sys.argv[4]))
        kinds = ["room-curved", "l-columns", "deck-bays", "hall-wavy"]
        for i in range(int(sys.argv[3])):
            kind = kinds[i % len(kinds)]
            dxfwriter.write(os.path.join(folder, "%s-r%02d.dxf" % (kind, i)),
                            random_drawing(rng, kind))
        return 0
    for name, entities in DRAWINGS.items():
        dxfwriter.write(os.path.join(folder, name), entities)
    return 0


if __name__ == "__main__":
    sys.exit(main())
