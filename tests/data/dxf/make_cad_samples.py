#!/usr/bin/python3
"""Writes DXF files the way a CAD program does (through ezdxf: full HEADER,
TABLES, BLOCKS and OBJECTS sections, handles, layers) and, from the same
geometry, the outline area and bounds Tallero must find in them.

The expected values are computed from the same chords Tallero draws curves
with (4 degrees per ARC step, 96 steps per CIRCLE, about 5 mm per bulge or
ELLIPSE step within their limits, SPLINE fit points taken as they are), so a
test can compare them tightly. Run with the system Python, which has ezdxf:

    /usr/bin/python3 tests/data/dxf/make_cad_samples.py
"""

import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))


# --- the chords Tallero draws ----------------------------------------------

def arc_points(cx, cy, r, start, end, steps=None):
    if start > end:
        end += 360.0
    sweep = min(end - start, 360.0)
    if steps is None:
        steps = max(12, math.trunc(sweep * 0.25))
    return [(cx + r * math.cos(math.radians(start + k * sweep / steps)),
             cy + r * math.sin(math.radians(start + k * sweep / steps))) for k in range(steps + 1)]


def circle_points(cx, cy, r):
    return arc_points(cx, cy, r, 0.0, 360.0, steps=96)


def ellipse_points(cx, cy, mx, my, ratio, s, e):
    if e < s:
        e += 2 * math.pi
    length = math.hypot(mx, my)
    steps = min(360, max(12, math.ceil(abs(e - s) * max(length, ratio * length) / 0.005)))
    points = []
    for k in range(steps + 1):
        t = s + k * (e - s) / steps
        points.append((cx + mx * math.cos(t) - ratio * my * math.sin(t),
                       cy + my * math.cos(t) + ratio * mx * math.sin(t)))
    return points


def expand_bulges(vertices, closed):
    """vertices: (x, y, bulge) tuples."""
    n = len(vertices)
    edges = n if closed else n - 1
    points = []
    for k in range(edges):
        ax, ay, b = vertices[k]
        bx, by, _ = vertices[(k + 1) % n]
        points.append((ax, ay))
        dx, dy = bx - ax, by - ay
        c = math.hypot(dx, dy)
        if abs(b) < 1e-12 or c < 1e-7:
            continue
        theta = 4 * math.atan(b)
        r = (b * b + 1) * c / (4 * abs(b))
        d = (1 - b * b) * c / (4 * b)
        ox = (ax + bx) / 2 - d * dy / c
        oy = (ay + by) / 2 + d * dx / c
        a0 = math.atan2(ay - oy, ax - ox)
        steps = min(180, max(3, math.ceil(abs(theta) * r / 0.005)))
        points += [(ox + r * math.cos(a0 + j * theta / steps), oy + r * math.sin(a0 + j * theta / steps))
                   for j in range(1, steps)]
    if not closed:
        points.append(vertices[-1][:2])
    return points


def ring_area(points):
    s = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        s += x0 * y1 - x1 * y0
    return abs(s) / 2


class Expected:
    def __init__(self, name):
        self.name = name
        self.outline = None
        self.holes = []

    def row(self):
        xs = [p[0] for p in self.outline]
        ys = [p[1] for p in self.outline]
        area = ring_area(self.outline) - sum(ring_area(h) for h in self.holes)
        values = [area, min(xs), min(ys), max(xs) - min(xs), max(ys) - min(ys)]
        return "\t".join([self.name] + ["%.12f" % v for v in values] + [str(1 + len(self.holes))])


def new_document(version):
    doc = ezdxf.new(version, setup=True)
    doc.header["$INSUNITS"] = 6  # metres
    doc.layers.add("OUTLINE")
    doc.layers.add("HOLES")
    return doc


def decoy_block(doc, msp):
    """A block larger than the drawing, inserted: block contents are not read."""
    block = doc.blocks.new(name="TITLE_FRAME")
    block.add_polyline2d([(-50, -50), (50, -50), (50, 50), (-50, 50)], close=True)
    block.add_circle((0, 0), 40)
    msp.add_blockref("TITLE_FRAME", (0, 0))


# --- the samples -------------------------------------------------------------

def r12_polyline_room():
    doc = new_document("R12")
    msp = doc.modelspace()
    vertices = [(0.0, 0.0, 0.0), (5.0, 0.0, 0.0), (5.0, 3.0, 0.25), (0.0, 3.0, 0.0)]
    msp.add_polyline2d([(x, y, 0, 0, b) for x, y, b in vertices], format="xyseb", close=True,
                       dxfattribs={"layer": "OUTLINE"})
    msp.add_circle((1.0, 1.0), 0.3, dxfattribs={"layer": "HOLES"})
    msp.add_text("SALA", dxfattribs={"insert": (2, 1.5), "height": 0.2})
    decoy_block(doc, msp)
    expected = Expected("r12-polyline-room.dxf")
    expected.outline = expand_bulges(vertices, True)
    expected.holes = [circle_points(1.0, 1.0, 0.3)]
    return doc, expected


def r2000_rounded_rectangle():
    doc = new_document("R2000")
    msp = doc.modelspace()
    q = math.tan(math.radians(90) / 4)  # quarter-circle corner
    w, h, r = 6.0, 4.0, 0.5
    vertices = [(r, 0.0, 0.0), (w - r, 0.0, q), (w, r, 0.0), (w, h - r, q), (w - r, h, 0.0),
                (r, h, q), (0.0, h - r, 0.0), (0.0, r, q)]
    msp.add_lwpolyline(vertices, format="xyb", close=True, dxfattribs={"layer": "OUTLINE"})
    holes = [(1.5, 2.0, 0.15), (4.5, 2.0, 0.15)]
    for x, y, radius in holes:
        msp.add_circle((x, y), radius, dxfattribs={"layer": "HOLES"})
    msp.add_mtext("Planta baja", dxfattribs={"insert": (0.5, 3.5), "char_height": 0.15})
    decoy_block(doc, msp)
    expected = Expected("r2000-lwpolyline-bulges.dxf")
    expected.outline = expand_bulges(vertices, True)
    expected.holes = [circle_points(x, y, radius) for x, y, radius in holes]
    return doc, expected


def r2010_arc_and_lines():
    doc = new_document("R2010")
    msp = doc.modelspace()
    # A 4 x 3 room with a half-round bay on its right, drawn as a draughtsman
    # would: lines in no particular order and direction.
    msp.add_line((0, 3), (4, 3))
    msp.add_line((0, 0), (0, 3))
    arc = msp.add_arc((4, 1.5), 1.5, -90, 90)
    msp.add_line((4, 0), (0, 0))
    # An open dimension-like line that closes nothing.
    msp.add_line((0, -0.5), (5.5, -0.5), dxfattribs={"layer": "Defpoints"})
    # A hole drawn as half an ellipse closed by a line.
    half = msp.add_ellipse((2, 1.5), major_axis=(0.8, 0), ratio=0.5, start_param=0, end_param=math.pi)
    msp.add_line((1.2, 1.5), (2.8, 1.5))
    expected = Expected("r2010-arc-line-outline.dxf")
    expected.outline = [(0, 0)] + arc_points(4, 1.5, 1.5, arc.dxf.start_angle, arc.dxf.end_angle) + [(0, 3)]
    expected.holes = [ellipse_points(2, 1.5, 0.8, 0, 0.5, half.dxf.start_param, half.dxf.end_param)]
    return doc, expected


def r2013_spline_and_ellipse():
    doc = new_document("R2013")
    msp = doc.modelspace()
    fit = [(3 * math.cos(t) + 0.4 * math.cos(3 * t), 2 * math.sin(t))
           for t in (2 * math.pi * k / 16 for k in range(16))]
    fit.append(fit[0])
    msp.add_spline(fit_points=fit, dxfattribs={"layer": "OUTLINE"})
    ellipse = msp.add_ellipse((0.5, 0.2), major_axis=(0.6, 0.3), ratio=0.4)
    expected = Expected("r2013-spline-ellipse.dxf")
    expected.outline = fit[:-1]
    expected.holes = [ellipse_points(0.5, 0.2, 0.6, 0.3, 0.4, ellipse.dxf.start_param, ellipse.dxf.end_param)]
    return doc, expected


def main():
    rows = ["file\tarea\tmin_x\tmin_y\twidth\theight\trings"]
    for make in (r12_polyline_room, r2000_rounded_rectangle, r2010_arc_and_lines, r2013_spline_and_ellipse):
        doc, expected = make()
        doc.saveas(os.path.join(HERE, expected.name))
        rows.append(expected.row())
    with open(os.path.join(HERE, "cad_samples_expected.tsv"), "w") as out:
        out.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
