#!/usr/bin/env python3
"""Writes the benchmark's large drawing: a 40 x 25 m hall whose lower long
wall is a wave, as one closed LWPOLYLINE in an ASCII DXF (metres).

    python3 bench/make_wave_hall.py PATH [WAVE_POINTS]

WAVE_POINTS (3000) vertices make the wave: y = 0.35 sin(2 pi x / 3.7) + 0.35.
Pure Python, no packages, so the bench needs nothing beyond the build.
"""

import math
import sys


def wave_hall(points):
    ring = []
    for i in range(points):
        x = 40.0 * i / (points - 1)
        ring.append((x, 0.35 * math.sin(2.0 * math.pi * x / 3.7) + 0.35))
    ring.append((40.0, 25.0))
    ring.append((0.0, 25.0))
    return ring


def dxf_text(ring):
    lines = ["0", "SECTION", "2", "HEADER", "9", "$INSUNITS", "70", "6", "0", "ENDSEC",
             "0", "SECTION", "2", "ENTITIES",
             "0", "LWPOLYLINE", "100", "AcDbEntity", "8", "MUROS", "100", "AcDbPolyline",
             "90", str(len(ring)), "70", "1"]
    for x, y in ring:
        lines += ["10", repr(x), "20", repr(y)]
    lines += ["0", "ENDSEC", "0", "EOF"]
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) not in (2, 3):
        sys.stderr.write(__doc__)
        return 2
    points = int(sys.argv[2]) if len(sys.argv) == 3 else 3000
    if points < 3:
        sys.stderr.write("WAVE_POINTS must be at least 3\n")
        return 2
    with open(sys.argv[1], "w", encoding="ascii", newline="\n") as out:
        out.write(dxf_text(wave_hall(points)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
