#!/usr/bin/env python3
"""Generate the shipped distributor catalog: data/vflo.csv and data/nflo.csv.

The catalog content is defined by the tables below; running the script
rewrites both files from them (LF line ends, no header, no blank lines).
Run tools/check_catalog.py afterwards to validate the result.

Usage:  python3 tools/make_catalog.py [output_dir]      (default: data/)
"""

import os
import sys

# ---------------------------------------------------------------------------
# Venturi-type distributors (vflo.csv)
#
# One entry per inlet size (in eighths of an inch): the connection styles
# offered ("" solder ODM, "F" flare, "S" solder IDM) and, per tube size (in
# sixteenths of an inch), the circuit counts built.  A style may be limited
# to some tube sizes.  Rows are written in this order: inlet, style, tube,
# circuits.  The second field of every row is the venturi body series code.
# ---------------------------------------------------------------------------

VENTURI = [
    # inlet, styles, {tube: circuits}, {style: tubes offered (None = all)}
    (3, ["", "F"], {
        "2.5": [2, 3, 4, 5, 6],
        "3": [2, 3, 4],
    }, {}),
    (4, ["", "F", "S"], {
        "2.5": [3, 4, 5, 6, 8],
        "3": [2, 3, 4, 5, 6, 8],
        "4": [2, 3, 4],
    }, {}),
    (5, ["", "F", "S"], {
        "2.5": [6, 8, 10],
        "3": [4, 5, 6, 8, 10, 12],
        "4": [3, 4, 5, 6, 8],
        "5": [2, 3, 4],
    }, {"F": ["3", "4"]}),
    (7, ["", "S"], {
        "3": [8, 10, 12, 14, 16, 18, 20],
        "4": [5, 6, 8, 10, 12, 14, 16],
        "5": [3, 4, 5, 6, 8],
        "6": [2, 3, 4],
    }, {}),
    (9, ["", "S"], {
        "3": [12, 14, 16, 18, 20, 24, 25, 30],
        "4": [10, 12, 14, 16, 18, 20, 24, 25, 30],
        "5": [6, 8, 10, 12, 14, 16],
        "6": [4, 5, 6, 8],
        "8": [3, 4, 5, 6],
    }, {}),
    (11, ["", "S"], {
        "3": [20, 24, 25, 30, 36],
        "4": [16, 18, 20, 24, 25, 30, 36, 40],
        "5": [10, 12, 14, 16, 18, 20, 24],
        "6": [6, 8, 10, 12, 14],
        "8": [4, 5, 6, 8, 10],
    }, {}),
    (13, ["", "S"], {
        "3": [30, 36, 40, 45, 50],
        "4": [24, 25, 30, 36, 40, 45, 50],
        "5": [16, 18, 20, 24, 25, 30],
        "6": [10, 12, 14, 16, 18, 20],
        "8": [6, 8, 10, 12, 14],
    }, {"S": ["3", "4", "5"]}),
    (15, [""], {
        "4": [36, 40, 45, 50],
        "5": [24, 25, 30, 36, 40, 45, 50],
        "6": [14, 16, 18, 20, 24, 25, 30],
        "8": [10, 12, 14, 16, 18, 20],
    }, {}),
]


def venturi_rows():
    rows = []
    for inlet, styles, tubes, limits in VENTURI:
        for style in styles:
            offered = limits.get(style)
            for tube, circuits in tubes.items():
                if offered is not None and tube not in offered:
                    continue
                for n in circuits:
                    rows.append("%s%d-%s-%d,VB%d" % (style, inlet, tube, n, inlet))
    return rows


# ---------------------------------------------------------------------------
# Nozzle-type bodies (nflo.csv)
#
# One entry per body model: cross-reference model, body letter, side-port
# code and the tube sizes with their circuit ranges.  The model spells the
# inlet: optional "F" (flare) or "S" (solder IDM), then the inlet in eighths
# (one digit when three digits follow, else two) and a two-digit series.
# ---------------------------------------------------------------------------

NOZZLE = [
    # model, xref, letter, side, [(tube, min, max), ...]
    ("302", "KV110", "P", "N", [("5/32", 2, 6), ("3/16", 2, 6)]),
    ("F302", "KV115", "P", "N", [("5/32", 2, 6), ("3/16", 2, 6)]),
    ("402", "KV120", "J", "N", [("5/32", 2, 8), ("3/16", 2, 8), ("1/4", 2, 4)]),
    ("F402", "KV125", "J", "N", [("3/16", 2, 8), ("1/4", 2, 4)]),
    ("S402", "KV130", "J", "N", [("3/16", 2, 8), ("1/4", 2, 4)]),
    ("404", "KV135", "L", "N", [("3/16", 2, 12), ("1/4", 2, 6)]),
    ("F405", "KV140", "L", "A", [("3/16", 2, 12), ("1/4", 2, 6)]),
    ("406", "KV145", "P", "N", [("5/32", 2, 10), ("3/16", 2, 8)]),
    ("F406", "KV150", "P", "N", [("3/16", 2, 8)]),
    ("502", "KV210", "L", "N", [("3/16", 2, 16), ("1/4", 2, 8), ("5/16", 2, 4)]),
    ("F502", "KV215", "L", "N", [("3/16", 2, 16), ("1/4", 2, 8)]),
    ("S502", "KV220", "L", "N", [("3/16", 2, 16), ("1/4", 2, 8)]),
    ("503", "KV225", "L", "I", [("3/16", 2, 16), ("1/4", 2, 8)]),
    ("F503", "KV230", "L", "I", [("3/16", 2, 16), ("1/4", 2, 8)]),
    ("F504", "KV235", "G", "A", [("3/16", 4, 20), ("1/4", 2, 12)]),
    ("F505", "KV240", "G", "I", [("1/4", 2, 12), ("5/16", 2, 8)]),
    ("506", "KV245", "G", "N", [("3/16", 4, 24), ("1/4", 2, 14), ("5/16", 2, 8)]),
    ("S506", "KV250", "G", "N", [("3/16", 4, 24), ("1/4", 2, 14)]),
    ("702", "KV310", "G", "N", [("3/16", 6, 30), ("1/4", 4, 16), ("5/16", 2, 8), ("3/8", 2, 4)]),
    ("S702", "KV315", "G", "N", [("3/16", 6, 30), ("1/4", 4, 16)]),
    ("703", "KV320", "G", "A", [("3/16", 6, 30), ("1/4", 4, 16)]),
    ("704", "KV325", "E", "N", [("1/4", 6, 24), ("5/16", 4, 16), ("3/8", 2, 10)]),
    ("S704", "KV330", "E", "N", [("1/4", 6, 24), ("5/16", 4, 16)]),
    ("902", "KV410", "E", "N", [("3/16", 10, 40), ("1/4", 6, 30), ("5/16", 4, 16), ("3/8", 3, 10), ("1/2", 2, 4)]),
    ("S902", "KV415", "E", "N", [("3/16", 10, 40), ("1/4", 6, 30), ("5/16", 4, 16)]),
    ("903", "KV420", "E", "I", [("1/4", 6, 30), ("5/16", 4, 16)]),
    ("904", "KV425", "G", "N", [("3/16", 8, 30), ("1/4", 6, 16)]),
    ("1102", "KV510", "C", "N", [("1/4", 14, 44), ("5/16", 8, 24), ("3/8", 6, 14), ("1/2", 4, 6)]),
    ("S1102", "KV515", "C", "N", [("1/4", 14, 44), ("5/16", 8, 24)]),
    ("1104", "KV520", "E", "I", [("1/4", 14, 30), ("5/16", 8, 20), ("3/8", 6, 12)]),
    ("1106", "KV525", "E", "N", [("3/16", 14, 50), ("1/4", 12, 30)]),
    ("S1106", "KV530", "E", "N", [("3/16", 14, 50), ("1/4", 12, 30)]),
    ("1302", "KV610", "A", "A", [("1/4", 20, 50), ("5/16", 12, 24), ("3/8", 8, 14)]),
    ("1303", "KV615", "C", "N", [("1/4", 20, 50), ("5/16", 12, 24), ("3/8", 8, 14), ("1/2", 4, 6)]),
    ("S1303", "KV620", "C", "N", [("1/4", 20, 50), ("5/16", 12, 24)]),
    ("1304", "KV625", "A", "N", [("1/4", 20, 50), ("5/16", 14, 30)]),
    ("1502", "KV710", "A", "N", [("1/4", 24, 50), ("5/16", 14, 24), ("3/8", 8, 14), ("1/2", 4, 6)]),
    ("S1502", "KV715", "A", "N", [("1/4", 24, 50), ("5/16", 14, 24), ("3/8", 8, 14)]),
]


def nozzle_rows():
    rows = []
    for model, xref, letter, side, tubes in NOZZLE:
        for tube, low, high in tubes:
            rows.append("%s,%s,%d-%d,%s,%s,%s," % (model, xref, low, high, tube, letter, side))
    return rows


def write_rows(path, rows):
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(rows) + "\n")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = argv[1] if len(argv) > 1 else os.path.join(here, os.pardir, "data")
    os.makedirs(outdir, exist_ok=True)
    vrows = venturi_rows()
    nrows = nozzle_rows()
    write_rows(os.path.join(outdir, "vflo.csv"), vrows)
    write_rows(os.path.join(outdir, "nflo.csv"), nrows)
    print("vflo.csv: %d rows, nflo.csv: %d rows" % (len(vrows), len(nrows)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
