#!/usr/bin/python3
"""Writes the drawings the report is tried with: plain DXF text, only an
ENTITIES section. Run it from anywhere; the files land in report/ beside this
script:

    python3 tests/data/dxf/make_report_drawings.py

many-codes.dxf: sixty grid rows, each one whole 2.0 x 1.2 m sheet and a 0.6 m
tall tab on its right whose width grows by a millimetre a row (10 to 69 mm),
so a 2.0 x 1.2 m plan has sixty distinct cut pieces, all nested on one
cutting sheet.

ring-hall.dxf: a round hall 10 m across with a round core 2.6 m across; its
cut pieces fill twenty-one cutting sheets (the report benchmark).
"""

import math
import os

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "report")


def number(value):
    return repr(float(value))


def group(code, value):
    return "%3d\n%s\n" % (code, value)


def lwpolyline(points):
    text = group(0, "LWPOLYLINE") + group(8, "0") + group(90, len(points)) + group(70, 1)
    for x, y in points:
        text += group(10, number(x)) + group(20, number(y))
    return text


def circle(cx, cy, r):
    return group(0, "CIRCLE") + group(8, "0") + group(10, number(cx)) + group(20, number(cy)) + group(40, number(r))


def write(name, entities):
    text = group(0, "SECTION") + group(2, "ENTITIES") + "".join(entities) + group(0, "ENDSEC") + group(0, "EOF")
    with open(os.path.join(HERE, name), "w", encoding="ascii", newline="\n") as out:
        out.write(text)


def many_codes():
    rows = 60
    points = [(0.0, 0.0)]
    for r in range(rows):
        y = 1.2 * r
        tab = 0.010 + 0.001 * r
        points += [(2.0, y), (2.0 + tab, y), (2.0 + tab, y + 0.6), (2.0, y + 0.6)]
    points += [(2.0, 1.2 * rows), (0.0, 1.2 * rows)]
    write("many-codes.dxf", [lwpolyline(points)])


def ring_hall():
    write("ring-hall.dxf", [circle(0.0, 0.0, 5.0), circle(0.0, 0.0, 1.3)])


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    many_codes()
    ring_hall()
