#!/usr/bin/python3
"""Writes the small drawings that once gave a wrong plan or a crash: repeated
lines and loops, self-crossing outlines, columns that overlap, cross a wall
or sit inside another hole, and rooms far from the origin. Plain DXF text,
only an ENTITIES section, as the simplest CAD exports write it. Run it from
anywhere; the files land in outline-faults/ beside this script:

    python3 tests/data/dxf/make_outline_faults.py
"""

import os

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "outline-faults")


def number(value):
    # repr is the shortest text that reads back as the same double.
    return repr(float(value))


def group(code, value):
    return "%3d\n%s\n" % (code, value)


def line(a, b):
    return (group(0, "LINE") + group(8, "0")
            + group(10, number(a[0])) + group(20, number(a[1]))
            + group(11, number(b[0])) + group(21, number(b[1])))


def lwpolyline(points, closed=True):
    text = group(0, "LWPOLYLINE") + group(8, "0") + group(90, len(points)) + group(70, 1 if closed else 0)
    for x, y in points:
        text += group(10, number(x)) + group(20, number(y))
    return text


def rectangle(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def moved(points, dx, dy):
    return [(x + dx, y + dy) for x, y in points]


def write(name, entities):
    text = group(0, "SECTION") + group(2, "ENTITIES") + "".join(entities) + group(0, "ENDSEC") + group(0, "EOF")
    with open(os.path.join(HERE, name), "w", encoding="ascii", newline="\n") as out:
        out.write(text)


def room_with_lines_twice():
    corners = rectangle(0, 0, 6, 4)
    sides = [(corners[k], corners[(k + 1) % 4]) for k in range(4)]
    entities = [line(a, b) for a, b in sides]
    # The copies as CAD files hold them: some reversed, some a rounding off.
    entities.append(line(sides[0][1], sides[0][0]))
    entities.append(line(sides[1][0], (sides[1][1][0] + 3e-6, sides[1][1][1])))
    entities.append(line(sides[2][1], sides[2][0]))
    entities.append(line(sides[3][0], sides[3][1]))
    return entities


def l_room(dx=0.0, dy=0.0):
    return [lwpolyline(moved([(0, 0), (7.35, 0), (7.35, 2.8), (3.1, 2.8), (3.1, 5.45), (0, 5.45)], dx, dy))]


def room_with_column(dx=0.0, dy=0.0):
    return [lwpolyline(moved(rectangle(0, 0, 10, 10), dx, dy)),
            lwpolyline(moved(rectangle(4, 4, 2, 2), dx, dy))]


def main():
    os.makedirs(HERE, exist_ok=True)
    # Heights 0 and the smallest double, in a zigzag of enough edges for the
    # outline's containment index to split its (zero) height into bands.
    zigzag = [(float(k), 0.0 if k % 2 == 0 else 5e-324) for k in range(9)]
    write("zero-height-polyline.dxf", [lwpolyline(zigzag + [(8.0, 5e-324), (0.0, 5e-324)])])
    write("room-lines-twice.dxf", room_with_lines_twice())
    # Crosses itself at (4, 2.4).
    write("bow-tie.dxf", [lwpolyline([(0, 0), (10, 6), (10, 0), (0, 4)])])
    # A figure eight of six vertices, crossing at (4, 2).
    write("figure-eight.dxf", [lwpolyline([(0, 0), (8, 4), (8, 0), (0, 4), (0, 2.5), (1, 1)])])
    write("overlapping-columns.dxf", [lwpolyline(rectangle(0, 0, 10, 10)),
                                      lwpolyline(rectangle(1, 1, 4, 4)),
                                      lwpolyline(rectangle(3, 3, 4, 4))])
    # The region the two columns leave, drawn as one hole.
    write("merged-column.dxf", [lwpolyline(rectangle(0, 0, 10, 10)),
                                lwpolyline([(1, 1), (5, 1), (5, 3), (7, 3), (7, 7), (3, 7), (3, 5), (1, 5)])])
    write("column-in-wall.dxf", [lwpolyline(rectangle(0, 0, 10, 10)),
                                 lwpolyline(rectangle(9, 3, 2, 4))])
    # The outline that column leaves, drawn with its notch.
    write("notched-room.dxf", [lwpolyline([(0, 0), (10, 0), (10, 3), (9, 3), (9, 7), (10, 7), (10, 10), (0, 10)])])
    write("loop-inside-hole.dxf", [lwpolyline(rectangle(0, 0, 10, 10)),
                                   lwpolyline(rectangle(2, 2, 6, 6)),
                                   lwpolyline(rectangle(4, 4, 2, 2))])
    write("room-with-hole.dxf", [lwpolyline(rectangle(0, 0, 10, 10)),
                                 lwpolyline(rectangle(2, 2, 6, 6))])
    # The copy starts at another corner and runs the other way.
    column = rectangle(4, 4, 2, 2)
    write("column-twice.dxf", [lwpolyline(rectangle(0, 0, 10, 10)), lwpolyline(column),
                               lwpolyline(list(reversed(column[2:] + column[:2])))])
    write("room-with-column.dxf", room_with_column())
    outline = rectangle(0, 0, 10, 10)
    write("room.dxf", [lwpolyline(outline)])
    write("outline-twice.dxf", [lwpolyline(outline),
                                lwpolyline(list(reversed(outline[1:] + outline[:1])))])
    write("l-room-origin.dxf", l_room())
    write("l-room-utm.dxf", l_room(452310.0, 4412870.0))
    write("room-6001-origin.dxf", [lwpolyline(rectangle(0, 0, 6.001, 4))])
    write("room-6001-far.dxf", [lwpolyline(rectangle(3e6, 3e6, 6.001, 4))])
    write("room-with-column-3e8.dxf", room_with_column(3e8, 3e8))
    # The room where it belongs, one column drawn 300,000 km away.
    write("column-at-3e8.dxf", [lwpolyline(rectangle(0, 0, 10, 10)),
                                lwpolyline(rectangle(3e8, 3e8, 2, 2))])


if __name__ == "__main__":
    main()
