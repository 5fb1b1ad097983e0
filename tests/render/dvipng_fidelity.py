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
import subprocess
import sys
import tempfile
import unittest

MOXRENDER = PAGE_COMPARE = FIXTURES = ""


def to_pgm(png, pgm):
    subprocess.run(["convert", png, "-colorspace", "Gray", "-depth", "8", "pgm:" + pgm],
                   check=True)


class AgainstDvipng(unittest.TestCase):
    def compare(self, dvi, page, dpi, options=()):
        reference = os.path.join(FIXTURES, "dvipng", f"{dvi[:-4]}-{page}-{dpi}.png")
        with tempfile.TemporaryDirectory() as work:
            ours = os.path.join(work, "ours.png")
            result = subprocess.run(
                [MOXRENDER, "--page", str(page), "--no-frame", f"-R{dpi}", "-B1in:1in",
                 "-P" + os.path.join(FIXTURES, "pk", "dpi$d"), *options, "--out", ours,
                 os.path.join(FIXTURES, "dvi", dvi)],
                capture_output=True, text=True, timeout=120)
            self.assertEqual(result.returncode, 0, result.stderr)
            to_pgm(ours, os.path.join(work, "ours.pgm"))
            to_pgm(reference, os.path.join(work, "theirs.pgm"))
            compared = subprocess.run(
                [PAGE_COMPARE, os.path.join(work, "ours.pgm"), os.path.join(work, "theirs.pgm")],
                capture_output=True, text=True, timeout=120)
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


if __name__ == "__main__":
    MOXRENDER, PAGE_COMPARE, FIXTURES = sys.argv[1:4]
    del sys.argv[1:4]
    unittest.main(verbosity=2)
