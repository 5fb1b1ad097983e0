"""Varelo's symbol palettes under Wine, the program in a folder named with
Chinese characters and a blank: the caption still naming the program and
the window, pictures drawn pixel for pixel (the last one kept when one is
missing), the text under the pointer inserted at the caret or over a
selection, as the structure bar's "上下标" is, and what is typed next going
into the text."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

BITMAPS = os.path.join(os.path.dirname(__file__), "..", "..", "frontend", "data", "bitmap2B")


class Frame:
    """The windows in the frame as the probe reads them at one time."""

    def __init__(self):
        self.items = []
        for line in harness.probe("places").splitlines():
            head, _, text = line.partition("|")
            _, kind, shown, *box = head.split(" ")
            self.items.append((kind, shown == "v", tuple(int(v) for v in box), text))

    def find(self, kind, text=None, after=0):
        """(class, visible, (x, y, w, h), text) of a window, or `after` on."""
        found = [i for i, item in enumerate(self.items)
                 if item[0] == kind and text in (None, item[3])]
        return self.items[found[0] + after] if found else ("", False, (0, 0, 0, 0), "")

    def shown(self):
        """The editor's text, the caret label, Edit1 and Image1."""
        return (self.find("MoxTextEditor")[3].replace("\\n", "\n"),
                self.find("Static", "光标", 1)[3], self.find("Button", "x", -1)[3],
                self.find("Button", "x", 1))


def click(window):
    x, y, w, h = window[2]
    harness.click(x + w // 2, y + h // 2)


class Palettes(unittest.TestCase):
    def setUp(self):
        root = tempfile.mkdtemp(prefix="palettes-", dir=harness.BUILD_DIR or None)
        self.addCleanup(shutil.rmtree, root, ignore_errors=True)
        self.programs = os.path.join(root, "符号 programs")
        shutil.copytree(BITMAPS, os.path.join(self.programs, "bitmap2B"))
        os.remove(os.path.join(self.programs, "bitmap2B", "arrow.bmp"))
        shutil.copy(os.path.join(harness.BUILD_DIR, "frontend", "win32", "Varelo.exe"),
                    self.programs)
        paper = os.path.join(root, "paper.tex")
        with open(paper, "wb") as text:
            text.write(b"x\r\n")
        program = harness.Program(os.path.join(self.programs, "Varelo.exe"),
                                  harness.windows_path(paper))
        self.addCleanup(program.kill)
        self.frame = harness.wait_for_window("^Varelo")
        # Without a window manager the maximized frame's X window keeps its
        # first size and cuts off the panel docked at the right edge.
        harness.run("xdotool", "windowsize", "--sync", self.frame, "1280", "1000")
        os.makedirs(harness.ARTIFACTS, exist_ok=True)
        self.expect("x\n", "1,1", "")

    def expect(self, text, caret, symbol):
        harness.wait_for(lambda: Frame().shown()[:3] == (text, caret, symbol),
                         what=f"{text!r}, caret {caret}, {symbol!r} in the box")

    def choose(self, caption, bmp):
        click(Frame().find("Button", caption))

        def panel():
            _, _, symbol, image = Frame().shown()
            return image[1] and symbol == "" and image
        self.picture = x, y, w, h = harness.wait_for(panel, what=f"the panel of {caption}")[2]
        shot = os.path.join(harness.ARTIFACTS, "palette-" + bmp + ".png")

        def drawn():
            harness.run("import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", shot)
            return harness.differing_pixels(shot, os.path.join(BITMAPS, bmp)) == 0
        harness.wait_for(drawn, timeout=5, what=f"{bmp} drawn one to one")

    def at(self, x, y, click=True):
        place = (str(self.picture[0] + x), str(self.picture[1] + y))
        harness.run("xdotool", "mousemove", "--sync", *place, *(["click", "1"] if click else []))

    def select_first_line(self):
        click(Frame().find("MoxTextEditor"))
        harness.keys(self.frame, "ctrl+Home", "shift+End")

    def test_palettes(self):
        self.assertFalse(Frame().find("Button", "x")[1])
        self.choose("希腊字母", "greek.bmp")
        self.assertEqual(harness.window_name(self.frame), "Varelo - [paper.tex]")
        # \beta at 23,0; row 12 of column 3 keeps it, a click there inserts it.
        self.at(23, 0, click=False)
        self.expect("x\n", "1,1", "\\beta ")
        self.at(50, 200)
        self.expect("\\beta x\n", "1,7", "\\beta ")
        # The keys go on into the text, after the symbol.
        harness.run("xdotool", "type", "--delay", "40", "y")
        self.expect("\\beta yx\n", "1,8", "\\beta ")
        # And the editor's keys: Ctrl+Z takes the typing back.
        harness.keys(self.frame, "ctrl+z")
        self.expect("\\beta x\n", "1,7", "\\beta ")

        self.choose("大算子符", "bigbinop.bmp")
        self.select_first_line()
        self.at(5, 5)
        self.expect("\\sum_{}^{}\n", "1,11", "\\sum_{}^{}")
        self.choose("专用符号", "special.bmp")
        self.at(40, 5 * 17 + 3)  # row 6: CR LF
        self.expect("\\sum_{}^{}\n\n", "2,1", "\\n")

        # No arrows' picture: the last one stays, the arrows' cells count.
        self.choose("箭头符号", "special.bmp")
        self.at(5, 258, click=False)
        self.expect("\\sum_{}^{}\n\n", "2,1", "\\rightleftharpoons ")
        self.at(5, 270, click=False)
        self.expect("\\sum_{}^{}\n\n", "2,1", "")

        buttons = [line.split(" ", 4) for line in harness.probe("buttons").splitlines()]
        harness.click(*next((int(b[2]), int(b[3])) for b in buttons if b[4] == "控制"))
        harness.wait_for(lambda: Frame().find("Button", "上下标")[1], what="the structure bar")
        self.select_first_line()
        click(Frame().find("Button", "上下标"))
        self.expect("{}_{}^{}\n\n", "1,9", "")


if __name__ == "__main__":
    unittest.main(verbosity=2)
