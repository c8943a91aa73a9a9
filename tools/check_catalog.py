#!/usr/bin/env python3
"""Validate the distributor catalog and measure how well it covers typical duties.

Usage:  python3 tools/check_catalog.py [data_dir] [--quiet] [--min-share PERCENT]

1. Reads data/vflo.csv and data/nflo.csv byte for byte and checks the file
   rules (LF line ends, no header, no blank or comma-less line, no spaces or
   quotes) and every row, parsing it the way the program does.
2. Checks cross-row rules (unique part numbers, unique model + tube,
   consistent and unique cross-reference models, side-port codes of the
   side-connection bodies) and coverage (tube sizes, inlet sizes, connection
   styles, body letters, side-port codes, circuit counts).
3. Re-implements the refrigerant correlations, the venturi and nozzle
   ratings and the model search with its widening passes, runs a grid of
   typical duties and prints how many venturi and nozzle results each one
   finds with the default 90-110 % limits.

Exit status 0 when the catalog is valid and at least --min-share percent
(default 90) of the sensible duties find two or more results of each type;
1 otherwise.  Standard library only.
"""

import math
import os
import re
import sys

# ---------------------------------------------------------------------------
# C-style number conversions
# ---------------------------------------------------------------------------

_REAL = re.compile(r"[ \t\n\v\f\r]*([+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?)")
_INT = re.compile(r"[ \t\n\v\f\r]*([+-]?\d+)")


def c_atof(text):
    """Leading-number conversion to real; no numeric prefix gives 0."""
    m = _REAL.match(text)
    return float(m.group(1)) if m else 0.0


def c_atoi(text):
    """Leading-number conversion to integer; no numeric prefix gives 0."""
    m = _INT.match(text)
    return int(m.group(1)) if m else 0


def parse_fraction(text):
    """Read 2.5, 3/16, 1-1/8 or 1 1/8.  Returns (code, value); code 0 = parsed."""
    pieces = ["", "", ""]
    k = 0
    piece = ""
    has_point = False
    for ch in text:
        if ch.isdigit() or ch == ".":
            if k > 2:
                return 1, None
            if ch == ".":
                if has_point:
                    return 2, None
                has_point = True
            piece += ch
        elif ch == " ":
            if piece == "":
                continue
            if k == 1:
                return 1, None
            if k > 2:
                return 1, None
            pieces[k] = piece
            k += 1
            piece, has_point = "", False
        elif ch == "-":
            if piece != "" and k == 0:
                pieces[0] = piece
                k = 1
                piece, has_point = "", False
            elif piece == "" and k == 1:
                continue
            else:
                return 1, None
        elif ch == "/":
            if k >= 2:
                return 1, None
            if k == 0:
                pieces[0] = "0"
                k = 1
            pieces[k] = piece
            k += 1
            piece, has_point = "", False
        else:
            return 1, None
    if piece != "":
        if k == 0:
            return 0, c_atof(piece)
        if k == 2:
            denominator = c_atof(piece)
            if denominator == 0.0:
                return 1, None
            return 0, c_atof(pieces[0]) + c_atof(pieces[1]) / denominator
        return 1, None
    if k != 3:
        # An empty last piece is only complete after "whole num den " (k = 3).
        return 1, None
    denominator = c_atof(pieces[2])
    if denominator == 0.0:
        return 1, None
    return 0, c_atof(pieces[0]) + c_atof(pieces[1]) / denominator


# ---------------------------------------------------------------------------
# Size tables
# ---------------------------------------------------------------------------

INLET_EIGHTHS = [3, 4, 5, 7, 9, 11, 13, 15]
INLET_TEXT = ["3/8", "1/2", "5/8", "7/8", "1-1/8", "1-3/8", "1-5/8", "1-7/8"]
INLET_SIZES = [e * 0.125 for e in INLET_EIGHTHS]

TUBE_SIXTEENTHS = [2.5, 3, 4, 5, 6, 8]
TUBE_TEXT = ["5/32", "3/16", "1/4", "5/16", "3/8", "1/2"]
TUBE_SIZES = [s * 0.0625 for s in TUBE_SIXTEENTHS]

ORIFICE_SIZES = [1.0 / 6.0, 0.25, 1.0 / 3.0, 0.5, 0.75, 1, 1.5, 2, 2.5, 3, 4, 5,
                 6, 8, 10, 12, 15, 17, 20, 25, 30, 35, 40, 50]
ORIFICE_TEXT = ["1/6", "1/4", "1/3", "1/2", "3/4", "1", "1.5", "2", "2.5", "3", "4", "5",
                "6", "8", "10", "12", "15", "17", "20", "25", "30", "35", "40", "50"]
ORIFICE_RANGE = {"P": (1, 12), "L": (1, 14), "J": (1, 12), "G": (4, 18),
                 "E": (6, 22), "C": (10, 24), "A": (10, 24)}

SIDE_CONNECTION_MODELS = ["F405", "503", "F503", "F504", "F505", "703", "903", "1104", "1302"]


def get_inlet_number(inches):
    for number, size in enumerate(INLET_SIZES, 1):
        if size == inches:
            return number
    return 117


def get_outlet_number(inches):
    for number, size in enumerate(TUBE_SIZES, 1):
        if size == inches:
            return number
    return 120


def connection_of(first_char):
    return {"F": "FLARE", "S": "IDM"}.get(first_char, "ODM")


# ---------------------------------------------------------------------------
# Refrigerant correlations and ratings
# ---------------------------------------------------------------------------

R22_GROUP = ("R-22", "R-12", "R-134a", "R-401A", "R-407C", "R-410A")
R502_GROUP = ("R-502", "R-402A", "R-404A", "R-507")
R_FACTOR = {"R-12": 0.56, "R-134a": 0.77, "R-401A": 1.01, "R-402A": 1.07,
            "R-404A": 1.076, "R-407C": 1.21, "R-410A": 1.015, "R-507": 0.98}

SUCTION = {  # use -> (R-22 group coefficients, R-502 group coefficients)
    "nozzle": ((0.000045039127, 0.0076445782, 0.62341652),
               (0.000051758559, 0.0082015174, 0.59407239)),
    "ntube": ((0.000046342592, 0.0081076916, 0.60758064),
              (0.000050839548, 0.0086468732, 0.57194756)),
    "vtube": ((0.00009334425, 0.009886361, 0.45259728),
              (0.00010714286, 0.0101111, 0.42984171)),
}
VENTURI_TUBE_BASE = {0.15625: (0.44, 0.225), 0.1875: (0.9, 0.45), 0.25: (1.75, 0.9),
                     0.3125: (3.5, 1.8), 0.375: (6.125, 3.15), 0.5: (8.75, 4.5)}


def group_index(refrigerant):
    if refrigerant in R22_GROUP:
        return 0
    if refrigerant in R502_GROUP:
        return 1
    raise ValueError("unknown refrigerant " + refrigerant)


def liquid_factor(t):
    return (0.00011607143 * t - 0.039410714) * t + 3.7791071


def suction_factor(use, refrigerant, e):
    a, b, c = SUCTION[use][group_index(refrigerant)]
    return (a * e + b) * e + c


class Dist:
    """The fields of a distributor record that the search and rating use."""

    def __init__(self):
        self.part_number = ""
        self.model = "NULL"
        self.xref = "NULL"
        self.type = ""
        self.connection = ""
        self.side_port = "NULL"
        self.letter = "NULL"
        self.inlet_number = 0
        self.outlet_number = 0
        self.circuits = 0
        self.orifice_number = 0
        self.orifice_size = 0.0
        self.inlet_size = 0.0
        self.outlet_size = 0.0
        self.refrigerant = ""
        self.capacity = 0.0
        self.suction = 0.0
        self.liquid = 0.0
        self.length = 0.0
        self.nozzle_load = 0.0
        self.tube_load = 0.0
        self.nozzle_drop = 0.0
        self.tube_drop = 0.0

    def copy(self):
        other = Dist()
        other.__dict__.update(self.__dict__)
        return other


def std_tube_rating(d):
    """Returns (code, rated capacity of one tube)."""
    if d.liquid < 10:
        return 105, None
    if d.liquid > 130:
        return 106, None
    if d.length < 12:
        return 107, None
    if d.length > 72:
        return 108, None
    g = group_index(d.refrigerant)
    fl = liquid_factor(d.liquid)
    if d.type == "N":
        base = (64.94034 * d.outlet_size ** 2.9194) if g == 0 else (43.51153 * d.outlet_size ** 2.91)
        flen = 3.0971 * d.length ** (-0.33353)
        fs = suction_factor("ntube", d.refrigerant, d.suction)
    else:
        if d.outlet_size not in VENTURI_TUBE_BASE:
            return (109 if g == 0 else 110), None
        base = VENTURI_TUBE_BASE[d.outlet_size][g]
        flen = 1.0
        fs = suction_factor("vtube", d.refrigerant, d.suction)
    return 0, base * fl * flen * fs * R_FACTOR.get(d.refrigerant, 1.0)


def std_nozzle_rating(d):
    if d.liquid < 10:
        return 111, None
    if d.liquid > 120:
        return 112, None
    s = d.orifice_size
    base = (1.16503 * s + 0.07141) if group_index(d.refrigerant) == 0 else (0.82385 * s - 0.11829)
    return 0, (base * suction_factor("nozzle", d.refrigerant, d.suction)
               * liquid_factor(d.liquid) * R_FACTOR.get(d.refrigerant, 1.0))


def rate_nozzle(d):
    code, tube_cap = std_tube_rating(d)
    if code:
        return code
    code, nozzle_cap = std_nozzle_rating(d)
    if code:
        return code
    if d.capacity == 0.0:
        d.capacity = d.circuits * tube_cap
    if d.circuits != 0:
        d.tube_load = d.capacity / d.circuits / tube_cap
        d.nozzle_load = d.capacity / nozzle_cap
    if d.circuits < 2:
        return 100
    if d.tube_load < 0.5:
        return 101
    if d.tube_load > 2.0:
        return 102
    if d.nozzle_load <= 0:
        return 103
    if d.nozzle_load > 2.0:
        return 104
    n = d.nozzle_load
    d.nozzle_drop = (((24.100048 * n - 127.80904) * n + 233.81472) * n - 136.33384) * n + 31.508102
    d.tube_drop = 10 * (d.tube_load ** 1.81382 * 1.001549)
    return 0


def rate_venturi(d):
    code, tube_cap = std_tube_rating(d)
    if code:
        return code
    if d.circuits == 0:
        return 100
    if d.capacity == 0.0:
        d.capacity = d.circuits * tube_cap
    load = d.capacity / d.circuits / tube_cap
    d.nozzle_load = d.tube_load = load
    k = (0.4817316 * load + 0.26138528) * load + 0.24545455
    d.nozzle_drop = 5 * k
    d.tube_drop = 20 * k * d.length / 36
    return 0


# ---------------------------------------------------------------------------
# Catalog files and row parsers
# ---------------------------------------------------------------------------

def catalog_lines(raw):
    """Lines the program reads: up to end of file or the first comma-less line."""
    rows = []
    for line in raw.split("\n"):
        line = line.rstrip("\r")
        if "," not in line:
            break
        rows.append(line)
    return rows


def parse_venturi_row(line):
    """Venturi row parser.  Returns a Dist, or None for a row without two dashes."""
    d = Dist()
    d.part_number = line.split(",", 1)[0]
    d.type = "V"
    d.connection = connection_of(line[:1])
    skip = 1 if line[:1] in ("F", "S") else 0
    first = line.find("-")
    second = line.find("-", first + 1) if first >= 0 else -1
    if first < 0 or second < 0:
        return None
    d.inlet_size = c_atof(line[skip:first]) * 0.125
    d.inlet_number = get_inlet_number(d.inlet_size)
    d.outlet_size = c_atof(line[first + 1:second]) * 0.0625
    d.outlet_number = get_outlet_number(d.outlet_size)
    d.circuits = c_atoi(line[second + 1:second + 4])
    return d


def parse_nozzle_row(line):
    """Nozzle row parser.  Returns (Dist, min circuits, max circuits) or None."""
    fields = line.split(",")
    if len(fields) < 7:
        return None
    model, xref, span, tube, letter, side = fields[:6]
    if "-" not in span:
        return None
    low_text, high_text = span.split("-", 1)
    d = Dist()
    d.type = "N"
    d.model = model
    d.xref = xref
    d.letter = letter
    d.side_port = side
    d.connection = connection_of(model[:1])
    skip = 1 if model[:1] in ("F", "S") else 0
    digits = 1 if len(model) - skip == 3 else 2
    d.inlet_size = c_atof(model[skip:skip + digits]) * 0.125
    d.inlet_number = get_inlet_number(d.inlet_size)
    code, value = parse_fraction(tube)
    d.outlet_size = value if code == 0 else 0.0
    d.outlet_number = get_outlet_number(d.outlet_size)
    return d, c_atoi(low_text), c_atoi(high_text)


# ---------------------------------------------------------------------------
# Model search
# ---------------------------------------------------------------------------

def find_model(venturi_lines, nozzle_lines, dtype, style, inlet_no, circuits, tube_no,
               orifice_no, side, kind, refrigerant, capacity, suction, liquid, length,
               limits=(90.0, 110.0, 90.0, 110.0)):
    """Returns (code, venturi part numbers, nozzle part numbers)."""
    nozzle_min, nozzle_max, tube_min, tube_max = limits
    if circuits == 0 and capacity == 0:
        return 125, [], []
    if tube_no == 0 and (capacity == 0 or circuits == 0):
        return 126, [], []
    styles = {1: "ODM", 2: "FLARE", 3: "IDM"}

    def conditions(d):
        d.refrigerant, d.capacity = refrigerant, capacity
        d.suction, d.liquid, d.length = suction, liquid, length

    venturi = []
    if dtype in (0, 2):
        low, high = tube_min / 100, tube_max / 100
        while True:
            for line in venturi_lines:
                d = parse_venturi_row(line)
                if d is None:
                    continue
                if style and d.connection != styles[style]:
                    continue
                if inlet_no and inlet_no != d.inlet_number:
                    continue
                if tube_no and tube_no != d.outlet_number:
                    continue
                conditions(d)
                code, tube_cap = std_tube_rating(d)
                if code:
                    continue
                if circuits and circuits != d.circuits:
                    continue
                if capacity == 0:
                    d.capacity = d.circuits * tube_cap
                if rate_venturi(d):
                    continue
                if low <= d.tube_load <= high:
                    venturi.append(d.part_number)
            if venturi or not (low > 0.5 or high < 3.0):
                break
            low = max(low - 0.1, 0.5)
            high = min(high + 0.1, 3.0)

    nozzle = []
    if dtype in (0, 1):
        t_low, t_high = tube_min / 100, tube_max / 100
        n_low, n_high = nozzle_min / 100, nozzle_max / 100
        sides = {1: "I", 2: "A", 3: "N"}
        while True:
            for line in nozzle_lines:
                parsed = parse_nozzle_row(line)
                if parsed is None:
                    continue
                row, low_c, high_c = parsed
                if row.letter not in ORIFICE_RANGE:
                    continue
                first, last = ORIFICE_RANGE[row.letter]
                if circuits and not low_c <= circuits <= high_c:
                    continue
                if orifice_no and not first <= orifice_no <= last:
                    continue
                if style and row.connection != styles[style]:
                    continue
                if inlet_no and inlet_no != row.inlet_number:
                    continue
                if tube_no and tube_no != row.outlet_number:
                    continue
                if kind == 1 and row.letter != "P":
                    continue
                if kind == 2 and row.letter == "P":
                    continue
                if side and row.side_port != sides[side]:
                    continue
                conditions(row)
                code, tube_cap = std_tube_rating(row)
                if code:
                    continue
                if circuits == 0:
                    row.circuits = int(capacity / tube_cap)
                    if not low_c <= row.circuits <= high_c:
                        continue
                else:
                    row.circuits = circuits
                if capacity == 0:
                    row.capacity = row.circuits * tube_cap
                stem = "%s-%d-%s-" % (row.model, row.circuits, TUBE_TEXT[row.outlet_number - 1])
                for number in ([orifice_no] if orifice_no else range(first, last + 1)):
                    d = row.copy()
                    d.orifice_number = number
                    d.orifice_size = ORIFICE_SIZES[number - 1]
                    if rate_nozzle(d):
                        continue
                    if not n_low <= d.nozzle_load <= n_high:
                        continue
                    if tube_no == 0 and not t_low <= d.tube_load <= t_high:
                        continue
                    nozzle.append(stem + ORIFICE_TEXT[number - 1])
            if nozzle or not (t_low > 0.5 or t_high < 3.0 or n_low > 0.5 or n_high < 2.0):
                break
            t_low = max(t_low - 0.1, 0.5)
            t_high = min(t_high + 0.1, 3.0)
            n_low = max(n_low - 0.1, 0.5)
            n_high = min(n_high + 0.1, 2.0)
    return 0, venturi, nozzle


# ---------------------------------------------------------------------------
# Validation
# ---------------------------------------------------------------------------

VENTURI_PART = re.compile(r"^([FS]?)(\d+)-(\d+(?:\.\d+)?)-(\d{1,3})$")
NOZZLE_MODEL = re.compile(r"^([FS]?)(\d{3,4})$")
XREF_MODEL = re.compile(r"^[A-Za-z0-9]+$")
SPAN = re.compile(r"^(\d+)-(\d+)$")
STYLE_OF = {"": "ODM", "F": "FLARE", "S": "IDM"}

# Body letters that suit each inlet (smallest bodies on the smallest inlets).
LETTERS_FOR_INLET = {1: "PJL", 2: "PJL", 3: "JLG", 4: "GE", 5: "GE", 6: "EC", 7: "CA", 8: "CA"}
# Nominal venturi capacity band per inlet number, R-22 at 40/100 F, 100 % tube load (tons).
VENTURI_BAND = {1: (0, 4), 2: (1, 8), 3: (2, 15), 4: (5, 30), 5: (10, 60),
                6: (15, 90), 7: (25, 125), 8: (40, 185)}
MAX_CIRCUITS = 50


class Report:
    def __init__(self):
        self.errors = []

    def error(self, where, text):
        self.errors.append("%s: %s" % (where, text))


def check_file_bytes(report, name, raw):
    if not raw:
        report.error(name, "file is empty")
        return
    try:
        text = raw.decode("ascii")
    except UnicodeDecodeError:
        report.error(name, "file is not plain ASCII")
        text = raw.decode("latin-1")
    if "\r" in text:
        report.error(name, "contains CR characters; use LF line ends")
    if not text.endswith("\n"):
        report.error(name, "last row has no line end")
    body = text[:-1] if text.endswith("\n") else text
    for number, line in enumerate(body.split("\n"), 1):
        where = "%s line %d" % (name, number)
        if line.strip() == "":
            report.error(where, "blank line (ends the catalog; later rows are never read)")
        elif "," not in line:
            report.error(where, "line without a comma (ends the catalog)")
        if line != line.strip(" \t") or ", " in line or " ," in line:
            report.error(where, "spaces around fields")
        if '"' in line or "'" in line:
            report.error(where, "quote characters")
    if len(body.split("\n")) != len(catalog_lines(text)):
        report.error(name, "the program would stop reading before the last line")


def check_venturi(report, lines):
    seen = set()
    rows = []
    for number, line in enumerate(lines, 1):
        where = "vflo.csv line %d" % number
        fields = line.split(",")
        part = fields[0]
        if any(f == "" for f in fields[1:-1]):
            report.error(where, "empty field between commas")
        m = VENTURI_PART.match(part)
        if not m:
            report.error(where, "part number %r is not style+inlet-tube-circuits" % part)
            continue
        d = parse_venturi_row(line)
        if d is None:
            report.error(where, "part number has fewer than two dashes")
            continue
        if d.inlet_number > 8:
            report.error(where, "inlet %s eighths is not an inlet size" % m.group(2))
        if d.outlet_number > 6:
            report.error(where, "tube %s sixteenths is not a tube size" % m.group(3))
        if d.circuits != int(m.group(4)) or not 2 <= d.circuits <= MAX_CIRCUITS:
            report.error(where, "circuits %r out of range 2..%d" % (m.group(4), MAX_CIRCUITS))
        if d.connection != STYLE_OF[m.group(1)]:
            report.error(where, "connection style misread")
        if part in seen:
            report.error(where, "duplicate part number " + part)
        seen.add(part)
        if d.inlet_number <= 8 and d.outlet_number <= 6:
            nominal = d.circuits * VENTURI_TUBE_BASE[d.outlet_size][0] * 0.9974025 * 0.99875
            low, high = VENTURI_BAND[d.inlet_number]
            if not low <= nominal <= high:
                report.error(where, "%.1f tons nominal does not suit a %s inch inlet (%g..%g)"
                             % (nominal, INLET_TEXT[d.inlet_number - 1], low, high))
            rows.append(d)
    return rows


def nominal_tube_capacity(outlet_size):
    d = Dist()
    d.type, d.outlet_size, d.refrigerant = "N", outlet_size, "R-22"
    d.suction, d.liquid, d.length = 40.0, 100.0, 30.0
    return std_tube_rating(d)[1]


def nominal_nozzle_capacity(orifice_size):
    d = Dist()
    d.refrigerant, d.suction, d.liquid, d.orifice_size = "R-22", 40.0, 100.0, orifice_size
    return std_nozzle_rating(d)[1]


def check_nozzle(report, lines):
    rows = []
    model_tube = set()
    xref_of = {}
    body_of = {}
    for number, line in enumerate(lines, 1):
        where = "nflo.csv line %d" % number
        fields = line.split(",")
        if len(fields) < 7:
            report.error(where, "needs six fields and a trailing comma")
            continue
        model, xref, span, tube, letter, side = fields[:6]
        m = NOZZLE_MODEL.match(model)
        if not m:
            report.error(where, "model %r is not style letter + 3 or 4 digits" % model)
            continue
        parsed = parse_nozzle_row(line)
        if parsed is None:
            report.error(where, "row does not parse")
            continue
        d, low, high = parsed
        if d.inlet_number > 8:
            report.error(where, "model %s spells no inlet size" % model)
        if not XREF_MODEL.match(xref):
            report.error(where, "cross-reference %r must be letters and digits" % xref)
        s = SPAN.match(span)
        if not s or not 2 <= low <= high <= MAX_CIRCUITS:
            report.error(where, "circuit range %r must be min-max within 2..%d" % (span, MAX_CIRCUITS))
        if tube not in TUBE_TEXT or d.outlet_number > 6:
            report.error(where, "tube %r is not one of %s" % (tube, " ".join(TUBE_TEXT)))
            continue
        if letter not in ORIFICE_RANGE:
            report.error(where, "body letter %r unknown" % letter)
            continue
        if side not in ("I", "A", "N"):
            report.error(where, "side-port code %r unknown" % side)
        has_side = model in SIDE_CONNECTION_MODELS
        if has_side != (side in ("I", "A")):
            report.error(where, "side-port code %s does not match the body's side connection" % side)
        if (model, tube) in model_tube:
            report.error(where, "model %s listed twice with tube %s" % (model, tube))
        model_tube.add((model, tube))
        if xref_of.setdefault(model, xref) != xref:
            report.error(where, "model %s has two cross-reference models" % model)
        if body_of.setdefault(model, (letter, side)) != (letter, side):
            report.error(where, "model %s has two body letters or side-port codes" % model)
        if d.inlet_number <= 8 and letter not in LETTERS_FOR_INLET[d.inlet_number]:
            report.error(where, "body %s does not suit a %s inch inlet"
                         % (letter, INLET_TEXT[d.inlet_number - 1]))
        # The circuit range must be serviceable by the body's orifices at full tube load.
        first, last = ORIFICE_RANGE[letter]
        tube_cap = nominal_tube_capacity(d.outlet_size)
        if low * tube_cap < 0.7 * nominal_nozzle_capacity(ORIFICE_SIZES[first - 1]):
            report.error(where, "%d circuits are too small a load for body %s" % (low, letter))
        if high * tube_cap > 1.3 * nominal_nozzle_capacity(ORIFICE_SIZES[last - 1]):
            report.error(where, "%d circuits are too large a load for body %s" % (high, letter))
        rows.append((d, low, high))
    models = set(xref_of)
    owners = {}
    for model, xref in xref_of.items():
        if xref in models:
            report.error("nflo.csv", "cross-reference %s equals a catalog model" % xref)
        if xref in owners:
            report.error("nflo.csv", "cross-reference %s used by %s and %s" % (xref, owners[xref], model))
        owners[xref] = model
    for model in SIDE_CONNECTION_MODELS:
        if model not in models:
            report.error("nflo.csv", "body model %s is missing" % model)
    return rows


def check_coverage(report, vrows, nrows):
    def need(where, what, have, wanted):
        missing = [w for w in wanted if w not in have]
        if missing:
            report.error(where, "no %s %s" % (what, ", ".join(str(m) for m in missing)))

    need("vflo.csv", "tube size", {d.outlet_number for d in vrows}, range(1, 7))
    need("nflo.csv", "tube size", {d.outlet_number for d, _, _ in nrows}, range(1, 7))
    need("vflo.csv", "connection style", {d.connection for d in vrows}, ["ODM", "FLARE", "IDM"])
    need("nflo.csv", "connection style", {d.connection for d, _, _ in nrows}, ["ODM", "FLARE", "IDM"])
    need("vflo.csv", "inlet number", {d.inlet_number for d in vrows}, range(1, 9))
    need("nflo.csv", "inlet number", {d.inlet_number for d, _, _ in nrows}, range(1, 9))
    need("nflo.csv", "body letter", {d.letter for d, _, _ in nrows}, "PLJGECA")
    need("nflo.csv", "side-port code", {d.side_port for d, _, _ in nrows}, "IAN")
    circuits = {d.circuits for d in vrows}
    if vrows and (min(circuits) != 2 or max(circuits) != MAX_CIRCUITS):
        report.error("vflo.csv", "circuits should run from 2 to %d" % MAX_CIRCUITS)
    covered = set()
    for _, low, high in nrows:
        covered.update(range(low, high + 1))
    need("nflo.csv", "row covering circuits", covered, range(2, MAX_CIRCUITS + 1))
    if not any(low > 2 for _, low, _ in nrows):
        report.error("nflo.csv", "no circuit range starting above 2")
    n_share = sum(1 for d, _, _ in nrows if d.side_port == "N")
    if nrows and 2 * n_share <= len(nrows):
        report.error("nflo.csv", "most rows should have side-port code N")


# ---------------------------------------------------------------------------
# Typical-duty grid
# ---------------------------------------------------------------------------

CAPACITIES = [2, 5, 10, 20, 40, 60]
CIRCUITS = [4, 8, 12, 20, 30]
TUBES = [2, 3]                      # 3/16 and 1/4
REFRIGERANTS = ["R-22", "R-404A"]
SUCTIONS = [40.0, 20.0, -20.0]
LIQUID, LENGTH = 100.0, 30.0
SENSIBLE_LOAD = (0.6, 1.5)          # per-tube load a designer would accept


def tube_capacity(kind, tube_no, refrigerant, suction):
    d = Dist()
    d.type = kind
    d.outlet_size = TUBE_SIZES[tube_no - 1]
    d.refrigerant, d.suction, d.liquid, d.length = refrigerant, suction, LIQUID, LENGTH
    return std_tube_rating(d)[1]


def largest_nozzle_capacity(refrigerant, suction):
    d = Dist()
    d.refrigerant, d.suction, d.liquid, d.orifice_size = refrigerant, suction, LIQUID, 50.0
    return std_nozzle_rating(d)[1]


def sensible(kind, tube_no, refrigerant, suction, capacity, circuits):
    """Whether a distributor of this type can reasonably serve the duty at all."""
    cap = tube_capacity(kind, tube_no, refrigerant, suction)
    if capacity == 0:
        return 2 <= circuits <= MAX_CIRCUITS
    if kind == "N" and capacity > SENSIBLE_LOAD[1] * largest_nozzle_capacity(refrigerant, suction):
        return False
    if circuits:
        return SENSIBLE_LOAD[0] <= capacity / circuits / cap <= SENSIBLE_LOAD[1]
    return 2 <= capacity / cap <= MAX_CIRCUITS


def run_grid(vlines, nlines, quiet, min_share):
    stats = {"V": [0, 0, 0], "N": [0, 0, 0]}    # sensible, >= 2 found, >= 1 found
    misses = []
    for refrigerant in REFRIGERANTS:
        for suction in SUCTIONS:
            for tube_no in TUBES:
                title = "%s  suction %g F  liquid %g F  length %g in  tube %s  side port none" % (
                    refrigerant, suction, LIQUID, LENGTH, TUBE_TEXT[tube_no - 1])
                header = "  tons |" + "".join("%11s" % ("%d circ" % c) for c in CIRCUITS) + "%11s" % "blank"
                lines = [title, header]
                for capacity in CAPACITIES + [0]:
                    cells = []
                    for circuits in CIRCUITS + [0]:
                        if capacity == 0 and circuits == 0:
                            cells.append("%11s" % "")
                            continue
                        code, v, n = find_model(vlines, nlines, 0, 0, 0, circuits, tube_no, 0, 3, 0,
                                                refrigerant, float(capacity), suction, LIQUID, LENGTH)
                        texts = []
                        for kind, found in (("V", v), ("N", n)):
                            if sensible(kind, tube_no, refrigerant, suction, capacity, circuits):
                                stats[kind][0] += 1
                                stats[kind][1] += len(found) >= 2
                                stats[kind][2] += len(found) >= 1
                                if len(found) < 2:
                                    misses.append("%s %s %gF %s tube, %s tons, %s circuits: %d found"
                                                  % ({"V": "venturi", "N": "nozzle"}[kind], refrigerant,
                                                     suction, TUBE_TEXT[tube_no - 1],
                                                     capacity or "blank", circuits or "blank", len(found)))
                                texts.append("%d" % len(found))
                            else:
                                texts.append("-" if not found else "(%d)" % len(found))
                        cells.append("%11s" % "/".join(texts))
                    lines.append("%6s |" % (capacity or "blank") + "".join(cells))
                if not quiet:
                    print("\n".join(lines))
                    print()
    print("Cells show venturi/nozzle result counts; '-' or '(n)' marks a type for which")
    print("the duty is not sensible (per-tube load outside %d-%d %%, more than %d or fewer"
          % (SENSIBLE_LOAD[0] * 100, SENSIBLE_LOAD[1] * 100, MAX_CIRCUITS))
    print("than 2 circuits implied, or beyond the largest orifice at %d %% nozzle load)."
          % (SENSIBLE_LOAD[1] * 100))
    ok = True
    for kind, name in (("V", "venturi"), ("N", "nozzle")):
        total, two, one = stats[kind]
        share = 100.0 * two / total if total else 0.0
        print("%-8s sensible duties %4d   with >= 2 results %4d (%.1f %%)   with >= 1 result %4d"
              % (name, total, two, share, one))
        ok = ok and share >= min_share
    if misses:
        print("Sensible duties with fewer than 2 results:")
        for miss in misses:
            print("  " + miss)
    return ok


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    quiet = "--quiet" in argv
    min_share = 90.0
    if "--min-share" in argv:
        min_share = float(argv[argv.index("--min-share") + 1])
        args = [a for a in args if a != argv[argv.index("--min-share") + 1]]
    here = os.path.dirname(os.path.abspath(__file__))
    data = args[0] if args else os.path.join(here, os.pardir, "data")

    report = Report()
    raws = {}
    for name in ("vflo.csv", "nflo.csv"):
        path = os.path.join(data, name)
        try:
            with open(path, "rb") as f:
                raws[name] = f.read()
        except OSError as exc:
            report.error(name, "cannot read: %s" % exc)
            raws[name] = b""
        check_file_bytes(report, name, raws[name])
    vlines = catalog_lines(raws["vflo.csv"].decode("latin-1"))
    nlines = catalog_lines(raws["nflo.csv"].decode("latin-1"))
    if len(vlines) < 150:
        report.error("vflo.csv", "only %d rows (at least 150 expected)" % len(vlines))
    if len(nlines) < 40:
        report.error("nflo.csv", "only %d rows (at least 40 expected)" % len(nlines))
    vrows = check_venturi(report, vlines)
    nrows = check_nozzle(report, nlines)
    check_coverage(report, vrows, nrows)

    print("vflo.csv: %d rows   nflo.csv: %d rows (%d body models)"
          % (len(vlines), len(nlines), len({d.model for d, _, _ in nrows})))
    print("venturi inlets: %s" % " ".join(INLET_TEXT[i - 1] for i in sorted({d.inlet_number for d in vrows if d.inlet_number <= 8})))
    print("nozzle inlets:  %s" % " ".join(INLET_TEXT[i - 1] for i in sorted({d.inlet_number for d, _, _ in nrows if d.inlet_number <= 8})))
    if vrows:
        print("venturi circuits %d..%d, tubes %s, styles %s" % (
            min(d.circuits for d in vrows), max(d.circuits for d in vrows),
            " ".join(TUBE_TEXT[i - 1] for i in sorted({d.outlet_number for d in vrows if d.outlet_number <= 6})),
            " ".join(sorted({d.connection for d in vrows}))))
    if nrows:
        print("nozzle circuits %d..%d, tubes %s, styles %s, letters %s, side ports %s" % (
            min(low for _, low, _ in nrows), max(high for _, _, high in nrows),
            " ".join(TUBE_TEXT[i - 1] for i in sorted({d.outlet_number for d, _, _ in nrows if d.outlet_number <= 6})),
            " ".join(sorted({d.connection for d, _, _ in nrows})),
            "".join(l for l in "PLJGECA" if any(d.letter == l for d, _, _ in nrows)),
            "".join(s for s in "IAN" if any(d.side_port == s for d, _, _ in nrows))))
    if report.errors:
        print("CATALOG ERRORS:")
        for text in report.errors:
            print("  " + text)
    else:
        print("catalog format and coverage: OK")
    print()
    grid_ok = run_grid(vlines, nlines, quiet, min_share)
    if report.errors or not grid_ok:
        print("FAILED")
        return 1
    print("PASSED")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
