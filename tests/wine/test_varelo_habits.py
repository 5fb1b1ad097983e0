"""Varelo under Wine with the habits of current editors: Ctrl+N, Ctrl+S
and its file dialog, a batch item that compiles what was typed after the
save (the window saved first), a window's caption and Window menu entry
marked while modified, Ctrl+Tab between windows, and the LaTeX help item
opening Varelo's own reference in the browser (what the system was asked
to open is read, not a browser window); the PcTeX item greyed."""

import os
import shutil
import stat
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from test_varelo_editor import FRAME, editors  # noqa: E402

WINDOW_MENU = 6  # 窗口(&W) while an editor window is active
HELP_MENU = 7
# A batch item of the user's own: the file it is given, copied.
USER1_BAT = '@echo off\r\ncopy "%~1.ctx" compiled.txt\r\n'


def click_text(frame):
    """A click into the text window, which makes Varelo the active program
    again after a console window took the focus."""
    for line in harness.probe("places").splitlines():
        head = line.split("|", 1)[0].split()
        if len(head) == 7 and head[1] == "MoxTextEditor" and head[2] == "v":
            x, y, w, h = (int(v) for v in head[3:])
            harness.click(x + min(w, 600) // 2, y + min(h, 400) // 2)
            return
    raise AssertionError("no text window")


def menu(index):
    """(id, enabled, caption) of the items of a menu of the bar."""
    items = []
    for line in harness.probe("menu", str(index)).splitlines():
        words = line.split(" ", 3)
        if len(words) == 4:
            items.append((words[0], words[1] == "enabled", words[3]))
    return items


def read_text(path):
    try:
        with open(path) as f:
            return f.read()
    except FileNotFoundError:
        return ""


class Habits(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="habits-", dir=harness.BUILD_DIR or None)
        self.programs, _ = harness.varelo_program_folder(self.root)
        os.makedirs(os.path.join(self.programs, "Batch"))
        with open(os.path.join(self.programs, "Batch", "User1.bat"), "w") as f:
            f.write(USER1_BAT)
        shutil.copy(os.path.join(harness.BUILD_DIR, "frontend", "win32",
                                 "latex-reference.html"), self.programs)
        # What the browser is asked to open, written down instead.
        self.bin = os.path.join(self.root, "bin")
        os.makedirs(self.bin)
        self.opened = os.path.join(self.root, "opened.txt")
        browser = os.path.join(self.bin, "xdg-open")
        with open(browser, "w") as f:
            f.write(f"#!/bin/sh\nprintf '%s\\n' \"$*\" >> '{self.opened}'\n")
        os.chmod(browser, stat.S_IRWXU)
        self.program = harness.Program(
            os.path.join(self.programs, "Varelo.exe"), cwd=self.root,
            env={"PATH": self.bin + os.pathsep + os.environ.get("PATH", "")})

    def tearDown(self):
        self.program.kill()
        shutil.rmtree(self.root, ignore_errors=True)

    def test_keys_saving_before_a_build_captions_and_help(self):
        frame = harness.wait_for_window(FRAME)
        harness.keys(frame, "ctrl+n")
        harness.wait_for(lambda: editors() == [("Untitled", "")], what="a new window")
        harness.run("xdotool", "type", "--delay", "30", "first")
        harness.wait_for(lambda: editors() == [("Untitled *", "first")], what="the mark")
        harness.keys(frame, "ctrl+s")
        dialog = harness.wait_for_window("^另存为$")
        source = os.path.join(self.root, "habit.ctx")
        harness.keys(dialog, "ctrl+a")
        harness.run("xdotool", "type", "--delay", "20", harness.windows_path(source))
        harness.keys(dialog, "Return")
        harness.wait_for(lambda: editors() == [("habit.ctx", "first")], what="saved, unmarked")
        harness.keys(frame, "End")
        harness.run("xdotool", "type", "--delay", "30", " more")
        harness.wait_for(lambda: editors() == [("habit.ctx *", "first more")], what="marked")
        self.assertIn("&1 habit.ctx *", [item[2] for item in menu(WINDOW_MENU)])
        self.assertEqual(harness.window_name(frame), "Varelo - [habit.ctx *]")

        # The batch item saves the window first: it compiles what was typed.
        harness.keys(frame, "alt+b", "1")
        compiled = os.path.join(self.root, "compiled.txt")
        harness.wait_for(lambda: os.path.exists(compiled), timeout=30, what="the batch run")
        with open(compiled, "rb") as f:
            self.assertEqual(f.read(), b"first more")
        harness.wait_for(lambda: editors() == [("habit.ctx", "first more")], what="unmarked")

        # A second window; Ctrl+Tab goes back to the first.
        click_text(frame)
        harness.keys(frame, "ctrl+n")
        harness.wait_for(lambda: len(editors()) == 2, what="a second window")
        harness.wait_for(lambda: harness.window_name(frame) == "Varelo - [Untitled]",
                         what="the new window in front")
        harness.keys(frame, "ctrl+Tab")
        harness.wait_for(lambda: harness.window_name(frame) == "Varelo - [habit.ctx]",
                         what="the first window in front")

        # Help: PcTeX greyed, the LaTeX item opens the reference.
        items = {caption: enabled for _, enabled, caption in menu(HELP_MENU)}
        self.assertFalse(items["&PcTeX  宝典"])
        self.assertTrue(items["&LaTeX  宝典"])
        harness.keys(frame, "alt+h", "l")
        # The stand-in browser creates its file before it writes the line.
        harness.wait_for(lambda: "latex-reference.html" in read_text(self.opened),
                         timeout=20, what="the browser asked for the reference")


if __name__ == "__main__":
    unittest.main(verbosity=2)
