#!/usr/bin/python3
"""Writes the seed corpus of the DXF import's fuzzer into tests/fuzz/corpus:
every drawing that once tried the import, written small (a few entities,
only the ENTITIES section, where the reader starts work), and the ENTITIES
sections of the test and example drawings. Run from anywhere:

    /usr/bin/python3 tests/fuzz/make_corpus.py
"""

import glob
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(HERE, "corpus")


def dxf(groups):
    lines = []
    for code, value in groups:
        lines.append("%3d" % code)
        lines.append(str(value))
    return "\n".join(lines) + "\n"


def document(entities):
    return dxf([(0, "SECTION"), (2, "ENTITIES")] + entities + [(0, "ENDSEC"), (0, "EOF")])


def line(a, b, extra=()):
    return [(0, "LINE"), (8, "0")] + list(extra) + [(10, a[0]), (20, a[1]), (11, b[0]), (21, b[1])]


def lwpolyline(points, closed=True, extra=()):
    groups = [(0, "LWPOLYLINE"), (8, "0")] + list(extra) + [(90, len(points)), (70, 1 if closed else 0)]
    for p in points:
        groups += [(10, p[0]), (20, p[1])]
        if len(p) > 2:
            groups.append((42, p[2]))
    return groups


def rectangle(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def room_lines(x, y, w, h):
    r = rectangle(x, y, w, h)
    return sum((line(r[k], r[(k + 1) % 4]) for k in range(4)), [])


def seeds():
    below = [(210, 0.0), (220, 0.0), (230, -1.0)]
    yield "tiny-height", document(lwpolyline([(0, 0), (1, 0), (1, 5e-324), (0, 5e-324)]))
    yield "lines-twice", document(room_lines(0, 0, 6, 4) * 2)
    yield "bow-tie", document(lwpolyline([(0, 0), (5, 4), (5, 0), (0, 4)]))
    yield "overlapping-columns", document(lwpolyline(rectangle(0, 0, 10, 10)) + lwpolyline(rectangle(2, 2, 4, 4))
                                          + lwpolyline(rectangle(4, 4, 4, 4)))
    yield "column-in-wall", document(lwpolyline(rectangle(0, 0, 10, 10)) + lwpolyline(rectangle(8, 4, 4, 2)))
    yield "loop-in-hole", document(lwpolyline(rectangle(0, 0, 10, 10)) + lwpolyline(rectangle(2, 2, 6, 6))
                                   + lwpolyline(rectangle(4, 4, 2, 2)))
    yield "column-twice", document(lwpolyline(rectangle(0, 0, 10, 10)) + lwpolyline(rectangle(3, 3, 2, 2)) * 2)
    yield "outline-twice", document(lwpolyline(rectangle(0, 0, 10, 10))
                                    + lwpolyline(rectangle(0, 0, 10, 10)[2:] + rectangle(0, 0, 10, 10)[:2]))
    yield "paper-space", document(lwpolyline(rectangle(0, 0, 6, 4))
                                  + lwpolyline(rectangle(0, 0, 420, 297), extra=[(67, 1)])
                                  + [(0, "ARC"), (67, 1), (10, 5), (20, 5), (40, 1), (50, 0), (51, 90)])
    yield "mirrored-arc", document(line((0, 0), (6, 0)) + line((6, 0), (6, 3)) + line((5, 4), (0, 4))
                                   + line((0, 4), (0, 0))
                                   + [(0, "ARC"), (10, -5), (20, 3), (40, 1), (50, 90), (51, 180)] + below)
    yield "mirrored-shapes", document(
        lwpolyline([(0, 0, 0), (-7, 0, 0), (-7, 3, -0.414), (-6, 4, 0), (0, 4, 0)], extra=below)
        + [(0, "CIRCLE"), (10, -1.5), (20, 2), (40, 0.4)] + below
        + [(0, "ELLIPSE"), (10, 4), (20, 2), (11, 1), (21, 0), (40, 0.5), (41, 0), (42, math.pi)] + below
        + [(0, "POLYLINE"), (66, 1), (70, 1)] + below
        + sum(([(0, "VERTEX"), (10, x), (20, y)] for x, y in rectangle(-3, 1, 1, 1)), []) + [(0, "SEQEND")])
    yield "utm-l-room", document(lwpolyline([(452310, 4412870), (452318, 4412870), (452318, 4412874),
                                             (452314, 4412874), (452314, 4412878), (452310, 4412878)]))
    yield "far-room", document(lwpolyline(rectangle(3e6, 3e6, 6.001, 4)))
    yield "far-column", document(lwpolyline(rectangle(0, 0, 10, 10)) + lwpolyline(rectangle(3e8, 3e8, 1, 0.5)))
    yield "empty-records", "  0\n\n" * 2000
    yield "non-numeric", document(lwpolyline([(0, 0), (6, 0), ("abc", 4), ("0x10", 4)]))
    yield "binary", "AutoCAD Binary DXF\r\n\x1a\x00" + "\x00SECTION\x00\x02ENTITIES\x00"
    yield "utf16-bom", "\ufeff" + document(lwpolyline(rectangle(0, 0, 6, 4)))  # encoded below
    yield "all-types", document(
        line((0, 0), (1, 1)) + lwpolyline([(0, 0, 1), (2, 0, 0), (2, 2, -0.5)], closed=False)
        + [(0, "POLYLINE"), (70, 1), (0, "VERTEX"), (10, 0), (20, 0), (42, 0.3), (0, "VERTEX"), (10, 1), (20, 0),
           (0, "VERTEX"), (10, 1), (20, 1), (0, "SEQEND")]
        + [(0, "ARC"), (10, 3), (20, 2), (40, 0.3), (50, 350), (51, 10)]
        + [(0, "CIRCLE"), (10, 2), (20, 1.5), (40, 0.5)]
        + [(0, "ELLIPSE"), (10, 3), (20, 1), (11, 0.2), (21, 0), (40, 0.5), (41, 5.5), (42, 0.5)]
        + [(0, "SPLINE"), (11, 0), (21, 0), (11, 1), (21, 2), (10, 0), (20, 0), (10, 2), (20, 2)])


def entities_section(path):
    """The ENTITIES section of a committed drawing, as its writer wrote it."""
    with open(path, "rb") as source:
        lines = source.read().split(b"\n")
    for k in range(0, len(lines) - 3, 2):
        if lines[k].strip() == b"0" and lines[k + 1].strip() == b"SECTION" and lines[k + 3].strip() == b"ENTITIES":
            end = k + 4
            while end < len(lines) - 1 and not (lines[end].strip() == b"0" and lines[end + 1].strip() == b"ENDSEC"):
                end += 2
            return b"\n".join(lines[k:end + 2]) + b"\n  0\nEOF\n"
    return None


def main():
    os.makedirs(CORPUS, exist_ok=True)
    for name, text in seeds():
        encoding = "utf-16-le" if name.startswith("utf16") else "latin-1"
        with open(os.path.join(CORPUS, "seed-" + name + ".dxf"), "wb") as out:
            out.write(text.encode(encoding))
    drawings = glob.glob(os.path.join(ROOT, "examples", "*.dxf")) + glob.glob(
        os.path.join(ROOT, "tests", "data", "dxf", "*.dxf")) + glob.glob(
        os.path.join(ROOT, "tests", "data", "dxf", "reader", "*.dxf"))
    for path in sorted(drawings):
        with open(path, "rb") as source:
            whole = source.read()
        section = whole if len(whole) < 4096 else entities_section(path)
        if section:
            with open(os.path.join(CORPUS, "drawing-" + os.path.basename(path)), "wb") as out:
                out.write(section)


if __name__ == "__main__":
    main()
