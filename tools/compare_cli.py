#!/usr/bin/env python3
"""Runs the same random requests through two vantrel-cli programs and compares them.

    compare_cli.py OLD_CLI NEW_CLI [--count N] [--seed S] [--jobs J]

Each request goes to both programs; standard output, standard error and the
exit status must agree byte for byte. The requests are drawn from a seeded
generator, so a seed names the same requests on every run and machine. Exit
status: 0 every request gave identical results, 1 some differed, 2 usage error.

Meant for reorganisations that must not change what the command line does:
keep a copy of the program built before the change and compare it with the
one built after.
"""

import argparse
import concurrent.futures
import csv
import os
import random
import shlex
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data")
MALFORMED = os.path.join(ROOT, "tests", "data", "malformed", "catalogs")

FORMATS = ["table", "rows", "lines", "csv", "json"]
REFRIGERANTS = ["R-12", "R-22", "R-134a", "R-401A", "R-402A", "R-404A", "R-407C", "R-410A", "R-502", "R-507"]
TYPES = ["either", "nozzle", "venturi"]
INLET_STYLES = ["any", "odm", "flare", "idm"]
INLET_SIZES = ["3/8", "1/2", "5/8", "7/8", "1-1/8", "1-3/8", "1-5/8"]
TUBE_SIZES = ["5/32", "3/16", "1/4", "5/16", "3/8", "1/2"]
# Position n of this list is orifice number n + 1.
NOZZLE_SIZES = ["1/6", "1/4", "1/3", "1/2", "3/4", "1", "1-1/2", "2", "2-1/2", "3", "4", "5", "6", "8",
                "10", "12", "15", "17", "20", "25", "30", "35", "40", "50"]
ORIFICE_TYPES = ["any", "permanent", "replaceable"]
SIDE_PORTS = ["none", "integral", "auxiliary", "any"]
BODY_ORIFICES = {"P": (1, 12), "L": (1, 14), "J": (1, 12), "G": (4, 18), "E": (6, 22), "C": (10, 24),
                 "A": (10, 24)}

# Text no number reader should accept whole, or accepts only in part.
ODD_NUMBERS = ["", "abc", "4O", "-", ".", "1e3", "1e400", "-1e400", "nan", "inf", "0x10", "2.5.1", "1,000",
               " 40", "40 ", "+40", "40abc", "٣", "9" * 40, "0.000000001", "-0", "１０"]
ODD_SIZES = ["7/8", "1/5", "0", "", "1/4 ", "select", "Select"]
ODD_PARTS = ["", "abc", "503", "503-4", "503-4-1/4", "503-4-1/4-5-6", "503-x-1/4-5", "503-4-1/x-5",
             "503-1-1/4-5", "503-4-1/4-0", "503-4-1/4-99", "-4-1/4-5", "503--1/4-5", "503-4-1/4-5;",
             "503-4-1/4-5\t", "503 -4-1/4-5", "503-4-1/4-5(", "503-4-1/4-5(x-y)", "(503-4-1/4-5)",
             "503–4–1/4–5", "3-2.5", "3-2.5-", "x-y-z", "4-4-4 ", " 4-4-4", "4-4-4,VB3", "f4-4-4",
             "999-4-1/4-5", "KV999-4-1/4-5", "503-4-3/16-5", "503-4-1/4-1/7", "503-4-1/0-5",
             "503-2147483648-1/4-5", "503-4-" + "1/4" * 50 + "-5"]


class Catalog:
    """What the rate requests draw their part numbers from."""

    def __init__(self):
        self.venturi_parts = []
        self.nozzle_rows = []  # (model, cross-reference, min, max, tube, body letter)
        with open(os.path.join(DATA, "vflo.csv"), newline="") as f:
            for row in csv.reader(f):
                if row and row[0]:
                    self.venturi_parts.append(row[0])
        with open(os.path.join(DATA, "nflo.csv"), newline="") as f:
            for row in csv.reader(f):
                if len(row) < 6 or "-" not in row[2]:
                    continue
                low, high = row[2].split("-", 1)
                self.nozzle_rows.append((row[0], row[1], int(low), int(high), row[3], row[4]))


def number(rng, low, high, decimals):
    """A number for a field whose valid range is low..high, sometimes outside it or not a number."""
    roll = rng.random()
    if roll < 0.88:
        value = rng.uniform(low, high)
    elif roll < 0.92:
        value = rng.choice([low, high, low - 10 ** -decimals, high + 10 ** -decimals])
    elif roll < 0.96:
        span = high - low
        value = rng.choice([rng.uniform(low - span, low), rng.uniform(high, high + span)])
    else:
        return rng.choice(ODD_NUMBERS)
    text = f"{value:.{rng.randint(0, decimals)}f}"
    return "0" if text == "-0" and rng.random() < 0.5 else text


def option(rng, name, value):
    """`--name value`, or `--name=value`: a value starting with a dash needs the latter to reach the form."""
    if value.startswith("-") and rng.random() < 0.7 or rng.random() < 0.1:
        return [f"{name}={value}"]
    return [name, value]


def conditions(rng, si, with_capacity_chance, circuits=None):
    args = []
    args += ["--refrigerant", rng.choice(REFRIGERANTS)] if rng.random() < 0.96 else \
        ["--refrigerant", rng.choice(["R-999", "r-22", "", "R22"])]
    if si:
        fields = [("--suction", -45.5, 21.1, 1), ("--liquid", -12.2, 48.8, 1), ("--length", 12, 72, 1)]
        capacity = (0.5, 150.0, 2)
    else:
        fields = [("--suction", -50, 70, 1), ("--liquid", 10, 120, 1), ("--length", 12, 72, 1)]
        capacity = (0.2, 45.0, 2)
    for name, low, high, decimals in fields:
        if rng.random() < 0.01:
            continue  # a required option left out
        args += option(rng, name, number(rng, low, high, decimals))
    if rng.random() < with_capacity_chance:  # left out, the search derives it
        if circuits is not None and circuits.isdigit() and rng.random() < 0.6:
            # Random capacity and circuits rarely load any body near its
            # window; a duty near a plausible load per circuit often does.
            tons = int(circuits) * rng.uniform(0.2, 2.5)
            args += option(rng, "--capacity", f"{tons * 3.5169 if si else tons:.{rng.randint(0, 2)}f}")
        else:
            args += option(rng, "--capacity", number(rng, *capacity))
    return args


def select_request(rng, si):
    circuits = None
    if rng.random() < 0.75:
        circuits = number(rng, 2, 50, 0) if rng.random() < 0.95 else \
            rng.choice(["2.5", "1", "51", "0", "-3", "abc", "4x"])
    args = ["select"] + conditions(rng, si, 0.75, circuits)
    if circuits is not None:
        args += option(rng, "--circuits", circuits)
    choices = [("--type", TYPES, 0.5), ("--inlet-style", INLET_STYLES, 0.3), ("--inlet", INLET_SIZES, 0.25),
               ("--tube", TUBE_SIZES, 0.7), ("--nozzle-size", NOZZLE_SIZES, 0.25),
               ("--orifice-type", ORIFICE_TYPES, 0.3), ("--side-port", SIDE_PORTS, 0.45)]
    for name, values, chance in choices:
        if rng.random() < chance:
            args += [name, rng.choice(values) if rng.random() < 0.97 else rng.choice(ODD_SIZES)]
    return args


def nozzle_part(rng, catalog):
    model, xref, low, high, tube, body = rng.choice(catalog.nozzle_rows)
    first, last = BODY_ORIFICES.get(body, (1, 24))
    circuits = rng.randint(low, high) if rng.random() < 0.85 else rng.choice([low - 1, high + 1, 1, 60])
    orifice = rng.randint(first, last) if rng.random() < 0.85 else rng.randint(1, 24)
    tube_text = tube if rng.random() < 0.9 else rng.choice(TUBE_SIZES)
    name = model if rng.random() < 0.75 else xref
    part = f"{name}-{circuits}-{tube_text}-{NOZZLE_SIZES[orifice - 1]}"
    if rng.random() < 0.08:
        part += rng.choice(["(", "(x)", " (KV)", "(1-2-3)"])
    return part


def rate_request(rng, si, catalog):
    roll = rng.random()
    if roll < 0.35:
        part = rng.choice(catalog.venturi_parts)
    elif roll < 0.85:
        part = nozzle_part(rng, catalog)
    else:
        part = rng.choice(ODD_PARTS)
    args = ["rate"]
    # A part number starting with a dash can only be given after "--".
    tail = ["--", part] if part.startswith("-") else [part]
    if rng.random() < 0.5:
        return args + tail + conditions(rng, si, 0.85)
    return args + conditions(rng, si, 0.85) + tail


def catalog_options(rng):
    shipped = {"--venturi": os.path.join(DATA, "vflo.csv"), "--nozzle": os.path.join(DATA, "nflo.csv")}
    if rng.random() < 0.88:
        return ["--venturi", shipped["--venturi"], "--nozzle", shipped["--nozzle"]]
    damaged = sorted(os.listdir(MALFORMED)) if os.path.isdir(MALFORMED) else []
    args = []
    for name in ("--venturi", "--nozzle"):
        roll = rng.random()
        if roll < 0.45 and damaged:
            path = os.path.join(MALFORMED, rng.choice(damaged))
        elif roll < 0.9:
            path = shipped[name]
        elif roll < 0.95:
            path = os.path.join(DATA, "no-such-catalog.csv")
        else:
            path = DATA  # a folder, not a file
        args += [name, path]
    return args


def limits(rng):
    roll = rng.random()
    if roll < 0.75:
        nozzle = sorted(rng.randint(50, 150) for _ in range(2))
        tube = sorted(rng.randint(50, 200) for _ in range(2))
        return ",".join(str(value) for value in nozzle + tube)
    if roll < 0.9:
        return ",".join(f"{rng.uniform(45, 205):.{rng.randint(0, 2)}f}" for _ in range(4))
    return rng.choice(["90,110", "90,110,90", "90,110,90,110,5", "a,b,c,d", ",,,", "90;110;90;110",
                       "150,50,200,50", "50,150,50,200", "90,110,90,x"])


def make_request(rng, catalog):
    if rng.random() < 0.005:
        return rng.choice([["--help"], ["--version"], ["select", "--help"], ["rate"], ["bogus"], []])
    si = rng.random() < 0.35
    front = catalog_options(rng)
    if si:
        front.append("--si")
    if rng.random() < 0.85:
        front += ["--format", rng.choice(FORMATS)]
    elif rng.random() < 0.08:
        front += ["--format", rng.choice(["xml", "", "TABLE"])]
    if rng.random() < 0.2:
        front += ["--limits", limits(rng)]
    body = select_request(rng, si) if rng.random() < 0.75 else rate_request(rng, si, catalog)
    return front + body


def make_requests(count, seed):
    rng = random.Random(seed)
    catalog = Catalog()
    return [make_request(rng, catalog) for _ in range(count)]


def run(program, args, workdir, env):
    try:
        done = subprocess.run([program] + args, cwd=workdir, env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        return done.stdout, done.stderr, done.returncode
    except subprocess.TimeoutExpired as e:
        return e.stdout or b"", e.stderr or b"", "timed out"


def first_difference(a, b):
    at = next((i for i, (x, y) in enumerate(zip(a, b)) if x != y), min(len(a), len(b)))
    start = max(0, at - 40)
    return f"first difference at byte {at}: old {a[start:at + 40]!r} / new {b[start:at + 40]!r}"


def compare(index, args, old, new, workdir, env):
    a = run(old, args, workdir, env)
    b = run(new, args, workdir, env)
    faults = []
    for name, x, y in (("stdout", a[0], b[0]), ("stderr", a[1], b[1])):
        if x != y:
            faults.append(f"  {name} differs ({first_difference(x, y)})")
    if a[2] != b[2]:
        faults.append(f"  exit status differs: old {a[2]}, new {b[2]}")
    return index, faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old", help="the vantrel-cli to compare against")
    parser.add_argument("new", help="the vantrel-cli under test")
    parser.add_argument("--count", type=int, default=1000, help="number of requests (default 1000)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the request generator (default 1)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2, help="requests run at once")
    options = parser.parse_args()
    for program in (options.old, options.new):
        if not (os.path.isfile(program) and os.access(program, os.X_OK)):
            parser.error(f"not an executable program: {program}")
    if options.count < 0 or options.jobs < 1:
        parser.error("--count must be 0 or more and --jobs 1 or more")
    old, new = os.path.abspath(options.old), os.path.abspath(options.new)

    requests = make_requests(options.count, options.seed)
    differing = 0
    # An empty working folder and settings file, so neither program finds a
    # catalog or settings the other does not.
    with tempfile.TemporaryDirectory(prefix="compare_cli-") as workdir:
        env = dict(os.environ, VANTREL_CONFIG=os.path.join(workdir, "settings.ini"),
                   XDG_CONFIG_HOME=workdir, HOME=workdir, LC_ALL="C")
        with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
            futures = [pool.submit(compare, i, args, old, new, workdir, env) for i, args in enumerate(requests)]
            for future in futures:
                index, faults = future.result()
                if faults:
                    differing += 1
                    print(f"request {index + 1}: vantrel-cli {shlex.join(requests[index])}")
                    print("\n".join(faults))
    print(f"{len(requests)} requests compared (seed {options.seed}): "
          f"{len(requests) - differing} identical, {differing} different")
    return 0 if differing == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
