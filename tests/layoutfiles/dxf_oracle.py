#!/usr/bin/python3
"""Reads DXF drawings with ezdxf, independently of the program's own reader, for the layout-file tests.

  dxf_oracle.py count FILE...   one line per file: "NAME<TAB>N", N the number of canvas shapes an
                                import of the file makes, counted from ezdxf's model space; or
                                "NAME<TAB>binary" for a binary DXF, "NAME<TAB>error TEXT" when
                                ezdxf cannot read it.
  dxf_oracle.py dump FILE       the model space of one drawing, one entity a line (for export tests).
  dxf_oracle.py paragraphs FILE the model-space MTEXT texts that hold paragraph breaks, one a line, as
                                ezdxf's plain text with every line break a blank.

Counting follows the import's entity rules: one shape per LINE, CIRCLE, ARC, ELLIPSE, SOLID, TRACE and
POINT; SPLINE, LWPOLYLINE and POLYLINE only with at least two points (control points for SPLINE,
vertices otherwise); TEXT and MTEXT only with a non-blank text; INSERT one shape per LINE of the first
block of exactly that name, nothing when there is none.
"""
import os
import sys

import ezdxf
from ezdxf import recover
from ezdxf.lldxf.validator import is_binary_dxf_file

SINGLE = {"LINE", "CIRCLE", "ARC", "ELLIPSE", "SOLID", "TRACE", "POINT"}


def read(path):
    try:
        return ezdxf.readfile(path)
    except Exception:
        doc, _auditor = recover.readfile(path)
        return doc


def first_block(doc, name):
    for block in doc.blocks:
        if block.name == name:
            return block
    return None


def shapes_made(doc, entity):
    kind = entity.dxftype()
    if kind in SINGLE:
        return 1
    if kind == "SPLINE":
        return 1 if len(entity.control_points) >= 2 else 0
    if kind == "LWPOLYLINE":
        return 1 if len(entity) >= 2 else 0
    if kind == "POLYLINE":
        return 1 if len(entity.vertices) >= 2 else 0
    if kind in ("TEXT", "MTEXT"):
        text = entity.dxf.text if kind == "TEXT" else entity.text
        return 1 if text.strip(" \t\r") else 0
    if kind == "INSERT":
        block = first_block(doc, entity.dxf.name)
        if block is None:
            return 0
        return sum(1 for e in block if e.dxftype() == "LINE")
    return 0


def count(paths):
    for path in paths:
        name = os.path.basename(path)
        if is_binary_dxf_file(path):
            print(f"{name}\tbinary")
            continue
        try:
            doc = read(path)
        except Exception as error:  # reported, the test decides
            print(f"{name}\terror {error}".replace("\n", " "))
            continue
        print(f"{name}\t{sum(shapes_made(doc, e) for e in doc.modelspace())}")


def dump(path):
    doc = read(path)
    for layer in doc.layers:
        print(f"LAYER {layer.dxf.name} {layer.dxf.color}")
    for e in doc.modelspace():
        kind = e.dxftype()
        layer = e.dxf.layer
        if kind == "LINE":
            s, t = e.dxf.start, e.dxf.end
            print(f"LINE {layer} {s.x!r} {s.y!r} {t.x!r} {t.y!r}")
        elif kind == "CIRCLE":
            c = e.dxf.center
            print(f"CIRCLE {layer} {c.x!r} {c.y!r} {e.dxf.radius!r}")
        elif kind == "POINT":
            p = e.dxf.location
            print(f"POINT {layer} {p.x!r} {p.y!r}")
        elif kind == "TEXT":
            p = e.dxf.insert
            print(f"TEXT {layer} {p.x!r} {p.y!r} {float(e.dxf.height)!r} {float(e.dxf.rotation)!r} {e.dxf.text}")
        elif kind == "POLYLINE":
            points = " ".join(f"{v.dxf.location.x!r} {v.dxf.location.y!r}" for v in e.vertices)
            print(f"POLYLINE {layer} {int(e.is_closed)} {len(e.vertices)} {points}")
        else:
            print(f"{kind} {layer}")


def paragraphs(path):
    doc = read(path)
    for e in doc.modelspace().query("MTEXT"):
        if "\\P" in e.text:
            print(e.plain_text(split=False).replace("\n", " "))


def main(argv):
    if len(argv) >= 3 and argv[1] == "count":
        count(argv[2:])
    elif len(argv) == 3 and argv[1] == "dump":
        dump(argv[2])
    elif len(argv) == 3 and argv[1] == "paragraphs":
        paragraphs(argv[2])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
