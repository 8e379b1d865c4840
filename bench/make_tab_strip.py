#!/usr/bin/env python3
"""Writes a speed-target drawing: a 120 x 2.4 m strip with 60 small
rectangular tabs of distinct sizes (0.10 to 0.35 m wide) on its top edge,
one per 2 m, as an ASCII DXF in metres. With 2.44 x 1.22 m sheets the tabs
become about 60 small cut pieces that share one cutting sheet.

    python3 bench/make_tab_strip.py PATH
"""

import sys

import dxfwriter

LENGTH = 120.0
HEIGHT = 2.4
TABS = 60


def strip():
    ring = [(0.0, 0.0), (LENGTH, 0.0), (LENGTH, HEIGHT)]
    # Walk the top edge from right to left, one tab per 2 m.
    for k in reversed(range(TABS)):
        width = 0.10 + 0.25 * k / (TABS - 1)
        depth = 0.08 + 0.17 * ((k * 37) % TABS) / (TABS - 1)
        left = 2.0 * k + 0.7
        ring += [(left + width, HEIGHT), (left + width, HEIGHT + depth),
                 (left, HEIGHT + depth), (left, HEIGHT)]
    ring.append((0.0, HEIGHT))
    return ring


def main():
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    dxfwriter.write(sys.argv[1], [dxfwriter.polyline(strip())])
    return 0


if __name__ == "__main__":
    sys.exit(main())
