#!/usr/bin/env python3
"""Writes a speed-target drawing: a 20 x 15 m room traced by hand, its walls
made of 5 mm steps that wander up to 2 mm off the line (about 14,000
vertices), as an ASCII DXF in metres. The noise is seeded, so every run
writes the same file.

    python3 bench/make_noisy_room.py PATH
"""

import random
import sys

import dxfwriter

WIDTH = 20.0
DEPTH = 15.0
STEP = 0.005
NOISE = 0.002


def room():
    noise = random.Random(20261206)
    corners = [(0.0, 0.0), (WIDTH, 0.0), (WIDTH, DEPTH), (0.0, DEPTH)]
    ring = []
    for (ax, ay), (bx, by) in zip(corners, corners[1:] + corners[:1]):
        length = abs(bx - ax) + abs(by - ay)
        steps = int(round(length / STEP))
        # Unit normal pointing outwards for a counter-clockwise ring.
        nx, ny = (by - ay) / length, -(bx - ax) / length
        for i in range(steps):
            t = i / steps
            off = 0.0 if i == 0 else noise.uniform(-NOISE, NOISE)
            ring.append((round(ax + (bx - ax) * t + nx * off, 6),
                         round(ay + (by - ay) * t + ny * off, 6)))
    return ring


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    dxfwriter.write(sys.argv[1], [dxfwriter.polyline(room())])
    return 0


if __name__ == "__main__":
    sys.exit(main())
