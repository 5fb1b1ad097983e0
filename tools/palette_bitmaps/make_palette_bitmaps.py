#!/usr/bin/env python3
"""Draws Varelo's ten palette pictures (frontend/data/bitmap2B/*.bmp, 65 by
311 pixels, 8-bit grey) with real TeX and the project's own renderer.

Every cell text of the palettes (read from frontend/core/palette_tables.cpp,
with each palette's grid) is typeset by plain TeX on a page of its own;
moxrender draws each page, in grey levels at a zoom chosen so that the symbol
fits its cell; the ink is cut out and centred in the cell, whose pixels are
exactly those the program's hit test maps to it (division toward zero, row
offsets). Texts that typeset nothing alone show a readable form: an accent
over a letter, a small sign, or the command's name in typewriter type.

Checks of its own output: every cell with a text has ink, all of it inside
its cell and clear of the cell's border lines; cells without a text are blank.

Usage: make_palette_bitmaps.py MOXRENDER [OUTPUT_DIR]
  MOXRENDER   the native moxrender (e.g. build/native/tools/moxrender/moxrender)
Needs TeX, Metafont and dvitype (tools/install-packages.sh tex); the PK fonts
are made at 600 dpi by tools/fixtures/make-pk-fixtures.sh in a scratch folder.
"""
import re
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
TABLES = ROOT / "frontend/core/palette_tables.cpp"
WIDTH, HEIGHT = 65, 311
RESOLUTION = 600
# Grey levels: ink black, border lines light, paper white.
BORDER = 0xD8
PAPER = 0xFF


def fail(message):
    sys.exit(f"make_palette_bitmaps: {message}")


# ---------------------------------------------------------------- the tables

def c_string(literal):
    return bytes(literal, "utf-8").decode("unicode_escape")


def read_palettes():
    """[(bitmap, grid dict, cells {(row, column): text})] from the C++ tables."""
    source = TABLES.read_text(encoding="utf-8")
    arrays = {}
    for name, body in re.findall(r"constexpr const char\* (k\w+)\[\] = \{(.*?)\n\};", source, re.S):
        items = re.findall(r'"((?:[^"\\]|\\.)*)"|\bU\b', body)
        tokens = re.findall(r'"(?:[^"\\]|\\.)*"|\bU\b', body)
        arrays[name] = [None if t == "U" else c_string(t[1:-1]) for t in tokens]
        assert len(items) == len(tokens)
    grids = {}
    for name, kind, args in re.findall(r"constexpr PaletteGrid (k\w+) = (kRowsClear|kColumnsClear)\(([^)]*)\);", source):
        numbers = [int(a) for a in args.split(",")]
        if kind == "kRowsClear":
            width, height, offset, rows, columns = numbers
            grids[name] = dict(width=width, height=height, offset=offset, first=1, rows=rows, columns=columns)
        else:
            width, height, rows = numbers
            grids[name] = dict(width=width, height=height, offset=0, first=0, rows=rows, columns=2)
    palettes = []
    for bitmap, grid, cells, cleared_row, cleared_column in re.findall(
            r'\{"[^"]+", "(\w+\.bmp)", (k\w+), (k\w+), (\d+), (\d+)\}', source):
        g = grids[grid]
        texts = arrays[cells]
        if len(texts) != g["rows"] * g["columns"]:
            fail(f"{cells}: {len(texts)} cells for a grid of {g['rows']} by {g['columns']}")
        table = {}
        for index, text in enumerate(texts):
            row, column = index // g["columns"] + 1, index % g["columns"] + g["first"]
            if text is not None and (row, column) != (int(cleared_row), int(cleared_column)):
                table[(row, column)] = text
        palettes.append((bitmap, g, table))
    if len(palettes) != 10:
        fail(f"{len(palettes)} palettes found in {TABLES}")
    return palettes


def cell_of(grid, x, y):
    """The hit test's row and column of a pixel; int() truncates toward zero."""
    return int((y - grid["offset"]) / grid["height"]) + 1, int(x / grid["width"]) + grid["first"]


def cell_rects(grid, table):
    """Each cell's pixels as a rectangle (left, top, right, bottom), exclusive."""
    rects = {}
    for y in range(HEIGHT):
        for x in range(WIDTH):
            key = cell_of(grid, x, y)
            if key in table:
                l, t, r, b = rects.get(key, (x, y, x + 1, y + 1))
                rects[key] = (min(l, x), min(t, y), max(r, x + 1), max(b, y + 1))
    return rects


# ---------------------------------------------------------------- typesetting

TYPEWRITER = {"\\left ": "left", "\\right ": "right", "\\begin ": "begin", "\\end ": "end",
              "\\limits ": "limits", "\\nolimits ": "nolimits", "\\not ": "not",
              "\\and ": "and", "$$ ": "\\$\\$"}
# Accent commands over a letter, and texts of text mode.
TEXT_MODE = {"\\t ": "\\t oo", "\\c ": "\\c c", "\\i ": "\\i", "\\j ": "\\j"}
TEXT_COMMANDS = {"AA", "aa", "AE", "ae", "L", "l", "O", "o", "OE", "oe", "ss", "#", "$", "%", "&",
                 "_", "lq", "rq", "lbrack", "rbrack", "dag", "ddag", "copyright", "P", "S", "TeX",
                 "LaTeX"}
ACCENTS = {"'", ".", "=", "^", "`", '"', "~", "d", "H", "u", "v"}
DELIMITERS = {"( ": "(", ") ": ")", "[ ": "[", "] ": "]", "| ": "|", "/ ": "/"}


def typeset(text, palette):
    """The plain TeX that shows a cell's text."""
    if text in TYPEWRITER:
        return "{\\tt " + TYPEWRITER[text] + "}"
    if text == "\r\n":
        return "$\\hookleftarrow$"
    if text in TEXT_MODE:
        return TEXT_MODE[text]
    command = text.strip()
    if palette == "boundary.bmp":
        return "$\\big" + DELIMITERS.get(text, command) + "$"
    name = command[1:]
    if name in ACCENTS:
        return command + "{o}"
    if name in TEXT_COMMANDS:
        return command + "{}"
    if command.endswith("_{}^{}"):
        return "$\\displaystyle" + command[:-6] + "$"
    return "$" + command + "$"


DOCUMENT_HEAD = r"""\catcode`\@=11
\def\LaTeX{L\kern-.36em\raise.3ex\hbox{\sevenrm A}\kern-.15em\TeX}
\parindent=0pt
\def\cell#1{\shipout\hbox{\vrule width0pt height12pt depth4pt\relax#1}}
"""


def make_document(folder, pieces):
    source = folder / "cells.tex"
    source.write_text(DOCUMENT_HEAD + "".join(f"\\cell{{{p}}}\n" for p in pieces) + "\\end\n",
                      encoding="ascii")
    run(["tex", "-interaction=batchmode", "cells.tex"], folder)
    dvi = folder / "cells.dvi"
    if not dvi.exists():
        fail("TeX wrote no DVI file; see " + str(folder / "cells.log"))
    return dvi


def fonts_of(dvi, folder):
    listing = run(["dvitype", str(dvi)], folder)
    return sorted(set(re.findall(r"Font \d+: (\w+)", listing)))


def run(command, folder):
    result = subprocess.run(command, cwd=folder, capture_output=True, text=True)
    if result.returncode != 0:
        fail(f"{' '.join(command)} failed:\n{result.stdout[-2000:]}{result.stderr[-2000:]}")
    return result.stdout


# ---------------------------------------------------------------- pictures

def read_png(path):
    """A PNG of moxrender as rows of grey levels 0 (ink) to 255 (paper)."""
    data = path.read_bytes()
    position, chunks, palette = 8, [], None
    width = height = depth = colour = 0
    while position < len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
        elif kind == b"PLTE":
            palette = [(body[i] * 299 + body[i + 1] * 587 + body[i + 2] * 114) // 1000
                       for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            chunks.append(body)
    raw = zlib.decompress(b"".join(chunks))
    channels = {0: 1, 3: 1, 2: 3}[colour]
    stride = (width * depth * channels + 7) // 8
    step = max(1, depth * channels // 8)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        filter_type = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if filter_type == 1:
                line[i] = (line[i] + a) & 255
            elif filter_type == 2:
                line[i] = (line[i] + b) & 255
            elif filter_type == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif filter_type == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        values = []
        for x in range(width):
            if depth >= 8:
                v = line[x * step]
            else:
                bit = x * depth
                v = (line[bit // 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
            if colour == 3:
                v = palette[v]
            elif depth < 8:
                v = v * 255 // ((1 << depth) - 1)
            values.append(v)
        rows.append(values)
    return rows


def ink_box(rows):
    """(left, top, right, bottom) of the pixels that are not paper, or None."""
    ys = [y for y, row in enumerate(rows) if min(row) < PAPER]
    if not ys:
        return None
    xs = [x for row in rows for x, v in enumerate(row) if v < PAPER]
    return min(xs), ys[0], max(xs) + 1, ys[-1] + 1


def baseline_of(zoom):
    """The row of a page's baseline: the 1 cm margin and the 12 pt strut of
    every cell page above it, in pixels at the zoom."""
    return (RESOLUTION / 2.54 + 12 * RESOLUTION / 72.27) / zoom


def draw_page(moxrender, dvi, pk, page, zoom, folder):
    out = folder / f"page-{page}-{zoom:.3f}.png"
    run([str(moxrender), f"-P{pk}/dpi$d", f"-R{RESOLUTION}", f"-Z{zoom:.3f}", "-B1cm:1cm", "--no-frame",
         "--strict", "--page", str(page), "--out", str(out), str(dvi)], folder)
    rows = read_png(out)
    box = ink_box(rows)
    return rows, box


def write_bmp(path, canvas):
    """An 8-bit BMP with a grey palette, rows bottom-up, as LoadImage reads it."""
    stride = (WIDTH + 3) // 4 * 4
    pixels = b"".join(bytes(canvas[y]) + bytes(stride - WIDTH) for y in reversed(range(HEIGHT)))
    palette = b"".join(bytes((v, v, v, 0)) for v in range(256))
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    path.write_bytes(header + info + palette + pixels)


def main():
    if len(sys.argv) not in (2, 3):
        fail("usage: make_palette_bitmaps.py MOXRENDER [OUTPUT_DIR]")
    moxrender = Path(sys.argv[1]).resolve()
    output = Path(sys.argv[2]) if len(sys.argv) == 3 else ROOT / "frontend/data/bitmap2B"
    output.mkdir(parents=True, exist_ok=True)
    palettes = read_palettes()
    with tempfile.TemporaryDirectory(prefix="palettes-") as scratch:
        folder = Path(scratch)
        pieces, pages = [], {}
        for bitmap, grid, table in palettes:
            for key, text in sorted(table.items()):
                pieces.append(typeset(text, bitmap))
                pages[(bitmap, key)] = len(pieces)
        dvi = make_document(folder, pieces)
        pk = folder / "pk"
        run([str(ROOT / "tools/fixtures/make-pk-fixtures.sh"), "--into", str(pk)] + fonts_of(dvi, folder),
            folder)
        for bitmap, grid, table in palettes:
            canvas = draw_palette(moxrender, dvi, pk, folder, bitmap, grid, table, pages)
            write_bmp(output / bitmap, canvas)
            print(f"{output / bitmap}: {len(table)} cells")


def draw_palette(moxrender, dvi, pk, folder, bitmap, grid, table, pages):
    rects = cell_rects(grid, table)
    canvas = [[PAPER] * WIDTH for _ in range(HEIGHT)]
    # Light lines at the right and bottom edge of every cell show the grid.
    for (left, top, right, bottom) in rects.values():
        for x in range(left, right):
            canvas[bottom - 1][x] = BORDER
        for y in range(top, bottom):
            canvas[y][right - 1] = BORDER
    # One zoom for the palette, from a 10 pt symbol filling about two thirds
    # of a row; a symbol too large for its cell at it is drawn smaller.
    row_height = grid["height"]
    base = RESOLUTION * 10 / 72.27 / (row_height * 0.62)
    for key, text in sorted(table.items()):
        left, top, right, bottom = rects[key]
        room_x, room_y = right - left - 3, bottom - top - 3
        page = pages[(bitmap, key)]
        zoom, resized = base, False
        for _ in range(8):
            rows, box = draw_page(moxrender, dvi, pk, page, zoom, folder)
            if box is None:
                fail(f"{bitmap} {key} {text!r}: nothing drawn")
            w, h = box[2] - box[0], box[3] - box[1]
            if w > room_x or h > room_y:
                zoom *= max(w / room_x, h / room_y) * 1.04
                resized = True
            elif max(w, h) < 5 and not resized:
                # A dot would vanish at the palette's size: drawn larger.
                zoom /= 2
                resized = True
            else:
                break
        else:
            fail(f"{bitmap} {key} {text!r}: {w} by {h} pixels do not fit {room_x} by {room_y}")
        x0 = left + 1 + (room_x - w) // 2
        # Symbols stand on a common baseline, as in a line of type, where
        # they fit; the others are centred.
        y0 = top + 1 + round(room_y * 0.74) - round(baseline_of(zoom) - box[1])
        if y0 < top + 1 or y0 + h > top + 1 + room_y:
            y0 = top + 1 + (room_y - h) // 2
        for y in range(h):
            for x in range(w):
                canvas[y0 + y][x0 + x] = min(canvas[y0 + y][x0 + x], rows[box[1] + y][box[0] + x])
    check(bitmap, grid, table, rects, canvas)
    return canvas


def check(bitmap, grid, table, rects, canvas):
    """Ink only inside the cell its hit test names, off its border lines,
    and in every cell that has a text."""
    borders = set()
    for (left, top, right, bottom) in rects.values():
        borders |= {(x, bottom - 1) for x in range(left, right)}
        borders |= {(right - 1, y) for y in range(top, bottom)}
    inked = set()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            value = canvas[y][x]
            if value == PAPER or ((x, y) in borders and value == BORDER):
                continue
            key = cell_of(grid, x, y)
            if key not in rects:
                fail(f"{bitmap}: ink at {x},{y} outside every cell")
            if (x, y) in borders:
                fail(f"{bitmap}: ink at {x},{y} on the border of cell {key}")
            inked.add(key)
    for key in table:
        if key not in inked:
            fail(f"{bitmap}: cell {key} {table[key]!r} has no ink")


if __name__ == "__main__":
    main()
