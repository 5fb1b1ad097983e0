"""Varelo's TeX editing aids under Wine: the line numbers in the gutter
(its width following the digits of the last line, the top line's number
after scrolling), a control sequence drawn in the colour of commands, and
a command completed from tex.txt after a backslash and two letters, the
list shown at the caret and the choice inserted with Tab into the text."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EDITOR = os.path.join(harness.BUILD_DIR, "frontend", "win32", "Varelo.exe")
DATA = os.path.join(REPO, "frontend", "data")


def tree():
    items = []
    for line in harness.probe("tree").splitlines():
        head, _, text = line.partition("|")
        depth, kind, shown = head.split(" ")
        items.append((int(depth), kind, shown == "v", text.replace("\\n", "\n")))
    return items


def editor_text():
    return next((text for _, kind, _, text in tree() if kind == "MoxTextEditor"), None)


def completion_list():
    """The lines of the completion list while it shows, else None."""
    return next((text.split("\n") for _, kind, shown, text in tree()
                 if kind == "ListBox" and shown), None)


def box_pixels(path, box):
    """(r, g, b) of every pixel of a box (x, y, w, h) of a PNG."""
    x, y, w, h = box
    out = harness.run("convert", path, "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "txt:-")
    found = []
    for line in out.splitlines()[1:]:
        match = re.search(r"\((\d+),(\d+),(\d+)", line)
        if match:
            found.append(tuple(int(v) for v in match.groups()))
    return found


def commands_blue(r, g, b):
    """A pixel of the commands' dark blue, blended with the white paper at
    the edges of the strokes as the font is smoothed."""
    return b - max(r, g) >= 50 and abs(r - g) < 20


def editor_state():
    words = harness.probe("editor").split()
    return {"gutter": int(words[1]), "top": int(words[3]), "x": int(words[5]), "y": int(words[6])}


class TexEditing(unittest.TestCase):
    def setUp(self):
        self.programs = tempfile.mkdtemp(prefix="texedit-", dir=harness.BUILD_DIR or None)
        shutil.copy(EDITOR, self.programs)
        shutil.copy(os.path.join(DATA, "tex.txt"), self.programs)
        self.source = os.path.join(self.programs, "paper.tex")
        lines = ["\\section{引言}"]
        for n in range(2, 61):
            lines.append(f"第 {n} 行 text $x^{n}$ % 注释 {n}")
        with open(self.source, "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("gbk"))
        self.program = None

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        shutil.rmtree(self.programs, ignore_errors=True)

    def test_gutter_colours_and_completion(self):
        self.program = harness.Program(os.path.join(self.programs, "Varelo.exe"),
                                       harness.windows_path(self.source), cwd=self.programs)
        frame = harness.wait_for_window("^Varelo")
        harness.wait_for(editor_text, what="the editor window")
        state = harness.wait_for(editor_state, what="the editor's gutter")
        self.assertEqual(state["top"], 1)
        two_digits = state["gutter"]
        self.assertGreater(two_digits, 0)

        # \section on the first row: some of its pixels in the commands' blue.
        shot = harness.screenshot("root", "varelo-tex-colours.png")
        box = (state["x"] + two_digits, state["y"], 70, 16)
        colours = box_pixels(shot, box)
        blue = sum(1 for r, g, b in colours if commands_blue(r, g, b))
        self.assertGreaterEqual(blue, 3, "no pixel of \\section in the commands' colour")
        # The gutter's numbers are grey, not the text's colour.
        gutter = (state["x"], state["y"], two_digits, 16)
        self.assertFalse(any(commands_blue(r, g, b) for r, g, b in box_pixels(shot, gutter)))

        # To the end: the top line is one further down.
        harness.keys(frame, "ctrl+End")
        harness.wait_for(lambda: editor_state()["top"] > 1, what="the text scrolled")
        # Past line 99 the gutter takes a third digit.
        text = "".join(f"行 {n}\n" for n in range(61, 111))
        subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode("utf-8"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=10)
        harness.keys(frame, "ctrl+v")
        harness.wait_for(lambda: editor_state()["gutter"] > two_digits, what="a wider gutter")
        self.assertGreater(editor_state()["top"], 40)

        # A completion: "\fr" offers \frac, Tab inserts it with its braces.
        harness.run("xdotool", "type", "--delay", "60", "\\fr")
        offered = harness.wait_for(completion_list, what="the completion list")
        self.assertTrue(any(line.startswith("\\frac") for line in offered), offered)
        self.assertEqual(offered, [line for line in offered if line.startswith("\\fr")])
        first = offered[0].split("\t")[0]
        harness.keys(frame, "Tab")
        harness.wait_for(lambda: completion_list() is None, what="the list closed")
        text = editor_text()
        self.assertIn("行 110\n" + first, text)
        self.assertNotIn("\\fr\t", text)
        # Escape closes the list without inserting anything.
        harness.keys(frame, "ctrl+End", "Return")
        harness.run("xdotool", "type", "--delay", "60", "\\be")
        harness.wait_for(completion_list, what="the list for \\be")
        harness.keys(frame, "Escape")
        harness.wait_for(lambda: completion_list() is None, what="the list closed by Escape")
        self.assertTrue(editor_text().endswith("\n\\be"))
        harness.screenshot("root", "varelo-tex-completion.png")


if __name__ == "__main__":
    unittest.main()
