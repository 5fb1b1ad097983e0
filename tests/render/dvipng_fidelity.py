"""The renderer against a peer: pages drawn by moxrender at zoom 1 must
agree with dvipng's rendering of the same DVI file with the same PK fonts
(tests/fixtures/dvipng, made by tools/fixtures/make-dvipng-references.sh),
virtual fonts included:
at least 99.5% of the ink of each has ink of the other within one pixel, and
no glyph of one is missing from the other.

    dvipng_fidelity.py MOXRENDER PAGE_COMPARE FIXTURES_DIR
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

MOXRENDER = PAGE_COMPARE = FIXTURES = ""


def to_pgm(png, pgm):
    subprocess.run(["convert", png, "-colorspace", "Gray", "-depth", "8", "pgm:" + pgm],
                   check=True)


class AgainstDvipng(unittest.TestCase):
    def compare(self, dvi, page, dpi, options=(), colour=False):
        reference = os.path.join(FIXTURES, "dvipng", f"{dvi[:-4]}-{page}-{dpi}.png")
        with tempfile.TemporaryDirectory() as work:
            ours = os.path.join(work, "ours.png")
            result = subprocess.run(
                [MOXRENDER, "--page", str(page), "--no-frame", f"-R{dpi}", "-B1in:1in",
                 "-P" + os.path.join(FIXTURES, "pk", "dpi$d"), *options, "--out", ours,
                 os.path.join(FIXTURES, "dvi", dvi)],
                capture_output=True, text=True, timeout=120)
            self.assertEqual(result.returncode, 0, result.stderr)
            if colour:
                # Pages with colour: each channel, a pixel agreeing within
                # a pixel and 64 of 255 levels (page_compare --colour).
                for name, picture in (("ours", ours), ("theirs", reference)):
                    subprocess.run(["convert", picture, "-depth", "8",
                                    "ppm:" + os.path.join(work, name + ".ppm")], check=True)
                command = [PAGE_COMPARE, "--colour", os.path.join(work, "ours.ppm"),
                           os.path.join(work, "theirs.ppm")]
            else:
                to_pgm(ours, os.path.join(work, "ours.pgm"))
                to_pgm(reference, os.path.join(work, "theirs.pgm"))
                command = [PAGE_COMPARE, os.path.join(work, "ours.pgm"),
                           os.path.join(work, "theirs.pgm")]
            compared = subprocess.run(command, capture_output=True, text=True, timeout=120)
            print(f"{dvi} page {page} at {dpi} dpi: {compared.stdout.strip()}")
            self.assertEqual(compared.returncode, 0, compared.stdout + compared.stderr)
            matched = re.match(r"matched ([0-9.]+) ([0-9.]+)", compared.stdout)
            self.assertIsNotNone(matched)

    def test_plain_page_1_at_600_dpi(self):
        self.compare("plain.dvi", 1, 600)

    def test_plain_page_2_at_600_dpi(self):
        self.compare("plain.dvi", 2, 600)

    def test_plain_page_1_at_300_dpi(self):
        self.compare("plain.dvi", 1, 300)

    def test_virtual_fonts_at_300_dpi(self):
        # Base fonts at two sizes, a composite, a nested virtual font.
        self.compare("virtual.dvi", 1, 300, ["-F" + os.path.join(FIXTURES, "vf")])

    def test_colour_pages(self):
        # Every model, boxes, a colour over a page break, a paper colour.
        for page, dpi in ((1, 300), (2, 300), (3, 300), (2, 600)):
            with self.subTest(page=page, dpi=dpi):
                self.compare("colour.dvi", page, dpi, colour=True)

    @unittest.skipUnless(shutil.which("gs"), "no Ghostscript")
    def test_eps_figures_at_300_dpi(self):
        # Natural size and scaled to a width, in boxes of rules.
        self.compare("figure.dvi", 1, 300, colour=True)


if __name__ == "__main__":
    MOXRENDER, PAGE_COMPARE, FIXTURES = sys.argv[1:4]
    del sys.argv[1:4]
    unittest.main(verbosity=2)
