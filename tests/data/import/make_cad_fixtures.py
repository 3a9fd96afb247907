#!/usr/bin/env python3
"""Writes the small DXF and HPGL fixtures of the import tests.

Run from this folder: python3 make_cad_fixtures.py. The files are
committed; the script documents how each was made."""

import struct


def dxf(entities, header=(), blocks=(), tables=()):
    out = []
    if header:
        out += ["0", "SECTION", "2", "HEADER"] + list(header) + ["0", "ENDSEC"]
    if tables:
        out += ["0", "SECTION", "2", "TABLES"] + list(tables) + ["0", "ENDSEC"]
    if blocks:
        out += ["0", "SECTION", "2", "BLOCKS"] + list(blocks) + ["0", "ENDSEC"]
    out += ["0", "SECTION", "2", "ENTITIES"] + list(entities) + ["0", "ENDSEC", "0", "EOF"]
    return "\n".join(str(v) for v in out) + "\n"


def groups(*pairs):
    return [str(v) for pair in pairs for v in pair]


def line(x1, y1, x2, y2, extra=()):
    return groups((0, "LINE"), (8, "0"), *extra, (10, x1), (20, y1), (11, x2), (21, y2))


def block(name, body, base=(0, 0)):
    return groups((0, "BLOCK"), (8, "0"), (2, name), (70, 0), (10, base[0]), (20, base[1])) + body \
        + groups((0, "ENDBLK"), (8, "0"))


def insert(name, x, y, extra=()):
    return groups((0, "INSERT"), (8, "0"), (2, name), (10, x), (20, y), *extra)


def write(name, content):
    if isinstance(content, bytes):
        with open(name, "wb") as f:
            f.write(content)
    else:
        with open(name, "w", newline="") as f:
            f.write(content)


# A value of 3000 characters (a long MTEXT) and a long comment beside a line.
long_text = "\\fDejaVu Sans|b0|i0|c0|p34;" + "A" * 2970
write("longline.dxf", dxf(
    groups((999, "x" * 2000)) + line(0, 0, 10, 0)
    + groups((0, "MTEXT"), (8, "0"), (10, 0), (20, -20), (40, 2), (41, 0), (71, 1), (1, long_text))))

# The line fixture as binary DXF (two-byte group codes, as since R13).
def binary(pairs):
    out = bytearray(b"AutoCAD Binary DXF\r\n\x1a\x00")
    for code, value in pairs:
        out += struct.pack("<H", code)
        if 10 <= code <= 59:
            out += struct.pack("<d", float(value))
        elif 60 <= code <= 79:
            out += struct.pack("<h", int(value))
        else:
            out += value.encode() + b"\x00"
    return bytes(out)

write("binary.dxf", binary([
    (0, "SECTION"), (2, "HEADER"), (9, "$INSUNITS"), (70, 4), (0, "ENDSEC"),
    (0, "SECTION"), (2, "ENTITIES"),
    (0, "LINE"), (8, "0"), (10, 0), (20, 0), (30, 0), (11, 10), (21, 0), (31, 0),
    (0, "CIRCLE"), (8, "0"), (10, 20), (20, 5), (30, 0), (40, 5),
    (0, "ENDSEC"), (0, "EOF")]))

# A vertex count that overflows 4 × count in 32 bits.
write("lwpolylinecount.dxf", dxf(groups(
    (0, "LWPOLYLINE"), (8, "0"), (90, 1073741825), (70, 0), (10, 0), (20, 0), (10, 10), (20, 5))))

# Sixteen levels of blocks, each placing the next four times.
bomb = []
for level in range(16):
    body = line(0, 0, 1, 0) if level == 15 else []
    if level < 15:
        for copy in range(4):
            body += insert("L%d" % (level + 1), copy * 2, 0)
    bomb += block("L%d" % level, body)
write("insertbomb.dxf", dxf(insert("L0", 0, 0), blocks=bomb))

# TEXT: left on its baseline, centred and right on the alignment point,
# rotated by 90 degrees, and with a width factor.
style = groups((0, "TABLE"), (2, "STYLE"), (70, 1),
               (0, "STYLE"), (2, "Labels"), (70, 0), (40, 0), (41, 1), (3, "nosuchfont.ttf"),
               (1001, "ACAD"), (1000, "DejaVu Sans"), (1071, 0),
               (0, "ENDTAB"))
def text(x, y, value, extra=()):
    return groups((0, "TEXT"), (8, "0"), (10, x), (20, y), (40, 10), (1, value), (7, "Labels"), *extra)
write("textleft.dxf", dxf(text(100, 50, "HIH"), tables=style))
write("textcentre.dxf", dxf(text(0, 0, "HIH", ((72, 1), (11, 100), (21, 50))), tables=style))
write("textright.dxf", dxf(text(0, 0, "HIH", ((72, 2), (11, 100), (21, 50))), tables=style))
write("textrotated.dxf", dxf(text(100, 50, "HIH", ((50, 90),)), tables=style))
write("textwide.dxf", dxf(text(100, 50, "HIH", ((41, 2),)), tables=style))
write("textdegree.dxf", dxf(text(100, 50, "90%%d", ()), tables=style))

# An INSERT with a visible and an invisible attribute.
attrib = groups((0, "INSERT"), (8, "0"), (66, 1), (2, "Tag"), (10, 0), (20, 0),
                (0, "ATTRIB"), (8, "0"), (10, 100), (20, 50), (40, 10), (1, "HIH"), (2, "NAME"), (70, 0), (7, "Labels"),
                (0, "ATTRIB"), (8, "0"), (10, 500), (20, 500), (40, 10), (1, "SECRET"), (2, "HIDDEN"), (70, 1), (7, "Labels"),
                (0, "SEQEND"), (8, "0"))
write("attrib.dxf", dxf(attrib, tables=style, blocks=block("Tag", [])))

# MTEXT: Unicode escapes, paragraphs, column breaks, rotation, and an
# embedded object (R2018) whose own numbers must not be taken.
def mtext(value, extra=()):
    return groups((0, "MTEXT"), (8, "0"), (10, 100), (20, 50), (40, 10), (41, 0), (71, 1),
                  (7, "Labels"), *extra, (1, value))
write("mtextunicode.dxf", dxf(mtext("\\U+041B\\U+0418"), tables=style))
write("mtextlatin.dxf", dxf(mtext("\u041b\u0418"), tables=style))
write("mtextparagraphs.dxf", dxf(mtext("HIH\\PHIH\\PHIH"), tables=style))
write("mtextcolumns.dxf", dxf(mtext("HIH\\NHIH", ((75, 1), (76, 2), (48, 100), (49, 20))), tables=style))
write("mtextrotated.dxf", dxf(mtext("HIH", ((50, 90),)), tables=style))
write("mtextembedded.dxf", dxf(mtext("HIH") + groups(
    (101, "Embedded Object"), (70, 1), (10, 1), (20, 0), (11, 90000), (21, 90000), (40, 5000),
    (41, 0), (42, 30000), (43, 40000), (71, 2), (72, 1), (44, 9000), (45, 100), (73, 0), (74, 0), (46, 80000)),
    tables=style))

# A solid hatch: a 100 × 60 rectangle (polyline path) with a circular
# island (edge path: two arcs, one of them clockwise).
hatch = groups(
    (0, "HATCH"), (8, "0"), (10, 0), (20, 0), (30, 0), (210, 0), (220, 0), (230, 1),
    (2, "SOLID"), (70, 1), (71, 0), (91, 2),
    (92, 7), (72, 0), (73, 1), (93, 4), (10, 0), (20, 0), (10, 100), (20, 0), (10, 100), (20, 60), (10, 0), (20, 60),
    (97, 0),
    (92, 16), (93, 2),
    (72, 2), (10, 50), (20, 30), (40, 10), (50, 0), (51, 180), (73, 1),
    (72, 2), (10, 50), (20, 30), (40, 10), (50, 180), (51, 360), (73, 1),
    (97, 0),
    (75, 1), (76, 1), (98, 1), (10, 5), (20, 5))
write("hatchisland.dxf", dxf(hatch))
hatch_cw = groups(
    (0, "HATCH"), (8, "0"), (10, 0), (20, 0), (30, 0), (210, 0), (220, 0), (230, 1),
    (2, "ANSI31"), (70, 0), (71, 0), (91, 1),
    (92, 1), (93, 3),
    (72, 1), (10, 0), (20, 0), (11, 0), (21, 10),
    # A quarter turn clockwise from (0, 10) to (10, 0) around the origin;
    # clockwise edges store 360 minus their angles.
    (72, 2), (10, 0), (20, 0), (40, 10), (50, 270), (51, 360), (73, 0),
    (72, 1), (10, 10), (20, 0), (11, 0), (21, 0),
    (97, 0), (75, 1), (76, 1), (52, 45), (41, 1), (77, 0), (78, 1),
    (53, 45), (43, 0), (44, 0), (45, -2), (46, 2), (79, 0), (98, 0))
write("hatchclockwise.dxf", dxf(hatch_cw))

# Paper space: a title-block line (group 67) and a paper-space polyline
# with its vertices; only the model-space line is drawing.
paper = line(0, 0, 10, 0) + line(500, 500, 900, 500, ((67, 1),)) + groups(
    (0, "POLYLINE"), (8, "0"), (67, 1), (66, 1), (70, 0),
    (0, "VERTEX"), (8, "0"), (10, 600), (20, 600),
    (0, "VERTEX"), (8, "0"), (10, 700), (20, 700),
    (0, "SEQEND"), (8, "0"))
write("paperspace.dxf", dxf(paper))

# Extrusion (0, 0, -1): an arc from 0 to 90 degrees around (20, 0) lands
# around (-20, 0), from 180 back to 90 degrees; a circle, a polyline and an
# insert likewise.
down = ((210, 0), (220, 0), (230, -1))
write("extrudedarc.dxf", dxf(groups((0, "ARC"), (8, "0"), *down, (10, 20), (20, 0), (40, 10), (50, 0), (51, 90))))
write("extrudedcircle.dxf", dxf(groups((0, "CIRCLE"), (8, "0"), *down, (10, 20), (20, 5), (40, 5))))
write("extrudedpolyline.dxf", dxf(groups((0, "LWPOLYLINE"), (8, "0"), (90, 2), (70, 0), *down,
                                         (10, 10), (20, 0), (42, 1), (10, 30), (20, 0))))
write("extrudedinsert.dxf", dxf(insert("Arm", 20, 0, down), blocks=block("Arm", line(0, 0, 10, 5))))

# Units: one line of 10 units in feet and in metres.
for name, code in (("feet", 2), ("metres", 6), ("microns", 13), ("yards", 10)):
    write("units%s.dxf" % name, dxf(line(0, 0, 10, 0), header=groups((9, "$INSUNITS"), (70, code))))

# A DIMENSION inside a block: its geometry is its anonymous block "*D1".
dim = groups((0, "DIMENSION"), (8, "0"), (2, "*D1"), (10, 0), (20, 0), (11, 5), (21, 2), (70, 0),
             (13, 0), (23, 0), (14, 10), (24, 0))
write("dimensioninblock.dxf", dxf(insert("Part", 100, 0),
                                  blocks=block("*D1", line(0, 0, 10, 0) + line(0, 0, 0, 3) + line(10, 0, 10, 3), )
                                  + block("Part", dim)))

# A spline given by fit points only.
fit = [(0, 0), (20, 30), (40, 10), (60, 35), (80, 0)]
write("splinefitonly.dxf", dxf(groups((0, "SPLINE"), (8, "0"), (70, 8), (71, 3), (72, 0), (73, 0), (74, len(fit)),
                                      *[p for x, y in fit for p in ((11, x), (21, y))])))
write("mtextplain.dxf", dxf(mtext("HIH"), tables=style))

# Nothing to draw: a point and a paper-space line.
write("nothingdrawable.dxf", dxf(groups((0, "POINT"), (8, "0"), (10, 1), (20, 2)) + line(0, 0, 5, 5, ((67, 1),))))

# HPGL as plotters write it: relative pairs across lines, no terminators,
# fractional numbers; 100 mm wide (4000 plotter units), never turning back
# in x (a turn would add the machine's backlash moves).
write("relative.plt", "IN;SP1;PU0,0;PD;PR1000.5,0,\n2999.5,0\n0,2000.5PU;PA0,0\nSP0;\n")

# An ellipse seen from below: centre and axis stay, the minor axis flips;
# the half from parameter 0 to pi lands below the major axis.
write("extrudedellipse.dxf", dxf(groups((0, "ELLIPSE"), (8, "0"), (210, 0), (220, 0), (230, -1),
                                        (10, 0), (20, 0), (11, 20), (21, 0), (40, 0.5), (41, 0), (42, 3.141592653589793))))
