"""Forward and inverse search between Varelo and the previewer under Wine,
on a document typeset by Debian's TeX with -src-specials, both programs in
a folder whose name has a blank: Ctrl+double-click on a paragraph of the
previewer's page puts Varelo's caret on its line; the TeX menu's forward
search (Ctrl+J) from a line of the second page turns the previewer's page.
Each program starts the other when it is not running."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from test_varelo_editor import caret_label  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PREVIEWER = os.path.join(harness.BUILD_DIR, "previewer", "shell", "moxwin32.exe")
EDITOR = os.path.join(harness.BUILD_DIR, "frontend", "win32", "Varelo.exe")
PK = os.path.join(REPO, "tests", "fixtures", "pk")
ZOOM = 0.2
# The previewer's page margin (1 cm at 600 dpi) at that zoom.
OFFSET = round(600 / 2.54 * ZOOM)

# Paragraphs on lines of their own; line 9 starts the second page.
SOURCE = """\\hsize=4in \\vsize=3in \\parindent=0pt
First paragraph of the first page, on line 2 of the source.

Second paragraph, on line 4, with a few more words in it.

Third paragraph, on line 6.
\\vfill\\eject

Fourth paragraph, the first of the second page, on line 9.
\\bye
"""


def with_frame(frame_class, function, *args):
    """Runs a probe function on the frame of one program (both run)."""
    os.environ["PROBE_FRAME"] = frame_class
    try:
        return function(*args)
    finally:
        del os.environ["PROBE_FRAME"]


class SourceLinks(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="links-", dir=harness.BUILD_DIR or None)
        self.programs = os.path.join(self.root, "MOX programs")
        os.makedirs(self.programs)
        for exe in (PREVIEWER, EDITOR):
            shutil.copy(exe, self.programs)
        # The fonts of a previewer that Varelo starts.
        with open(os.path.join(self.programs, "moxwin32.ini"), "w") as ini:
            ini.write(f"-P{harness.windows_path(PK)}\\dpi$d\n")
        self.source = os.path.join(self.root, "paper.tex")
        with open(self.source, "w") as tex:
            tex.write(SOURCE)
        subprocess.run(["tex", "-src-specials", "-interaction=batchmode", "paper.tex"],
                       cwd=self.root, check=True, capture_output=True, timeout=60)
        self.running = []

    def tearDown(self):
        for program in self.running:
            program.kill()
        # The programs one started for the other.
        for exe in ("Varelo.exe", "moxwin32.exe"):
            harness.run(harness.WINE, "taskkill", "/F", "/IM", exe, check=False)
        shutil.rmtree(self.root, ignore_errors=True)

    def items(self):
        """(line, x, y) of the source specials of page 1, in page pixels."""
        moxrender = os.path.join(os.path.dirname(harness.BUILD_DIR), "native", "tools",
                                 "moxrender")
        moxrender = os.environ.get("MOX_RENDER") or moxrender
        out = harness.run(moxrender, "--items", "--page", "1", f"-P{PK}/dpi$d",
                          os.path.join(self.root, "paper.dvi"))
        found = []
        for line in out.splitlines():
            words = line.split()
            if words and words[0] == "ItemSource":
                found.append((int(words[6]), int(words[3]), int(words[4])))
        return found

    def start_previewer(self):
        self.running.append(harness.Program(
            os.path.join(self.programs, "moxwin32.exe"), f"-Z{ZOOM}",
            f"-P{harness.windows_path(PK)}\\dpi$d", harness.windows_path(
                os.path.join(self.root, "paper.dvi")), cwd=self.root))
        return harness.wait_for_window("^paper.dvi - Page 1$")

    def ctrl_double_click_second_paragraph(self):
        """Ctrl+double-click a little below the second paragraph's special."""
        specials = self.items()
        self.assertEqual([line for line, _, _ in specials], [2, 4, 6])
        _, x, y = specials[1]
        geometry = harness.wait_for(
            lambda: with_frame("MoxwinFrame", harness.view_geometry), what="the page view")
        left, top, _, _ = geometry["client"]
        harness.click(left + 5, top + 5)  # the focus, which starts no ruler
        harness.run("xdotool", "mousemove", "--sync", str(left + OFFSET + int(x * ZOOM) + 40),
                    str(top + OFFSET + int((y + 20) * ZOOM)))
        harness.run("xdotool", "keydown", "ctrl", "click", "--repeat", "2", "--delay", "80", "1",
                    "keyup", "ctrl")

    def forward_search_from_line_9(self):
        editor = harness.wait_for_window("^Varelo")
        harness.keys(editor, "ctrl+End")
        harness.wait_for(lambda: with_frame("VareloFrame", caret_label).startswith("11,"),
                         what="the caret at the end")
        harness.keys(editor, "Up", "Up")
        harness.wait_for(lambda: with_frame("VareloFrame", caret_label).startswith("9,"),
                         what="the caret on line 9")
        harness.keys(editor, "ctrl+j")

    def test_inverse_then_forward_search(self):
        exe = os.path.join(self.programs, "Varelo.exe")
        self.running.append(harness.Program(exe, harness.windows_path(self.source),
                                            cwd=self.root))
        harness.wait_for_window("^Varelo")
        viewer = self.start_previewer()
        self.ctrl_double_click_second_paragraph()
        harness.wait_for(lambda: with_frame("VareloFrame", caret_label) == "4,1",
                         what="Varelo's caret on line 4")
        # Forward search from line 9: the previewer turns to page 2.
        self.forward_search_from_line_9()
        harness.wait_for(lambda: harness.window_name(viewer) == "paper.dvi - Page 2",
                         what="the previewer on page 2")

    def test_each_program_starts_the_other(self):
        # Inverse search with no editor running starts Varelo beside the
        # previewer, on the file at the line.
        self.start_previewer()
        self.ctrl_double_click_second_paragraph()
        harness.wait_for_window("^Varelo")
        harness.wait_for(lambda: with_frame("VareloFrame", caret_label) == "4,1",
                         what="the started Varelo's caret on line 4")
        for window in harness.windows_named("^Varelo"):
            self.assertIn("paper.tex", harness.window_name(window))
        # Forward search with no previewer running starts one on the DVI
        # file at the line's page.
        self.running[0].kill()
        harness.wait_until_gone("^paper.dvi")
        self.forward_search_from_line_9()
        harness.wait_for(lambda: harness.windows_named("^paper.dvi - Page 2$"),
                         what="a previewer started on page 2")
        # A second start on that file, with a forward search to line 2, is
        # handed to the running previewer: it turns to page 1, and no
        # second window opens.
        second = harness.Program(os.path.join(self.programs, "moxwin32.exe"), "-S2:paper.tex",
                                 harness.windows_path(os.path.join(self.root, "paper.dvi")),
                                 cwd=self.root)
        self.assertEqual(second.wait(), 0)
        harness.wait_for(lambda: harness.windows_named("^paper.dvi - Page 1$"),
                         what="the running previewer on page 1")
        self.assertEqual(len(harness.windows_named("^paper.dvi")), 1)


if __name__ == "__main__":
    unittest.main(verbosity=2)
