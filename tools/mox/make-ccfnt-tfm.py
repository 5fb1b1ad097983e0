#!/usr/bin/env python3
"""Writes the TeX font metrics (TFM files) of the Chinese "ccfnt" fonts, of
the "moxuc" fonts of the characters beyond GB 2312, and of the style font
"ccdummy" that the macros in tex/mox/ load.

    make-ccfnt-tfm.py --package OUT_DIR
    make-ccfnt-tfm.py [--font NAME:SIZE | --font ccdummy]... OUT_DIR

--package writes every font the macros may load: ccfntXS and moxucXS for
each ziti letter X ("@" and "A" to "Z") and each size S of SIZES (the size
in points without its decimal point: ccfntA1095 is ziti A at 10.95pt), and
ccdummy.
--font writes one font (SIZE in points, decimals allowed).

The files are written directly, byte for byte the same on every run; no TeX
program is needed. What the metrics say, and why:

* The previewer moves by a ccfnt font's design size after the second byte of
  a pair and by nothing after the first, whatever the widths say; so the
  design size is the size of the characters, and every character is half of
  it wide: TeX moves by the design size over a pair, as the previewer does.
  A font must therefore be loaded at its design size (never "at" another).
* A moxuc font is a ccfnt font for the characters GB 2312 lacks: a pair of
  its characters 0 to 255 is the high and the low byte of the character's
  Unicode value (U+9555 is 149 85), with the same metrics.
* The checksum carries the character height in units of 2^-20 pt, which the
  previewer takes for the height of the character cell: here the size.
* Heights and depths (0.8 and 0.2 of the size) serve TeX's line spacing.
* ccdummy: characters ">" "?" "@" and "A" to "Z" of width 0; setting one
  chooses that ziti in the previewer ("?" saves the ziti, ">" restores it).
"""

import argparse
import os
import re
import struct
import sys

# The sizes of the macros (tex/mox/moxcore.tex, \mox@sizes): plain TeX's
# 10pt, the sizes of LaTeX's size commands under the 10, 11 and 12pt class
# options, and a few whole sizes.
SIZES = ["5", "6", "7", "8", "9", "10", "10.95", "11", "12", "14", "14.4", "16",
         "17.28", "20", "20.74", "24", "24.88"]
ZITI_LETTERS = "@" + "".join(chr(c) for c in range(ord("A"), ord("Z") + 1))
FIRST_CODE, LAST_CODE = 33, 126  # row or cell + 32 for rows and cells 1..94
UNICODE_FIRST, UNICODE_LAST = 0, 255  # a byte of a Unicode value
DUMMY_FONT = "ccdummy"
DUMMY_CODES = range(ord(">"), ord("Z") + 1)
UNITY = 1 << 20  # a fix_word of 1.0


def fix_word(value):
    return round(value * UNITY)


def size_name(size):
    return size.replace(".", "")


def bcpl(text, length):
    data = text.encode("ascii")
    return bytes([len(data)]) + data + bytes(length - 1 - len(data))


def tfm(design_size, checksum, coding, family, first, last, width, height, depth, params):
    """A TFM file whose characters first..last all have the same metrics
    (fractions of the design size) and no ligatures or kerns."""
    widths = [0, fix_word(width)]
    heights = [0] + ([fix_word(height)] if height else [])
    depths = [0] + ([fix_word(depth)] if depth else [])
    italics = [0]
    header = struct.pack(">Ii", checksum, fix_word(design_size))
    # Seven-bit safe when no code is above 127.
    header += bcpl(coding, 40) + bcpl(family, 20) + bytes([0x80 if last < 128 else 0, 0, 0, 0])
    lh = len(header) // 4
    count = last - first + 1
    char_info = struct.pack(">BBBB", 1, (len(heights) - 1) * 16 + (len(depths) - 1), 0, 0) * count
    words = [widths, heights, depths, italics, [], [], [], [fix_word(p) for p in params]]
    lf = 6 + lh + count + sum(len(w) for w in words)
    data = struct.pack(">12H", lf, lh, first, last, len(widths), len(heights), len(depths),
                       len(italics), 0, 0, 0, len(params))
    data += header + char_info
    for table in words:
        data += b"".join(struct.pack(">i", value) for value in table)
    assert len(data) == 4 * lf
    return data


def chinese_tfm(name, size):
    points = float(size)
    checksum = fix_word(points)
    if not 0 < checksum < 2**32 or not points < 2048:
        raise ValueError(f"{name}: size {size}pt does not fit a TFM file")
    if name.startswith("moxuc"):
        coding, family, first, last = ("UNICODE HIGH AND LOW BYTE", "MOXUC", UNICODE_FIRST,
                                       UNICODE_LAST)
    else:
        coding, family, first, last = "GB 2312 ROW AND CELL PLUS 32", "CCFNT", FIRST_CODE, LAST_CODE
    # SLANT, SPACE, STRETCH, SHRINK, XHEIGHT, QUAD
    return tfm(points, checksum, coding, family, first, last,
               0.5, 0.8, 0.2, [0.0, 0.5, 0.0, 0.0, 0.5, 1.0])


def dummy_tfm():
    return tfm(10.0, 0, "ZITI LETTERS", "CCDUMMY", DUMMY_CODES[0], DUMMY_CODES[-1],
               0.0, 0.0, 0.0, [0.0, 0.0, 0.0, 0.0, 0.0, 1.0])


def package_fonts():
    fonts = {f"{family}{letter}{size_name(size)}": size for family in ("ccfnt", "moxuc")
             for letter in ZITI_LETTERS for size in SIZES}
    fonts[DUMMY_FONT] = None
    return fonts


def font_argument(text):
    if text == DUMMY_FONT:
        return text, None
    match = re.fullmatch(r"((ccfnt|moxuc)[A-Z@][A-Za-z0-9]*):([0-9]+(\.[0-9]+)?)", text)
    if not match or float(match.group(3)) <= 0:
        raise argparse.ArgumentTypeError(
            f"{text!r}: want ccfntX...:SIZE or moxucX...:SIZE (X the ziti letter, SIZE in "
            f"points) or {DUMMY_FONT}")
    return match.group(1), match.group(3)


def main(argv):
    parser = argparse.ArgumentParser(description="TFM files of the Chinese fonts")
    parser.add_argument("--package", action="store_true",
                        help="every font the macros of tex/mox/ may load")
    parser.add_argument("--font", action="append", type=font_argument, default=[],
                        metavar="NAME:SIZE")
    parser.add_argument("out_dir")
    args = parser.parse_args(argv[1:])
    fonts = package_fonts() if args.package else {}
    fonts.update({name: size for name, size in args.font})
    if not fonts:
        parser.error("name the fonts with --package or --font")
    os.makedirs(args.out_dir, exist_ok=True)
    for name, size in sorted(fonts.items()):
        data = dummy_tfm() if size is None else chinese_tfm(name, size)
        path = os.path.join(args.out_dir, name + ".tfm")
        # Unchanged files keep their time, so builds that depend on them
        # do not run again.
        if os.path.exists(path):
            with open(path, "rb") as f:
                if f.read() == data:
                    continue
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
