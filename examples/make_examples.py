#!/usr/bin/python3
"""Writes the sample drawings shipped with Tallero: work areas in metres as a
CAD program exports them. Run with the system Python, which has ezdxf:

    /usr/bin/python3 examples/make_examples.py
"""

import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))


def new_document():
    doc = ezdxf.new("R2010", setup=True)
    doc.header["$INSUNITS"] = 6  # metres
    doc.header["$MEASUREMENT"] = 1
    for name, colour in (("MUROS", 7), ("PILARES", 1), ("TEXTOS", 3)):
        doc.layers.add(name, color=colour)
    return doc


def label(msp, text, x, y):
    msp.add_text(text, dxfattribs={"layer": "TEXTOS", "insert": (x, y), "height": 0.15})


def room_curved_wall():
    """A 6 x 4.5 m room whose far wall is a shallow arc, 0.35 m deep."""
    doc = new_document()
    msp = doc.modelspace()
    width, depth, sagitta = 6.0, 4.5, 0.35
    radius = ((width / 2) ** 2 + sagitta ** 2) / (2 * sagitta)
    cy = depth + sagitta - radius
    start = math.degrees(math.atan2(depth - cy, width / 2))
    walls = {"layer": "MUROS"}
    msp.add_line((0, 0), (width, 0), dxfattribs=walls)
    msp.add_line((width, 0), (width, depth), dxfattribs=walls)
    msp.add_arc((width / 2, cy), radius, start, 180 - start, dxfattribs=walls)
    msp.add_line((0, depth), (0, 0), dxfattribs=walls)
    label(msp, "Sala - muro curvo", 2.2, 2.0)
    doc.saveas(os.path.join(HERE, "room-curved-wall.dxf"))


def l_floor_column():
    """An L-shaped floor, 8 x 6 m overall, with a round column and a square pillar."""
    doc = new_document()
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (8, 0), (8, 3.5), (4.5, 3.5), (4.5, 6), (0, 6)], close=True,
                       dxfattribs={"layer": "MUROS"})
    msp.add_circle((2.25, 2.5), 0.2, dxfattribs={"layer": "PILARES"})
    msp.add_lwpolyline([(6.0, 1.6), (6.3, 1.6), (6.3, 1.9), (6.0, 1.9)], close=True,
                       dxfattribs={"layer": "PILARES"})
    label(msp, "Planta en L", 1.0, 5.0)
    doc.saveas(os.path.join(HERE, "l-floor-column.dxf"))


def deck_bay():
    """A 5 x 3.6 m deck with a three-sided bay on its front edge and a rounded corner."""
    doc = new_document()
    msp = doc.modelspace()
    corner = math.tan(math.radians(90) / 4)  # quarter circle, 0.4 m radius
    msp.add_lwpolyline([(0, 0, 0), (4.6, 0, corner), (5, 0.4, 0), (5, 3.6, 0), (3.5, 3.6, 0),
                        (2.6, 4.5, 0), (2.4, 4.5, 0), (1.5, 3.6, 0), (0, 3.6, 0)],
                       format="xyb", close=True, dxfattribs={"layer": "MUROS"})
    label(msp, "Terraza con mirador", 1.5, 1.5)
    doc.saveas(os.path.join(HERE, "deck-bay.dxf"))


if __name__ == "__main__":
    room_curved_wall()
    l_floor_column()
    deck_bay()
