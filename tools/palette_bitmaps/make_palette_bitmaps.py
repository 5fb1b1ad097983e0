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

Usage: make_palette_bitmaps.py [--check] MOXRENDER [OUTPUT_DIR]
  MOXRENDER   the native moxrender (e.g. build/native/tools/moxrender)
  --check     writes nothing; fails, naming the file and its first differing
              pixel, where a picture in OUTPUT_DIR is not what is drawn now.
Needs TeX, Metafont and dvitype (tools/install-packages.sh tex) and Pillow
(python3-pil, for /usr/bin/python3); the PK fonts are made at 600 dpi by
tools/fixtures/make-pk-fixtures.sh in a scratch folder.
"""
import io
import re
import subprocess
import sys
import tempfile
from pathlib import Path

try:
    from PIL import Image, ImageChops
except ImportError:
    sys.exit("make_palette_bitmaps: needs Pillow (python3-pil; tools/install-packages.sh build)")

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

def ink_box(page):
    """(left, top, right, bottom) of the pixels that are not paper, or None."""
    return ImageChops.invert(page).getbbox()


def baseline_of(zoom):
    """The row of a page's baseline: the 1 cm margin and the 12 pt strut of
    every cell page above it, in pixels at the zoom."""
    return (RESOLUTION / 2.54 + 12 * RESOLUTION / 72.27) / zoom


def draw_page(moxrender, dvi, pk, page, zoom, folder):
    out = folder / f"page-{page}-{zoom:.3f}.png"
    run([str(moxrender), f"-P{pk}/dpi$d", f"-R{RESOLUTION}", f"-Z{zoom:.3f}", "-B1cm:1cm", "--no-frame",
         "--strict", "--page", str(page), "--out", str(out), str(dvi)], folder)
    with Image.open(out) as picture:
        drawn = picture.convert("L")
    return drawn, ink_box(drawn)


def bmp_bytes(canvas):
    """An 8-bit BMP with a grey palette, rows bottom-up, as LoadImage reads it."""
    picture = Image.frombytes("P", canvas.size, canvas.tobytes())
    picture.putpalette(bytes(v for v in range(256) for _ in range(3)))
    out = io.BytesIO()
    picture.save(out, "BMP", dpi=(72, 72))
    data = bytearray(out.getvalue())
    # biClrImportant: Pillow counts the 256 colours, the committed files say
    # 0; both mean all of them, and 0 keeps the files as they are.
    data[50:54] = bytes(4)
    return bytes(data)


def first_difference(path, canvas):
    """What first differs between a BMP file and the picture drawn now, or None."""
    if not path.is_file():
        return "missing"
    try:
        with Image.open(path) as picture:
            if picture.format != "BMP" or picture.mode != "L":
                return f"not an 8-bit grey BMP ({picture.format} {picture.mode})"
            committed = picture.copy()
    except OSError as error:
        return f"Pillow cannot read it ({error})"
    if committed.size != canvas.size:
        return f"{committed.width} by {committed.height} pixels"
    for i, (old, new) in enumerate(zip(committed.getdata(), canvas.getdata())):
        if old != new:
            return f"pixel ({i % WIDTH}, {i // WIDTH}) is {old}, drawn now {new}"
    data, drawn = path.read_bytes(), bmp_bytes(canvas)
    if data != drawn:
        at = next((i for i, (a, b) in enumerate(zip(data, drawn)) if a != b), min(len(data), len(drawn)))
        return f"same pixels, but byte {at} differs (header, palette or length)"
    return None


def main():
    arguments = sys.argv[1:]
    check_only = arguments[:1] == ["--check"]
    arguments = arguments[check_only:]
    if len(arguments) not in (1, 2):
        fail("usage: make_palette_bitmaps.py [--check] MOXRENDER [OUTPUT_DIR]")
    moxrender = Path(arguments[0]).resolve()
    output = Path(arguments[1]) if len(arguments) == 2 else ROOT / "frontend/data/bitmap2B"
    if not check_only:
        output.mkdir(parents=True, exist_ok=True)
    problems = []
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
            if check_only:
                problem = first_difference(output / bitmap, canvas)
                if problem:
                    problems.append(f"{output / bitmap}: {problem}")
                continue
            (output / bitmap).write_bytes(bmp_bytes(canvas))
            print(f"{output / bitmap}: {len(table)} cells")
    if problems:
        fail("\n".join(problems) + "\nnot what is drawn now; run make_palette_bitmaps.py to draw them again")
    if check_only:
        print(f"{len(palettes)} palette pictures in {output} are what is drawn now")


def draw_palette(moxrender, dvi, pk, folder, bitmap, grid, table, pages):
    rects = cell_rects(grid, table)
    canvas = Image.new("L", (WIDTH, HEIGHT), PAPER)
    # Light lines at the right and bottom edge of every cell show the grid.
    for (left, top, right, bottom) in rects.values():
        canvas.paste(BORDER, (left, bottom - 1, right, bottom))
        canvas.paste(BORDER, (right - 1, top, right, bottom))
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
            ink, box = draw_page(moxrender, dvi, pk, page, zoom, folder)
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
        place = (x0, y0, x0 + w, y0 + h)
        canvas.paste(ImageChops.darker(canvas.crop(place), ink.crop(box)), place)
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
    pixels = canvas.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            value = pixels[x, y]
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
