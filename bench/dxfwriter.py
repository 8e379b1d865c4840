"""Plain ASCII DXF output for the bench drawings (metres), stdlib only."""


def polyline(ring, layer="MUROS"):
    lines = ["0", "LWPOLYLINE", "100", "AcDbEntity", "8", layer, "100", "AcDbPolyline",
             "90", str(len(ring)), "70", "1"]
    for x, y in ring:
        lines += ["10", repr(x), "20", repr(y)]
    return lines


def circle(x, y, radius, layer="PILARES"):
    return ["0", "CIRCLE", "100", "AcDbEntity", "8", layer, "100", "AcDbCircle",
            "10", repr(x), "20", repr(y), "30", "0.0", "40", repr(radius)]


def write(path, entities):
    lines = ["0", "SECTION", "2", "HEADER", "9", "$INSUNITS", "70", "6", "0", "ENDSEC",
             "0", "SECTION", "2", "ENTITIES"]
    for entity in entities:
        lines += entity
    lines += ["0", "ENDSEC", "0", "EOF"]
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")
