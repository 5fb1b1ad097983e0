"""The bundled sample document, samples/sample.dvi, opened the way the
previewer opens it (moxrender) with the sample's own PK fonts
(samples/pk/dpi$d) and the Chinese outline font fixtures: it must open
without a message, hold what its README promises, and draw every Chinese
character with ink. An outline font fixture that lacks a character of the
sample still loads, and the character is an empty glyph with no message, so
only the drawn page shows it: the ink check catches a sample.ctx edited
without tools/fixtures/make-outline-fixtures.sh run again.

    sample_document_test.py MOXRENDER REPO_DIR
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

MOXRENDER = ""
ROOT = ""


def sample(*parts):
    return os.path.join(ROOT, "samples", *parts)


def run(*args):
    """moxrender on the sample with its fonts, started in another folder than
    the sample's, as a user opens it from anywhere."""
    env = dict(os.environ)
    env.pop("MOXRENDEROPTS", None)
    env.pop("CCPKPATH", None)
    env.pop("CCHZPATH", None)
    fonts = ["-P" + sample("pk", "dpi$d"),
             "-I" + os.path.join(ROOT, "tests", "fixtures", "hzfonts")]
    with tempfile.TemporaryDirectory() as elsewhere:
        return subprocess.run([MOXRENDER, *fonts, *args, sample("sample.dvi")],
                              capture_output=True, env=env, cwd=elsewhere, timeout=120)


def items_by_page(output):
    """{page number: [item fields]} from the --items listing."""
    pages = {}
    current = None
    for line in output.decode().splitlines():
        fields = line.split()
        if fields[0] == "page":
            current = pages.setdefault(int(fields[1]), [])
        else:
            current.append(fields)
    return pages


# Parameter bytes after DVI opcodes 128 to 246 that are not specials or font
# definitions: set1..4, set_rule, put1..4, put_rule, nop, bop, eop, push, pop,
# right1..4, w0..4, x0..4, down1..4, y0..4, z0..4, (fnt_num), fnt1..4.
def _parameter_bytes(op):
    if 128 <= op <= 131 or 133 <= op <= 136 or 235 <= op <= 238:
        return op - (127 if op <= 131 else 132 if op <= 136 else 234)
    if op in (132, 137):
        return 8
    if op == 139:
        return 44
    for first, zero_form in ((143, False), (147, True), (152, True), (157, False),
                             (161, True), (166, True)):
        count = 5 if zero_form else 4
        if first <= op < first + count:
            return op - first + (0 if zero_form else 1)
    if op in (138, 140, 141, 142) or 171 <= op <= 234:
        return 0
    raise AssertionError(f"unexpected DVI opcode {op}")


def specials_by_page(path):
    """{page number: [special text]} read from the DVI file itself."""
    with open(path, "rb") as f:
        data = f.read()
    at = 15 + data[14]  # after the preamble and its comment
    pages, page = {}, 0
    while data[at] != 248:  # post
        op = data[at]
        at += 1
        if op < 128:
            continue
        if 239 <= op <= 242:  # xxx1..4
            size = op - 238
            length = int.from_bytes(data[at:at + size], "big")
            pages[page].append(data[at + size:at + size + length].decode("latin-1"))
            at += size + length
        elif 243 <= op <= 246:  # fnt_def1..4
            at += op - 242 + 12
            at += 2 + data[at] + data[at + 1]
        else:
            if op == 139:
                page += 1
                pages[page] = []
            at += _parameter_bytes(op)
    return pages


def read_bilevel_png(path):
    """The rows of a PNG of 1-bit palette pixels (what moxrender writes
    without its frame at zoom 1 in black and white) and the palette index of
    ink."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    at, idat, palette = 8, [], b""
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"IDAT":
            idat.append(body)
        at += 12 + length
    if (depth, colour, interlace) != (1, 3, 0):
        raise AssertionError(f"{path}: not a 1-bit palette picture ({depth}, {colour}, {interlace})")
    ink = [i for i in range(len(palette) // 3) if sum(palette[3 * i:3 * i + 3]) < 3 * 128]
    if ink != [1]:
        raise AssertionError(f"{path}: index 1 is not the only ink colour ({palette.hex()})")
    raw = zlib.decompress(b"".join(idat))
    stride = (width + 7) // 8
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind > 4:
            raise AssertionError(f"{path}: row {y} has filter {kind}")
        # libpng leaves palette rows unfiltered (kind 0); the other filters
        # of PNG, a byte being the step of one pixel, are undone here too.
        for x in range(stride if kind else 0):
            left = row[x - 1] if x else 0
            up, corner = previous[x], previous[x - 1] if x else 0
            if kind == 1:
                row[x] = (row[x] + left) & 255
            elif kind == 2:
                row[x] = (row[x] + up) & 255
            elif kind == 3:
                row[x] = (row[x] + (left + up) // 2) & 255
            else:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[x] = (row[x] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(bytes(row))
        previous = row
    return width, rows


def ink_in(rows, width, left, top, box_width, box_height):
    """Ink pixels in a box of the picture (clipped to it)."""
    count = 0
    x0, x1 = max(left, 0), min(left + box_width, width)
    if x1 <= x0:
        return 0
    first, last = x0 // 8, (x1 + 7) // 8
    bits = (last - first) * 8
    mask = ((1 << (x1 - x0)) - 1) << (bits - (x1 - first * 8))
    for y in range(max(top, 0), min(top + box_height, len(rows))):
        count += bin(int.from_bytes(rows[y][first:last], "big") & mask).count("1")
    return count


class OpensWithItsFonts(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.info = run("--info")
        cls.lines = cls.info.stdout.decode().splitlines()

    def test_opens_without_a_message(self):
        self.assertEqual(self.info.returncode, 0, self.info.stderr)
        self.assertEqual(self.info.stderr, b"")

    def test_four_pages_numbered_one_to_four_under_ziti_a(self):
        self.assertIn("pages 4", self.lines)
        pages = [line.split() for line in self.lines if line.startswith("page ")]
        self.assertEqual([p[1] for p in pages], ["1", "2", "3", "4"])
        # Page 1 starts before any ZiTi= special (ziti 0); every later page
        # starts in ziti A, the Kai text having restored it.
        self.assertEqual([p[3] for p in pages], ["0", "1", "1", "1"])

    def test_every_pk_font_is_found_in_the_samples_folder_and_none_is_spare(self):
        pk = [line.split() for line in self.lines if line.startswith("pk ")]
        self.assertTrue(pk)
        folder = sample("pk", "dpi600")
        for fields in pk:
            self.assertEqual(fields[-2], "600", fields)
            self.assertEqual(fields[-1], os.path.join(folder, fields[2] + ".PK"), fields)
        self.assertEqual(sorted(f[2] + ".PK" for f in pk), sorted(os.listdir(folder)))

    def test_chinese_fonts_and_the_slots_of_both_faces(self):
        chinese = sorted(tuple(line.split()[2:]) for line in self.lines
                         if line.startswith("chinese "))
        # Cell sizes at 600 dpi of 10, 12 and 20pt, from the TFM checksums.
        self.assertEqual(chinese, [("100", "100", "786432", "K"), ("166", "166", "1310720", "K"),
                                   ("83", "83", "655360", "A")])
        slots = {line.split()[1]: line.split()[3] for line in self.lines
                 if line.startswith("slot ")}
        self.assertEqual(sorted(slots, key=int), ["1", "2", "22"])  # symbols, A, K
        self.assertTrue(slots["22"].endswith("uml1t3.hzf"))


class WhatThePagesHold(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.result = run("--items")
        cls.pages = items_by_page(cls.result.stdout)

    def kinds(self, page):
        return [item[0] for item in self.pages[page]]

    def test_scans_without_a_message(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        self.assertEqual(self.result.stderr, b"")
        self.assertEqual(sorted(self.pages), [1, 2, 3, 4])

    def test_chinese_and_english_on_every_page(self):
        for page in self.pages:
            self.assertGreater(self.kinds(page).count("ItemChineseChar"), 20, page)
            self.assertGreater(self.kinds(page).count("ItemPkChar"), 100, page)

    def test_both_faces_on_the_first_page(self):
        slots = {item[6] for item in self.pages[1] if item[0] == "ItemChineseChar"}
        self.assertTrue({"1", "2", "22"} <= slots, slots)

    def test_mathematics_on_page_2(self):
        fonts = {item[6] for item in self.pages[2] if item[0] == "ItemPkChar"}
        self.assertTrue({"cmmi10", "cmmi7", "cmr7", "cmsy10", "cmex10"} <= fonts, fonts)

    def test_tables_of_rules_on_page_3(self):
        rules = [item for item in self.pages[3] if item[0] == "ItemRule"]
        self.assertGreaterEqual(len(rules), 40)
        # Horizontal rules across a whole table, vertical ones down a row.
        self.assertTrue(any(int(r[1]) > 1000 and int(r[2]) < 10 for r in rules))
        self.assertTrue(any(int(r[1]) < 10 and int(r[2]) > 100 for r in rules))

    def test_every_em_and_image_special_gives_an_item(self):
        # A special the scanner rejects leaves no item and no message, so a
        # mistyped one in sample.ctx would only be missing from the page.
        specials = specials_by_page(sample("sample.dvi"))
        self.assertEqual(sorted(specials), sorted(self.pages))
        for page, texts in specials.items():
            em = [t for t in texts if t.lower().startswith("em:")]
            images = [t for t in texts if t.upper().startswith("BMF=")]
            self.assertEqual(self.kinds(page).count("ItemEm"), len(em), page)
            self.assertEqual(self.kinds(page).count("ItemImage"), len(images), page)
        # Page 4 draws with every kind of em: command.
        words = {t.split()[0] for t in specials[4] if t.startswith("em:")}
        self.assertEqual(words, {"em:point", "em:line", "em:linewidth", "em:moveto", "em:lineto"})

    def test_the_image_is_found_beside_the_document(self):
        images = [item for item in self.pages[4] if item[0] == "ItemImage"]
        self.assertEqual(len(images), 1)
        # moxrender ran in another folder; the name in the special has none.
        self.assertEqual(images[0][6], sample("taiji.bmf"))
        self.assertEqual(images[0][1:3], ["600", "600"])  # one inch at 600 dpi


class DrawnPages(unittest.TestCase):
    def test_every_chinese_character_and_the_image_have_ink(self):
        pages = items_by_page(run("--items").stdout)
        with tempfile.TemporaryDirectory() as work:
            pattern = os.path.join(work, "page-%d.png")
            result = run("--no-frame", "-B0:0", "--out", pattern)
            self.assertEqual(result.returncode, 0, result.stderr)
            for page, items in pages.items():
                width, rows = read_bilevel_png(pattern.replace("%d", str(page)))
                empty = []
                for item in items:
                    if item[0] not in ("ItemChineseChar", "ItemImage"):
                        continue
                    w, h, x, y = map(int, item[1:5])
                    if ink_in(rows, width, x, y, w, h) < 10:
                        empty.append(" ".join(item))
                self.assertEqual(empty, [], f"page {page}: no ink")

    def test_grey_and_black_and_white_at_other_zooms_draw_quietly(self):
        # --verbose shows the status lines too, such as an em: line whose
        # point is not on the page.
        for zoom in ("-Z0.2", "-Z0.5", "-Z1"):
            result = run("--null", "--verbose", zoom)
            self.assertEqual(result.returncode, 0, result.stderr)
            self.assertNotIn(b"undefined", result.stderr, zoom)
            self.assertNotIn(b"Cannot", result.stderr, zoom)


if __name__ == "__main__":
    MOXRENDER, ROOT = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    del sys.argv[1:3]
    unittest.main(verbosity=2)
