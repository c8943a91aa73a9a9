#!/usr/bin/env python3
"""Draws Vantrel's pictures: the splash, the tool bar glyphs, the program and
document icons, the context-help cursor and the small pictures of the help book.

Every picture is described here as vector drawing commands (ImageMagick's MVG
drawing language, whose path syntax is the same as SVG's) and rasterised by
ImageMagick's `convert`, which must be on the PATH (Debian: imagemagick). Text
is set in DejaVu Sans (Debian: fonts-dejavu-core); Nimbus Sans is used when
DejaVu is missing. Nothing else is needed beyond the Python 3 standard library.

    tools/make_artwork.py            # writes into resources/ of this tree
    tools/make_artwork.py --out DIR  # writes into DIR/bitmaps, DIR/icons, DIR/help

Output (relative to resources/):
    bitmaps/splash.png                 420 x 241, shown for two seconds at start
    bitmaps/tb_<command>_<name>.png    20 x 20 tool bar glyphs, transparent
    icons/vantrel-<n>.png              program icon (icon group 1), n = 16..256
    icons/vantrel.svg                  the same icon as scalable vector art
    icons/vantrel.ico                  Windows icon: 16, 32, 48 and 256
    icons/vantrel-document-<n>.png     .dst document icon (icon group 1001)
    icons/vantrel-document.ico         Windows document icon: 16, 32, 48 and 256
    icons/help_cursor.png              32 x 32 context-help cursor (cursor 24000);
                                       HOT SPOT (1, 1): the tip of the arrow
    help/img_*.png                     copies of the tool bar glyphs and a small
                                       logo for the help pages

The PNG files are written without time stamps, so running the script again on
the same ImageMagick version gives the same bytes.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

# ---------------------------------------------------------------------------
# Colours, shared by every picture so that they read as one family.

INK = "#27384a"          # outlines
INK_SOFT = "#5d6f82"     # secondary lines (text lines on paper)
PAPER = "#ffffff"
PAPER_SHADE = "#dfe7ef"  # folded corners, shutters
BLUE = "#2a6cb0"         # the accent: help, undo, save
BLUE_DARK = "#1a4b7e"
BLUE_LIGHT = "#cfe3f6"
AMBER = "#f0bd55"        # folder, star
AMBER_DARK = "#9a6b12"
BROWN = "#b98545"        # clipboard
BROWN_DARK = "#6f4a1c"
STEEL = "#c9d2dc"        # printer, clip
STEEL_DARK = "#7d8a98"

TILE_TOP = "#2a74a8"     # program icon tile
TILE_BOTTOM = "#123a5c"
MOTIF = "#ffffff"
MOTIF_TUBES = "#bfe6f7"

# The hot spot of the context-help cursor: the tip of the arrow.
CURSOR_HOTSPOT = (1, 1)

ICON_SIZES = (16, 32, 48, 64, 128, 256)
ICO_SIZES = (16, 32, 48, 256)


# ---------------------------------------------------------------------------
# Rasterising

def find_convert():
    for name in ("convert", "magick"):
        path = shutil.which(name)
        if path:
            return [path] if name == "convert" else [path, "convert"]
    sys.exit("make_artwork.py: ImageMagick's 'convert' is not installed (Debian: apt-get install imagemagick)")


CONVERT = None
FONTS = {}


def font(bold=False):
    """The ImageMagick name of the text font: DejaVu Sans, else Nimbus Sans."""
    key = "bold" if bold else "regular"
    if key not in FONTS:
        listing = subprocess.run(CONVERT + ["-list", "font"], capture_output=True, text=True).stdout
        names = {line.split(":", 1)[1].strip() for line in listing.splitlines() if line.strip().startswith("Font:")}
        wanted = ("DejaVu-Sans-Bold", "Nimbus-Sans-Bold") if bold else ("DejaVu-Sans", "Nimbus-Sans-Regular")
        FONTS[key] = next((n for n in wanted if n in names), None)
        if FONTS[key] is None:
            sys.exit("make_artwork.py: neither DejaVu Sans nor Nimbus Sans is known to ImageMagick")
    return FONTS[key]


PNG_OPTIONS = ["-strip", "-define", "png:exclude-chunks=date,time", "-define", "png:compression-level=9"]


def render(mvg, width, height, out, background="none", extra=()):
    """Draws the MVG text on a width x height canvas and writes an RGBA PNG.

    The drawings use SVG's convention, in which pixel (i, j) is the square from
    (i, j) to (i + 1, j + 1); ImageMagick centres pixels on whole numbers, so the
    whole drawing is shifted by half a pixel."""
    text = "viewbox 0 0 %d %d\ntranslate -0.5,-0.5\n%s\n" % (width, height, mvg)
    with tempfile.NamedTemporaryFile("w", suffix=".mvg", delete=False) as f:
        f.write(text)
        name = f.name
    try:
        cmd = CONVERT + ["-size", "%dx%d" % (width, height), "-background", background,
                         "mvg:" + name] + list(extra) + PNG_OPTIONS + ["png32:" + out]
        subprocess.run(cmd, check=True)
    finally:
        os.unlink(name)


def gradient(name, x1, y1, x2, y2, stops):
    lines = ["push defs", "push gradient '%s' linear %g,%g %g,%g" % (name, x1, y1, x2, y2)]
    lines += ["stop-color '%s' %g" % (c, o) for o, c in stops]
    lines += ["pop gradient", "pop defs"]
    return "\n".join(lines)


def group(*commands):
    return "push graphic-context\n" + "\n".join(commands) + "\npop graphic-context"


def shape(d, fill="none", stroke="none", width=1.0, join="round", cap="round", opacity=None):
    cmds = ["fill '%s'" % fill, "stroke '%s'" % stroke, "stroke-width %g" % width,
            "stroke-linejoin %s" % join, "stroke-linecap %s" % cap]
    if opacity is not None:
        cmds.append("opacity %g" % opacity)
    cmds.append("path '%s'" % d)
    return group(*cmds)


def text(x, y, string, size, colour, bold=False):
    """Text whose baseline starts at (x, y)."""
    return group("fill '%s'" % colour, "stroke none", "font '%s'" % font(bold),
                 "font-size %g" % size, "text %g,%g '%s'" % (x, y, string.replace("'", "\\'")))


# ---------------------------------------------------------------------------
# The distributor motif, seen from the side: an inlet pipe with its nut comes
# in from the left, the conical body widens, and the tubes leave its face and
# fan out into parallel circuits.

def motif_paths(tubes, cy=128.0, x0=14.0, nut=(50.0, 68.0), body=(74.0, 120.0), pipe_h=30.0,
                nut_h=50.0, face_h=76.0, fan_end=214.0, x_end=244.0, spread=96.0):
    """SVG path data in a 256-unit box: (pipe, nut, body, [tube paths])."""
    bx0, bx1 = body
    pipe = "M %g,%g H %g V %g H %g Z" % (x0, cy - pipe_h / 2, bx0 + 4, cy + pipe_h / 2, x0)
    nut_d = "M %g,%g H %g V %g H %g Z" % (nut[0], cy - nut_h / 2, nut[1], cy + nut_h / 2, nut[0])
    neck = pipe_h / 2 + 6
    half = face_h / 2
    body_d = ("M %g,%g L %g,%g Q %g,%g %g,%g V %g Q %g,%g %g,%g L %g,%g Z" % (
        bx0, cy - neck, bx1 - 8, cy - half, bx1, cy - half, bx1, cy - half + 8, cy + half - 8,
        bx1, cy + half, bx1 - 8, cy + half, bx0, cy + neck))
    paths = []
    for i in range(tubes):
        t = -1.0 + 2.0 * i / (tubes - 1)
        y0 = cy + t * (half - 12)
        y1 = cy + t * spread
        mid = (bx1 + fan_end) / 2
        paths.append("M %g,%g C %g,%g %g,%g %g,%g H %g" % (bx1 - 6, y0, mid, y0, mid, y1, fan_end, y1, x_end))
    return pipe, nut_d, body_d, paths


def icon_mvg(size):
    """The program icon at `size` pixels: a blue tile with the white motif.

    The 16 and 32 pixel icons are tuned so that the tile's edge and the
    straight ends of the tubes fall on whole pixels."""
    s = size / 256.0
    if size <= 16:
        tubes, tube_w, r, margin, cy, spread = 3, 16, 40, 8, 136, 64
    elif size <= 32:
        tubes, tube_w, r, margin, cy, spread = 4, 16, 44, 4, 128, 72
    else:
        tubes, tube_w, r, margin, cy, spread = 5, 14, 44, 8, 128, 80
    pipe, nut, body, tubes_d = tile_motif(tubes, spread, cy=cy, small=size <= 16)
    tile = rounded_rect(margin, margin, 256 - margin, 256 - margin, r)
    parts = [
        "affine %g,0,0,%g,0,0" % (s, s),
        gradient("tile", 0, 0, 0, 256, [(0, TILE_TOP), (1, TILE_BOTTOM)]),
        shape(tile, fill="url(#tile)", stroke="#0c2a44", width=max(1.0 / s, 4)),
    ]
    if size >= 48:
        # a soft highlight on the upper half of the tile
        parts.append(shape(HIGHLIGHT, fill="#ffffff", opacity=0.07))
    for d in tubes_d:
        parts.append(shape(d, stroke=MOTIF_TUBES, width=tube_w, cap="round"))
    parts.append(shape(pipe, fill=MOTIF))
    if size >= 32:
        parts.append(shape(nut, fill=MOTIF))
    parts.append(shape(body, fill=MOTIF))
    return "\n".join(parts)


# A soft highlight on the upper part of the tile (icons of 48 pixels and more).
HIGHLIGHT = "M 52,18 H 204 Q 238,18 238,52 V 112 Q 128,96 18,112 V 52 Q 18,18 52,18 Z"


def tile_motif(tubes, spread, cy=128.0, small=False):
    """The motif as it sits on the program icon's tile."""
    return motif_paths(tubes, cy=cy, x0=34, nut=(60, 76), body=(80, 122), fan_end=198, x_end=222, spread=spread,
                       pipe_h=40 if small else 30, nut_h=56 if small else 50, face_h=96 if small else 76)


def rounded_rect(x0, y0, x1, y1, r):
    return ("M %g,%g H %g Q %g,%g %g,%g V %g Q %g,%g %g,%g H %g Q %g,%g %g,%g V %g Q %g,%g %g,%g Z" % (
        x0 + r, y0, x1 - r, x1, y0, x1, y0 + r, y1 - r, x1, y1, x1 - r, y1, x0 + r, x0, y1, x0, y1 - r,
        y0 + r, x0, y0, x0 + r, y0))


def icon_svg():
    """The program icon as SVG, from the same geometry as the 256-pixel PNG."""
    pipe, nut, body, tubes_d = tile_motif(5, 80)
    tile = rounded_rect(8, 8, 248, 248, 44)
    tubes = "\n".join('    <path d="%s"/>' % d for d in tubes_d)
    return """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Vantrel</title>
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="0" y2="256" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="%s"/>
      <stop offset="1" stop-color="%s"/>
    </linearGradient>
  </defs>
  <path d="%s" fill="url(#tile)" stroke="#0c2a44" stroke-width="4"/>
  <path d="%s" fill="#ffffff" fill-opacity="0.07"/>
  <g fill="none" stroke="%s" stroke-width="14" stroke-linecap="round" stroke-linejoin="round">
%s
  </g>
  <g fill="%s">
    <path d="%s"/>
    <path d="%s"/>
    <path d="%s"/>
  </g>
</svg>
""" % (TILE_TOP, TILE_BOTTOM, tile, HIGHLIGHT, MOTIF_TUBES, tubes, MOTIF, pipe, nut, body)


def document_mvg(size):
    """The .dst document icon: a page with a folded corner and the blue motif.

    At 16 pixels the page's edges and the tube ends sit on whole pixels."""
    s = size / 256.0
    small = size <= 16
    if small:
        tubes, tube_w, outline, cy, spread = 3, 16, 16, 168, 48
        left, right, top, bottom, fold = 40, 216, 8, 248, 64
    elif size <= 32:
        tubes, tube_w, outline, cy, spread = 4, 16, 8, 160, 48
        left, right, top, bottom, fold = 36, 220, 4, 252, 60
    else:
        tubes, tube_w, outline, cy, spread = 5, 14, 6, 156, 64
        left, right, top, bottom, fold = 36, 220, 10, 246, 60
    page = "M %d,%d H %d L %d,%d V %d H %d Z" % (left, top, right - fold, right, top + fold, bottom, left)
    corner = "M %d,%d V %d H %d Z" % (right - fold, top, top + fold, right)
    pipe, nut, body, tubes_d = motif_paths(tubes, cy=cy, x0=left + 18, nut=(78, 92), body=(96, 128),
                                           pipe_h=32 if small else 24, nut_h=40, face_h=72 if small else 60,
                                           fan_end=right - 40, x_end=right - 26, spread=spread)
    edge = STEEL_DARK if not small else INK_SOFT
    parts = [
        "affine %g,0,0,%g,0,0" % (s, s),
        shape(page, fill=PAPER, stroke=edge, width=outline, join="miter"),
        shape(corner, fill=PAPER_SHADE, stroke=edge, width=outline, join="round"),
    ]
    if size >= 48:
        parts.append(shape("M 64,52 H 160 M 64,72 H 160", stroke="#c3ccd6", width=8, cap="butt"))
    for d in tubes_d:
        parts.append(shape(d, stroke="#5b9fd3", width=tube_w))
    parts.append(shape(pipe, fill=BLUE))
    if size >= 32:
        parts.append(shape(nut, fill=BLUE))
    parts.append(shape(body, fill=BLUE))
    return "\n".join(parts)


# ---------------------------------------------------------------------------
# Pixel art: the 16-pixel icons and the cursor's arrow are drawn pixel by
# pixel, because at that size hand-placed pixels read better than any
# rasterised outline. Written as PNG with zlib and struct.

def rgba(colour, alpha=255):
    colour = colour.lstrip("#")
    return (int(colour[0:2], 16), int(colour[2:4], 16), int(colour[4:6], 16), alpha)


def mix(c1, c2, t):
    a, b = rgba(c1), rgba(c2)
    return "#%02x%02x%02x" % tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def write_png(path, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def paint(art, palette, row_palette=None):
    """Turns rows of characters into pixels; '.' is transparent. row_palette(y)
    may give colours that change from row to row (gradients)."""
    pixels = []
    for y, line in enumerate(art):
        colours = dict(palette)
        if row_palette:
            colours.update(row_palette(y))
        pixels.append([(0, 0, 0, 0) if ch == "." else rgba(colours[ch]) for ch in line])
    return pixels


ICON_16 = [
    ".KKKKKKKKKKKKKK.",
    "KttttttttttttttK",
    "KttttttttttttttK",
    "KttttttttttccctK",
    "KtttttttWtcttttK",
    "KttttttWWctttttK",
    "KttWWtWWWccccctK",
    "KWWWWWWWWttttttK",
    "KWWWWWWWWttttttK",
    "KttWWtWWWccccctK",
    "KttttttWWctttttK",
    "KtttttttWtcttttK",
    "KttttttttttccctK",
    "KttttttttttttttK",
    "KttttttttttttttK",
    ".KKKKKKKKKKKKKK.",
]

DOCUMENT_16 = [
    "..KKKKKKKKK.....",
    "..KwwwwwwwKK....",
    "..KwLLLLwwKsK...",
    "..KwwwwwwwKKKK..",
    "..KwwwwwwwwwwK..",
    "..KwwwwwwwwwwK..",
    "..KwwwwwwwwbbK..",
    "..KwwwwBwbbwwK..",
    "..KwwwBBbwwwwK..",
    "..KBBBBBbbbbbK..",
    "..KBBBBBbbbbbK..",
    "..KwwwBBbwwwwK..",
    "..KwwwwBwbbwwK..",
    "..KwwwwwwwwbbK..",
    "..KwwwwwwwwwwK..",
    "..KKKKKKKKKKKK..",
]


def icon_16_pixels():
    palette = {"K": "#0c2a44", "W": MOTIF, "c": MOTIF_TUBES}
    return paint(ICON_16, palette, lambda y: {"t": mix(TILE_TOP, TILE_BOTTOM, y / 15.0)})


def document_16_pixels():
    palette = {"K": INK_SOFT, "w": PAPER, "s": PAPER_SHADE, "L": "#c3ccd6", "B": BLUE, "b": "#5b9fd3"}
    return paint(DOCUMENT_16, palette)


# The cursor's arrow; its tip is the first pixel of the first row, placed at
# CURSOR_HOTSPOT.
ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.........X",
    "X......XXXXX",
    "X...X..X",
    "X..XX..X",
    "X.X  X..X",
    "XX   X..X",
    "X     X..X",
    "      X..X",
    "       XX",
]


def arrow_pixels(size=32):
    hx, hy = CURSOR_HOTSPOT
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y, line in enumerate(ARROW):
        for x, ch in enumerate(line):
            if ch == "X":
                pixels[hy + y][hx + x] = (0, 0, 0, 255)
            elif ch == ".":
                pixels[hy + y][hx + x] = (255, 255, 255, 255)
    return pixels


# ---------------------------------------------------------------------------
# Tool bar glyphs, 20 x 20. Coordinates are pixels; 1-pixel lines sit on
# half-pixel positions so that they cover whole pixels.

def page(x0, y0, x1, y1, fold=3):
    """A sheet of paper with its top right corner folded."""
    d = "M %g,%g H %g L %g,%g V %g H %g Z" % (x0, y0, x1 - fold, x1, y0 + fold, y1, x0)
    c = "M %g,%g V %g H %g" % (x1 - fold, y0, y0 + fold, x1)
    return shape(d, fill=PAPER, stroke=INK, join="miter") + "\n" + shape(c, fill=PAPER_SHADE, stroke=INK, join="miter")


def lines(x0, x1, ys, colour=INK_SOFT):
    return "\n".join(shape("M %g,%g H %g" % (x0, y, x1), stroke=colour, cap="butt") for y in ys)


def glyph_new():
    star = "M 15.5,0.8 L 16.6,3.4 L 19.2,4.5 L 16.6,5.6 L 15.5,8.2 L 14.4,5.6 L 11.8,4.5 L 14.4,3.4 Z"
    return "\n".join([page(3.5, 2.5, 14.5, 18.5, fold=4), lines(6, 12, (9.5, 11.5, 13.5, 15.5)),
                      shape(star, fill=AMBER, stroke=AMBER_DARK, width=0.8)])


def glyph_open():
    back = "M 1.5,16.5 V 3.5 H 6.5 L 8.5,5.5 H 15.5 V 8.5"
    front = "M 1.5,16.5 L 4.5,8.5 H 18.5 L 15.5,16.5 Z"
    return "\n".join([
        gradient("folder", 0, 8, 0, 17, [(0, "#f7d27f"), (1, "#e3a63c")]),
        shape(back + " V 16.5 H 1.5 Z", fill="#e6b35a", stroke=AMBER_DARK, join="miter"),
        shape(front, fill="url(#folder)", stroke=AMBER_DARK, join="round"),
    ])


def glyph_save():
    body = "M 2.5,2.5 H 15.5 L 17.5,4.5 V 17.5 H 2.5 Z"
    return "\n".join([
        gradient("disk", 0, 2, 0, 18, [(0, "#3f86cc"), (1, BLUE_DARK)]),
        shape(body, fill="url(#disk)", stroke="#153b63", join="miter"),
        shape("M 5.5,2.5 V 7.5 H 14.5 V 2.5", fill=PAPER_SHADE, stroke="#153b63", join="miter"),
        shape("M 11.5,3.5 H 13.5 V 6.5 H 11.5 Z", fill=BLUE_DARK),
        shape("M 4.5,10.5 H 15.5 V 17.5 H 4.5 Z", fill=PAPER, stroke="#153b63", join="miter"),
        lines(6, 14, (12.5, 14.5), colour="#8fb3d6"),
    ])


def glyph_cut():
    def ring(cx, cy):
        return "M %g,%g A 2.6,2.6 0 1,1 %g,%g A 2.6,2.6 0 1,1 %g,%g Z" % (cx + 2.6, cy, cx - 2.6, cy, cx + 2.6, cy)
    return "\n".join([
        shape("M 6.3,1.5 L 12.2,12.6", stroke=INK, width=1.7, cap="round"),
        shape("M 13.7,1.5 L 7.8,12.6", stroke=INK, width=1.7, cap="round"),
        shape(ring(5.6, 15.4), stroke=BLUE, width=1.9),
        shape(ring(14.4, 15.4), stroke=BLUE, width=1.9),
        shape("M 10.7,9.4 A 0.7,0.7 0 1,1 9.3,9.4 A 0.7,0.7 0 1,1 10.7,9.4 Z", fill=PAPER),
    ])


def glyph_copy():
    return "\n".join([page(2.5, 1.5, 11.5, 13.5), lines(4.5, 9.5, (5.5, 7.5, 9.5)),
                      page(7.5, 6.5, 17.5, 18.5), lines(9.5, 15.5, (10.5, 12.5, 14.5, 16.5), colour=BLUE)])


def glyph_paste():
    return "\n".join([
        gradient("board", 0, 2, 0, 19, [(0, "#cf9c5a"), (1, BROWN)]),
        shape("M 2.5,3.5 H 14.5 V 18.5 H 2.5 Z", fill="url(#board)", stroke=BROWN_DARK, join="round"),
        shape("M 5.5,1.5 H 11.5 V 5.5 H 5.5 Z", fill=STEEL, stroke=INK, join="miter"),
        page(8.5, 7.5, 17.5, 18.5), lines(10.5, 15.5, (11.5, 13.5, 15.5), colour=BLUE),
    ])


def glyph_undo():
    return "\n".join([
        shape("M 16,17 V 12 C 16,8.4 13.6,6.5 10,6.5 H 7.2", stroke=BLUE_DARK, width=3.4, cap="round"),
        shape("M 16,17 V 12 C 16,8.4 13.6,6.5 10,6.5 H 7.2", stroke="#4b8fd4", width=1.6, cap="round"),
        shape("M 1.6,6.5 L 8,1.6 V 11.4 Z", fill="#4b8fd4", stroke=BLUE_DARK, width=1.0, join="round"),
    ])


def lens(cx, cy, r, handle_to):
    hx, hy = handle_to
    k = 0.7071
    return "\n".join([
        shape("M %g,%g L %g,%g" % (cx + r * k, cy + r * k, hx, hy), stroke="#5b4330", width=3.0, cap="round"),
        shape("M %g,%g A %g,%g 0 1,1 %g,%g A %g,%g 0 1,1 %g,%g Z" % (cx + r, cy, r, r, cx - r, cy, r, r, cx + r, cy),
              fill=BLUE_LIGHT, stroke=INK, width=1.6),
        shape("M %g,%g A %g,%g 0 0,1 %g,%g" % (cx - r * 0.55, cy - r * 0.05, r * 0.55, r * 0.55, cx - r * 0.05,
                                            cy - r * 0.55), stroke=PAPER, width=1.2),
    ])


def glyph_find():
    return lens(8, 8, 5.2, (17.2, 17.2))


def glyph_findnext():
    arrow = "M 12.5,13.5 H 15.5 V 11 L 19.2,15 L 15.5,19 V 16.5 H 12.5 Z"
    return "\n".join([lens(7, 7, 4.6, (11.2, 11.2)),
                      shape(arrow, fill="#4b8fd4", stroke=BLUE_DARK, width=1.0, join="round")])


def glyph_print():
    return "\n".join([
        shape("M 5.5,1.5 H 14.5 V 8.5 H 5.5 Z", fill=PAPER, stroke=INK, join="miter"),
        gradient("printer", 0, 7, 0, 15, [(0, "#e4e9ee"), (1, "#aab6c3")]),
        shape("M 2.5,7.5 H 17.5 V 14.5 H 2.5 Z", fill="url(#printer)", stroke=INK, join="round"),
        shape("M 5.5,12.5 H 14.5 V 18.5 H 5.5 Z", fill=PAPER, stroke=INK, join="miter"),
        lines(7, 13, (14.5, 16.5), colour=INK_SOFT),
        shape("M 14,10 H 16", stroke="#3aa655", width=1.6, cap="butt"),
    ])


def glyph_pdf():
    """Export PDF: a report page with a chart's curve, and the red tag
    readers know PDF files by."""
    return "\n".join([
        page(3.5, 1.5, 16.5, 18.5, fold=4),
        lines(6, 11, (4.5, 6.5)),
        shape("M 6,10.5 L 8.5,9 L 11,9.5 L 14,6.5", stroke=BLUE, width=1.3, cap="round"),
        shape("M 1.5,11.5 H 18.5 V 18.5 H 1.5 Z", fill="#c62f2f", stroke="#7f1d1d", join="miter"),
        text(3.2, 17.4, "PDF", 6.4, PAPER, bold=True),
    ])


def glyph_help():
    return "\n".join([
        gradient("ball", 0, 1, 0, 19, [(0, "#4b92d8"), (1, BLUE_DARK)]),
        shape("M 18.5,10 A 8.5,8.5 0 1,1 1.5,10 A 8.5,8.5 0 1,1 18.5,10 Z", fill="url(#ball)", stroke="#153b63"),
        question_mark(10, 10, 1.0, PAPER),
    ])


def question_mark(cx, cy, scale, colour):
    """A bold question mark drawn as strokes, centred on (cx, cy)."""
    def p(x, y):
        return "%g,%g" % (cx + x * scale, cy + y * scale)
    hook = "M %s C %s %s %s C %s %s %s C %s %s %s L %s" % (
        p(-3.0, -2.3), p(-3.0, -4.8), p(-1.2, -5.7), p(0.2, -5.7),
        p(2.2, -5.7), p(3.3, -4.5), p(3.3, -3.1),
        p(3.3, -1.2), p(0.2, -0.9), p(0.2, 1.3), p(0.2, 1.6))
    dot_r = 1.35 * scale
    dot = "M %g,%g A %g,%g 0 1,1 %g,%g A %g,%g 0 1,1 %g,%g Z" % (
        cx + 0.2 * scale + dot_r, cy + 4.6 * scale, dot_r, dot_r, cx + 0.2 * scale - dot_r, cy + 4.6 * scale,
        dot_r, dot_r, cx + 0.2 * scale + dot_r, cy + 4.6 * scale)
    return shape(hook, stroke=colour, width=2.4 * scale, cap="round") + "\n" + shape(dot, fill=colour)


GLYPHS = [
    ("tb_24331_new.png", glyph_new, None),
    ("tb_24332_open.png", glyph_open, None),
    ("tb_24333_save.png", glyph_save, "img_save.png"),
    ("tb_24322_cut.png", glyph_cut, "img_cut.png"),
    ("tb_24323_copy.png", glyph_copy, "img_copy.png"),
    ("tb_24324_paste.png", glyph_paste, "img_paste.png"),
    ("tb_24321_undo.png", glyph_undo, "img_undo.png"),
    ("tb_24351_find.png", glyph_find, "img_find.png"),
    ("tb_24353_findnext.png", glyph_findnext, "img_findnext.png"),
    ("tb_24360_print.png", glyph_print, "img_print.png"),
    ("tb_24361_pdf.png", glyph_pdf, "img_pdf.png"),
    ("tb_2001_help.png", glyph_help, "img_help.png"),
]


# ---------------------------------------------------------------------------
# The context-help cursor, 32 x 32: the usual pointer with a question mark
# in a blue disc beside it. The hot spot is CURSOR_HOTSPOT, the arrow's tip.

def cursor_mvg():
    """The cursor's question-mark disc; the arrow is pixel art laid over it."""
    return "\n".join([
        gradient("ball", 0, 12, 0, 30, [(0, "#4b92d8"), (1, BLUE_DARK)]),
        shape("M 29.5,20.5 A 8,8 0 1,1 13.5,20.5 A 8,8 0 1,1 29.5,20.5 Z", fill="url(#ball)", stroke=PAPER,
              width=1.5),
        question_mark(21.5, 20.5, 0.95, PAPER),
    ])


# ---------------------------------------------------------------------------
# The splash picture, 420 x 241.

def splash_mvg():
    w, h = 420, 241
    parts = [
        gradient("sky", 0, 0, w, h, [(0, "#0e2c4a"), (0.6, "#164c73"), (1, "#1e6892")]),
        group("fill 'url(#sky)'", "stroke none", "rectangle 0,0 %d,%d" % (w, h)),
    ]
    # The motif along the bottom: the inlet comes in from the left edge, the
    # body widens, and eight tubes fan out into parallel circuits that run on
    # past the right edge.
    pipe, nut, body, tubes = motif_paths(8, cy=193, x0=-4, nut=(112, 124), body=(128, 172), pipe_h=16,
                                         nut_h=30, face_h=50, fan_end=306, x_end=w + 6, spread=38)
    for d in tubes:
        parts.append(shape(d, stroke="#8fcde9", width=4.2, cap="butt"))
    parts += [
        shape(pipe, fill="#e6f4fb"),
        shape(nut, fill="#e6f4fb"),
        shape(body, fill="#e6f4fb"),
        text(28, 82, "Vantrel", 52, "#ffffff", bold=True),
        text(30, 112, "Distributor Selection and Rating", 15.5, "#cfeaf7"),
        shape("M 30,124 H 228", stroke="#5fb8df", width=2.0, cap="butt"),
        text(30, 146, "Version 1.07", 13, "#a9c9de"),
        text(300, 24, "\u00a9 2026 Vantrel, Inc.", 9.5, "#7fa4be"),
        # a hairline frame so that the window's edge reads on dark desktops
        group("fill none", "stroke '#0a1f33'", "stroke-width 1", "rectangle 0.5,0.5 %g,%g" % (w - 0.5, h - 0.5)),
    ]
    return "\n".join(parts)


# ---------------------------------------------------------------------------

def main():
    global CONVERT
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(here, "..", "resources"),
                        help="resources folder to write into (default: resources/ of this tree)")
    args = parser.parse_args()
    CONVERT = find_convert()

    out = os.path.abspath(args.out)
    bitmaps = os.path.join(out, "bitmaps")
    icons = os.path.join(out, "icons")
    help_dir = os.path.join(out, "help")
    for d in (bitmaps, icons, help_dir):
        os.makedirs(d, exist_ok=True)

    render(splash_mvg(), 420, 241, os.path.join(bitmaps, "splash.png"), background="#0e2c4a",
           extra=["-alpha", "off"])

    for name, draw, help_name in GLYPHS:
        target = os.path.join(bitmaps, name)
        render(draw(), 20, 20, target)
        if help_name:
            shutil.copyfile(target, os.path.join(help_dir, help_name))

    for size in ICON_SIZES:
        program = os.path.join(icons, "vantrel-%d.png" % size)
        document = os.path.join(icons, "vantrel-document-%d.png" % size)
        if size == 16:
            write_png(program, icon_16_pixels())
            write_png(document, document_16_pixels())
        else:
            render(icon_mvg(size), size, size, program)
            render(document_mvg(size), size, size, document)
    shutil.copyfile(os.path.join(icons, "vantrel-48.png"), os.path.join(help_dir, "img_logo.png"))
    with open(os.path.join(icons, "vantrel.svg"), "w", encoding="utf-8") as f:
        f.write(icon_svg())
    for stem in ("vantrel", "vantrel-document"):
        subprocess.run(CONVERT + [os.path.join(icons, "%s-%d.png" % (stem, n)) for n in ICO_SIZES]
                       + [os.path.join(icons, stem + ".ico")], check=True)

    cursor = os.path.join(icons, "help_cursor.png")
    render(cursor_mvg(), 32, 32, cursor)
    with tempfile.TemporaryDirectory() as tmp:
        arrow = os.path.join(tmp, "arrow.png")
        write_png(arrow, arrow_pixels())
        subprocess.run(CONVERT + [cursor, arrow, "-composite"] + PNG_OPTIONS + ["png32:" + cursor], check=True)
    print("make_artwork.py: pictures written under", out)


if __name__ == "__main__":
    main()
