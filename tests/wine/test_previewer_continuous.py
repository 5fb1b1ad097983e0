"""The previewer as a reader uses it, under Wine: the pages of a LaTeX
document one below the other, scrolled with the wheel across a page
boundary (the caption follows the page most in view, and both pages are on
the screen at once), and the place the document was left at restored when
it is opened again; hyperref's links followed, inside the document and out
to the browser, text dragged over with Shift on the clipboard, and Chinese
text found from page to page."""

import os
import stat
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXE = os.path.join(harness.BUILD_DIR, "previewer", "shell", "moxwin32.exe")
FIXTURES = os.path.join(REPO, "tests", "fixtures")
DOCUMENT = os.path.join(FIXTURES, "dvi", "long.dvi")
PK = os.path.join(FIXTURES, "pk")
HZFONTS = os.path.join(FIXTURES, "hzfonts")
# The links document at 1:2, and the page's corner in the view (the
# previewer leaves a centimetre round the page).
ZOOM = 0.5
OFFSET = round(600 / 2.54 * ZOOM)
MOXRENDER = os.environ.get("MOX_RENDER") or os.path.join(
    os.path.dirname(harness.BUILD_DIR), "native", "tools", "moxrender")


def links(document, page):
    """{target: [(left, top, right, bottom), ...]} of a page's links, in
    page pixels, as the portable reader finds them."""
    out = harness.run(MOXRENDER, "--links", "--page", str(page), f"-P{PK}/dpi$d", document)
    found = {}
    for line in out.splitlines():
        words = line.split()
        if len(words) == 6 and words[0] == "link":
            found.setdefault(words[1], []).append(tuple(int(v) for v in words[2:]))
    return found


def clipboard():
    result = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                            timeout=10, check=False)
    return result.stdout.decode("utf-8", "replace")


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

    def start(self, document=DOCUMENT, zoom="-Z5", env=None):
        self.program = harness.Program(self.copy.exe, zoom, f"-P{harness.windows_path(PK)}\\dpi$d",
                                       f"-I{harness.windows_path(HZFONTS)}",
                                       harness.windows_path(document), cwd=self.copy.folder,
                                       env=env)
        name = os.path.basename(document).replace(".", "\\.")
        return harness.wait_for_window(f"^{name} - Page [0-9]+$", timeout=60)

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

    def test_links_a_copied_selection_and_chinese_found(self):
        document = os.path.join(FIXTURES, "dvi", "links-hypertex.dvi")
        first = links(document, 1)
        # What the browser is asked to open, written down instead.
        opened = self.copy.path("opened.txt")
        browser = self.copy.path("xdg-open")
        with open(browser, "w") as f:
            f.write(f"#!/bin/sh\nprintf '%s\\n' \"$*\" >> '{opened}'\n")
        os.chmod(browser, stat.S_IRWXU)
        frame = self.start(document, "-Z2",
                           {"PATH": self.copy.folder + os.pathsep + os.environ.get("PATH", "")})
        left, top, _, _ = harness.wait_for(harness.view_geometry, what="the page view")["client"]

        def at(box):
            return (left + OFFSET + int((box[0] + box[2]) / 2 * ZOOM),
                    top + OFFSET + int((box[1] + box[3]) / 2 * ZOOM))
        harness.click(left + 5, top + 5)  # the focus, which follows no link
        # "Section 2" leads to page 2.
        harness.click(*at(first["#section.2"][0]))
        harness.wait_for(lambda: caption_page(frame) == 2, what="the link's target page")
        harness.keys(frame, "Prior")
        harness.wait_for(lambda: caption_page(frame) == 1, what="page 1 again")

        # Shift and a drag over "the package page": its text on the clipboard.
        package = first["https://www.ctan.org/pkg/hyperref"][0]
        x0, y0 = at((package[0] - 4, package[1] + 4) * 2)
        x1, y1 = at((package[2] + 2, package[3] - 4) * 2)
        harness.run("xdotool", "mousemove", "--sync", str(x0), str(y0), "keydown", "shift",
                    "mousedown", "1", "mousemove", "--sync", str((x0 + x1) // 2), str(y1),
                    "mousemove", "--sync", str(x1), str(y1), "mouseup", "1", "keyup", "shift")
        harness.wait_for(lambda: clipboard() == "the package page", what="the copied text")
        harness.screenshot("root", "continuous-selection.png")

        # The link to the package page asks, then opens the browser.
        harness.click(*at(package))
        harness.wait_for(lambda: "ctan.org" in (harness.dialog_text()[1] or ""),
                         what="the question about the address")
        self.assertTrue(harness.click_control("&Yes"))
        def asked():
            if not os.path.exists(opened):
                return False
            with open(opened) as f:
                return "ctan.org/pkg/hyperref" in f.read()
        harness.wait_for(asked, what="the browser asked for the address")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

        # Chinese text found on the first page, then on the second.
        # The document's deliberately invalid codes are asked about first.
        self.program = harness.Program(self.copy.exe, "-Z3", f"-P{harness.windows_path(PK)}\\dpi$d",
                                       f"-I{harness.windows_path(HZFONTS)}", harness.windows_path(
                                           os.path.join(FIXTURES, "dvi", "chinese.dvi")),
                                       cwd=self.copy.folder)

        def shown():
            if harness.windows_named("^Warning$", visible_only=True):
                harness.click_control("&Yes")
                return None
            # The caption says what was ignored until the page changes.
            return (harness.windows_named(r"^(chinese\.dvi - Page [0-9]+|Incomplete Chinese.*)$",
                                          visible_only=True) or [None])[0]
        frame = harness.wait_for(shown, timeout=60, interval=0.5, what="chinese.dvi shown")
        harness.keys(frame, "ctrl+shift+f")
        find = harness.wait_for_window("^Find$")
        subprocess.run(["xclip", "-selection", "clipboard"], input="楷体".encode("utf-8"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=10)
        harness.keys(find, "ctrl+a", "ctrl+v", "Return")
        harness.wait_until_gone("^Find$")
        harness.wait_for(lambda: caption_page(frame) == 1, what="the first page's match")
        harness.screenshot("root", "continuous-found.png")
        # Copy without a selection copies the match.
        harness.keys(frame, "ctrl+Insert")
        harness.wait_for(lambda: clipboard() == "楷体", what="the match on the clipboard")
        harness.keys(frame, "F3")
        harness.wait_for(lambda: caption_page(frame) == 2, what="the second page's match")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
