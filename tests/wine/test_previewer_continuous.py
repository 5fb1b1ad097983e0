"""The previewer as a reader uses it, under Wine: the pages of a LaTeX
document one below the other, scrolled with the wheel across a page
boundary (the caption follows the page most in view, and both pages are on
the screen at once), and the place the document was left at restored when
it is opened again."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXE = os.path.join(harness.BUILD_DIR, "previewer", "shell", "moxwin32.exe")
FIXTURES = os.path.join(REPO, "tests", "fixtures")
DOCUMENT = os.path.join(FIXTURES, "dvi", "long.dvi")
PK = os.path.join(FIXTURES, "pk")


def caption_page(frame):
    name = harness.window_name(frame)
    return int(name.rsplit(" ", 1)[1]) if " - Page " in name else None


def blue_frame_rows(shot, box):
    """The rows of the view that hold a page frame's dotted blue top or
    bottom line (long runs of blue)."""
    x, y, width, height = box
    text = harness.run("convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                       "-fill", "black", "-fuzz", "10%", "+opaque", "blue", "-fill", "white",
                       "-opaque", "blue", "-negate", "-scale", f"1x{height}!", "-depth", "8",
                       "txt:-")
    rows = []
    for line in text.splitlines()[1:]:
        place, _, rest = line.partition(":")
        level = int(rest.split("(")[1].split(",")[0])
        if level > 255 * 0.3:  # more than 30% of the row blue: a frame line
            rows.append(int(place.split(",")[1]))
    return rows


class Continuous(unittest.TestCase):
    def setUp(self):
        self.copy = harness.ProgramCopy(EXE)
        self.program = None

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        self.copy.remove()

    def start(self):
        self.program = harness.Program(self.copy.exe, "-Z5", f"-P{harness.windows_path(PK)}\\dpi$d",
                                       harness.windows_path(DOCUMENT), cwd=self.copy.folder)
        return harness.wait_for_window(r"^long\.dvi - Page [0-9]+$", timeout=60)

    def test_the_wheel_crosses_pages_and_a_reopened_document_starts_where_it_was(self):
        frame = self.start()
        self.assertEqual(caption_page(frame), 1)
        geometry = harness.wait_for(harness.view_geometry, what="the page view")
        x, y, width, height = geometry["client"]
        harness.run("xdotool", "mousemove", "--sync", str(x + width // 2), str(y + height // 2))
        # Notch by notch until the caption names page 2.
        for _ in range(80):
            harness.run("xdotool", "click", "5")
            if caption_page(frame) == 2:
                break
        harness.wait_for(lambda: caption_page(frame) == 2, what="page 2 in the caption")
        # The end of page 1 and the top of page 2 are both in view: two frame
        # lines a gap apart.
        def two_frames():
            shot = harness.screenshot("root", "continuous-boundary.png")
            rows = blue_frame_rows(shot, geometry["client"])
            return any(0 < b - a <= 60 for a, b in zip(rows, rows[1:])) and rows
        harness.wait_for(two_frames, what="the bottom of page 1 and the top of page 2")
        # Page down twice: page 4 at the top.
        harness.keys(frame, "Next", "Next")
        harness.wait_for(lambda: caption_page(frame) == 4, what="page 4")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

        with open(self.copy.path("moxwin32.POS"), encoding="latin-1") as places:
            self.assertIn("\n3\t", places.read())  # page index 3 kept
        frame = self.start()
        harness.wait_for(lambda: caption_page(frame) == 4, what="page 4 again after a restart")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
