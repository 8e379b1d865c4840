#!/usr/bin/python3
"""Writes the drawings that tried the DXF reader: entities in paper space,
entities mirrored by their extrusion direction (each with its twin written in
world coordinates), non-numeric coordinates, a binary DXF and UTF-16 text.
Where a CAD program would write the file, ezdxf writes it; the faults no CAD
program writes (text where a number is due) are written as plain DXF text.
The generated files are committed, so the tests need no Python. Run with the
system Python, which has ezdxf:

    /usr/bin/python3 tests/data/dxf/make_reader_faults.py
"""

import math
import os

import ezdxf
from ezdxf.math import Vec3

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reader")
BELOW = (0, 0, -1)


def new_document():
    doc = ezdxf.new("R2010", setup=True)
    doc.header["$INSUNITS"] = 6  # metres
    return doc


def save(doc, name):
    doc.saveas(os.path.join(HERE, name))


def close_to(a, b):
    return (Vec3(a) - Vec3(b)).magnitude < 1e-9


# --- paper space ---------------------------------------------------------------

def paper_space_frame():
    """A 6 x 4 m room in model space; an A3 frame with a title block on the
    layout, which CAD programs put in the ENTITIES section with code 67 = 1."""
    doc = new_document()
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (6, 0), (6, 4), (0, 4)], close=True)
    layout = doc.layout("Layout1")
    layout.add_lwpolyline([(-10, -10), (410, -10), (410, 287), (-10, 287)], close=True)
    layout.add_polyline2d([(300, -5), (405, -5), (405, 30), (300, 30)], close=True)
    layout.add_line((300, 10), (405, 10))
    layout.add_circle((20, 20), 5)
    layout.add_arc((50, 20), 5, 0, 180)
    save(doc, "paper-space-frame.dxf")


# --- mirrored entities ---------------------------------------------------------

def corner_arc(mirrored):
    """A 6 x 4 m room whose top right corner is rounded with a radius of 1 m.
    Mirrored, the arc lies in the coordinate system seen from below, as CAD
    programs leave it after mirroring a drawing: centre (-5, 3), from 90 to
    180 degrees there."""
    doc = new_document()
    msp = doc.modelspace()
    msp.add_line((0, 0), (6, 0))
    msp.add_line((6, 0), (6, 3))
    msp.add_line((5, 4), (0, 4))
    msp.add_line((0, 4), (0, 0))
    if mirrored:
        arc = msp.add_arc((-5, 3), 1, 90, 180, dxfattribs={"extrusion": BELOW})
    else:
        arc = msp.add_arc((5, 3), 1, 0, 90)
    # Both must end where the lines do, and bulge outwards (ezdxf gives the
    # points in world coordinates).
    ends = list(arc.vertices([arc.dxf.start_angle, arc.dxf.end_angle]))
    assert all(any(close_to(e, w) for w in [(5, 4, 0), (6, 3, 0)]) for e in ends), ends
    middle = list(arc.vertices([(arc.dxf.start_angle + arc.dxf.end_angle) / 2]))[0]
    assert close_to(middle, (5 + math.sqrt(0.5), 3 + math.sqrt(0.5), 0)), middle
    save(doc, "corner-arc-mirrored.dxf" if mirrored else "corner-arc-world.dxf")


def mirrored_entities(mirrored):
    """A room outline with a rounded corner (LWPOLYLINE with a bulge), a round
    column (CIRCLE) and a half-oval pit closed by a line (ELLIPSE + LINE): once
    written in the system seen from below, once in world coordinates."""
    doc = new_document()
    msp = doc.modelspace()
    bulge = math.tan(math.radians(90) / 4)
    world = [(0, 0, 0), (7, 0, 0), (7, 3, bulge), (6, 4, 0), (0, 4, 0)]
    if mirrored:
        # Seen from below, x is mirrored and every arc turns the other way.
        ocs_vertices = [(-x, y, -b) for x, y, b in world]
        outline = msp.add_lwpolyline(ocs_vertices, format="xyb", close=True, dxfattribs={"extrusion": BELOW})
        assert all(close_to(p, (x, y, 0)) for p, (x, y, _) in zip(outline.vertices_in_wcs(), world))
        column = msp.add_circle((-1.5, 2), 0.4, dxfattribs={"extrusion": BELOW})
        assert close_to(column.ocs().to_wcs(column.dxf.center), (1.5, 2, 0))
        # An ellipse keeps its centre and axis in world coordinates; seen from
        # below its parameters run clockwise, so 0 to pi is the lower half.
        ellipse = msp.add_ellipse((4, 2), major_axis=(1, 0), ratio=0.5, start_param=0, end_param=math.pi,
                                  dxfattribs={"extrusion": BELOW})
    else:
        msp.add_lwpolyline(world, format="xyb", close=True)
        msp.add_circle((1.5, 2), 0.4)
        ellipse = msp.add_ellipse((4, 2), major_axis=(1, 0), ratio=0.5, start_param=math.pi,
                                  end_param=2 * math.pi)
    lowest = ellipse.construction_tool().vertices([math.pi / 2 if mirrored else 3 * math.pi / 2])
    assert close_to(list(lowest)[0], (4, 1.5, 0)), "the pit must open downwards"
    msp.add_line((3, 2), (5, 2))
    save(doc, "mirrored-entities.dxf" if mirrored else "mirrored-entities-world.dxf")


# --- faults no CAD program writes ----------------------------------------------

def plain_dxf(groups):
    lines = []
    for code, value in groups:
        lines.append("%3d" % code)
        lines.append(str(value))
    return "\n".join(lines) + "\n"


def room_groups(x_of_third_vertex="6"):
    groups = [(0, "SECTION"), (2, "ENTITIES"), (0, "LWPOLYLINE"), (8, "0"), (90, 4), (70, 1)]
    for x, y in [("0", "0"), ("6", "0"), (x_of_third_vertex, "4"), ("0", "4")]:
        groups += [(10, x), (20, y)]
    return groups + [(0, "ENDSEC"), (0, "EOF")]


def write_text(name, text, encoding="utf-8"):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(text.encode(encoding))


def faults():
    write_text("non-numeric-abc.dxf", plain_dxf(room_groups("abc")))
    write_text("non-numeric-hex.dxf", plain_dxf(room_groups("0x10")))
    room = plain_dxf(room_groups())
    write_text("room-utf8.dxf", room)
    # Python's "utf-16" writes a byte-order mark; the others write none.
    write_text("room-utf16-bom.dxf", room, "utf-16")
    write_text("room-utf16le.dxf", room, "utf-16-le")
    write_text("room-utf16be.dxf", room, "utf-16-be")
    doc = new_document()
    doc.modelspace().add_lwpolyline([(0, 0), (6, 0), (6, 4), (0, 4)], close=True)
    doc.saveas(os.path.join(HERE, "room-binary.dxf"), fmt="bin")


def main():
    os.makedirs(HERE, exist_ok=True)
    paper_space_frame()
    for mirrored in (True, False):
        corner_arc(mirrored)
        mirrored_entities(mirrored)
    faults()


if __name__ == "__main__":
    main()
