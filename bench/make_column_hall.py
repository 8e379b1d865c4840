#!/usr/bin/env python3
"""Writes a speed-target drawing: a 100 x 100 m hall whose lower wall is a
wave (amplitude 1.5 m, 1,000 vertices) with 20 round columns of radius
0.35 m, as an ASCII DXF in metres.

    python3 bench/make_column_hall.py PATH
"""

import math
import sys

import dxfwriter

SIDE = 100.0
AMPLITUDE = 1.5
WAVE_POINTS = 1000
COLUMN_RADIUS = 0.35


def hall():
    ring = []
    for i in range(WAVE_POINTS):
        x = SIDE * i / (WAVE_POINTS - 1)
        ring.append((x, AMPLITUDE * math.sin(2.0 * math.pi * x / 9.3) + AMPLITUDE))
    ring += [(SIDE, SIDE), (0.0, SIDE)]
    return ring


def columns():
    # A 5 x 4 grid of columns, off the sheet grid so each one is cut.
    return [(10.3 + 19.7 * i, 14.9 + 23.3 * j) for i in range(5) for j in range(4)]


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    entities = [dxfwriter.polyline(hall())]
    entities += [dxfwriter.circle(x, y, COLUMN_RADIUS) for x, y in columns()]
    dxfwriter.write(sys.argv[1], entities)
    return 0


if __name__ == "__main__":
    sys.exit(main())
