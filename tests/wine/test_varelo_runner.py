"""Varelo's TeX command runner dialog under Wine, with the programs in a
folder whose name has a blank and the source in a folder with Chinese
characters: "编译" opens the dialog on the active window's file with the TeX
folder beside the program; a missing input file is reported under its
caption; the LATEX row starts the TeX folder's batch file on the base name in
the source's folder (with Varelo's MOXSRC); the MOXWIN32 row starts the
previewer on the DVI file; the folder browser fills the TeX folder box."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CAPTION = "中西文 ΤEΧ 命令 Windows 集成环境"
# Points of the dialog's client area (its layout; the X window of a Wine
# window without a window manager is its client area): the command box, the
# run button, the folder box's browse button and the folder list's first
# line. The probe cannot be given Chinese texts to find controls by.
BANNER = (240, 25)
COMMAND_BOX = (230, 124)
RUN_BUTTON = (60, 405)
BROWSE_FOLDERS = (432, 64)
END_BROWSING = (432, 94)
FIRST_FOLDER = (48, 182)
# Records its argument and MOXSRC beside itself and leaves a mark in the
# folder it runs in.
# (The redirection first: "1>" would be read as the output handle.)
RECORDER = ('@echo off\r\n>"%~dp0ran.txt" echo %~1 %MOXSRC%\r\n'
            'echo here> ran-here.txt\r\n')


def boxes():
    """The texts of the visible dialog's edit boxes, in their order."""
    return [text for kind, text in harness.dialog_texts() if kind == "Edit"]


class CommandRunnerDialog(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="runner-", dir=harness.BUILD_DIR or None)
        self.programs, self.source = harness.varelo_program_folder(self.root)
        self.sources = os.path.dirname(self.source)
        self.tex = os.path.join(self.programs, "TeX")
        os.makedirs(self.tex)
        with open(os.path.join(self.tex, "LATEX.BAT"), "w", newline="") as bat:
            bat.write(RECORDER)
        self.editor = harness.Program(os.path.join(self.programs, "Varelo.exe"),
                                      harness.windows_path(self.source), cwd=self.root)
        self.frame = harness.wait_for_window("^Varelo")
        harness.wait_for(lambda: harness.probe("buttons").strip(), what="the tool bar")

    def tearDown(self):
        self.editor.kill()
        for viewer in harness.windows_named("^paper"):  # started by Varelo
            harness.keys(viewer, "ctrl+x")
        # A previewer whose keys were lost (no window manager gives them)
        # would take the next test's clicks.
        harness.run(harness.WINE, "taskkill", "/F", "/IM", "moxwin32.exe", check=False)
        shutil.rmtree(self.root, ignore_errors=True)

    def run_command(self, command):
        """Types the command into the command box and presses 执行."""
        dialog = harness.wait_for_window(f"^{CAPTION}$")
        # The command box: clicked (which also activates the dialog again
        # after a message box), emptied and typed into.
        self.click(dialog, COMMAND_BOX)
        harness.keys(dialog, "End", "shift+Home", "BackSpace")
        harness.run("xdotool", "type", "--delay", "40", command)
        self.click(dialog, RUN_BUTTON)

    @staticmethod
    def click(dialog, point, times=1):
        """Clicks a point of the dialog, after a click on its banner that
        makes it the active window again (a previewer or a box was)."""
        x, y, _, _ = harness.window_box(dialog)
        harness.click(x + BANNER[0], y + BANNER[1])
        harness.run("xdotool", "mousemove", "--sync", str(x + point[0]), str(y + point[1]))
        harness.run("xdotool", "click", "--repeat", str(times), "--delay", "80", "1")

    def message(self):
        """Caption and text of the message box, then the box closed."""
        def shown():
            caption, text = harness.dialog_text()
            return (caption, text) if caption not in (None, CAPTION) else None
        box = harness.wait_for(shown, what="a message box")
        harness.click_control("OK")
        harness.wait_for(lambda: harness.dialog_text()[0] == CAPTION, what="the box to close")
        return box

    def test_runs_rows_and_browses_folders(self):
        # Compiling with source specials, then 编译 on the open source.
        harness.keys(self.frame, "alt+t", "s")
        harness.keys(self.frame, "alt+t", "c")
        dialog = harness.wait_for_window(f"^{CAPTION}$")
        self.assertEqual(boxes()[:2], [harness.windows_path(self.tex),
                                       harness.windows_path(self.source)])
        harness.screenshot(dialog, "runner-dialog.png")

        # No DVI file yet: the previewer row names the missing input.
        self.run_command("MOXWIN32")
        self.assertEqual(self.message(),
                         (" 发生错误", "文件paper.DVI不存在,请先用MOX和LaTeX或AmsTeX命令！"))

        # The LATEX row: the TeX folder's batch file on the base name, in
        # the source's folder, with Varelo's MOXSRC.
        self.run_command("LATEX")
        ran = os.path.join(self.tex, "ran.txt")
        harness.wait_for(lambda: os.path.exists(ran) and os.path.getsize(ran) > 0,
                         what="the batch file to run")
        with open(ran) as record:
            self.assertEqual(record.read().split(), ["paper", "1"])
        harness.wait_for(lambda: os.path.exists(os.path.join(self.sources, "ran-here.txt")),
                         what="the batch file's mark in the source's folder")

        # The folder browser opens on the TeX folder without changing the
        # box; a double-click on the list's first line (the root) puts the
        # root into it.
        dialog = harness.wait_for_window(f"^{CAPTION}$")
        self.click(dialog, BROWSE_FOLDERS)
        self.assertEqual(boxes()[0], harness.windows_path(self.tex))
        harness.screenshot(dialog, "runner-folders.png")
        self.click(dialog, FIRST_FOLDER, times=2)
        harness.wait_for(lambda: boxes()[0] == "Z:\\", what="the root in the folder box")
        # Enter in the list opens its first subfolder instead of running.
        harness.keys(dialog, "Down", "Return")
        opened = harness.wait_for(lambda: boxes()[0] != "Z:\\" and boxes()[0],
                                  what="a subfolder in the folder box")
        self.assertTrue(os.path.isdir("/" + opened[len("Z:\\"):]), opened)
        self.click(dialog, END_BROWSING)

        # The MOXWIN32 row once the DVI file exists: the previewer on it.
        shutil.copy(os.path.join(REPO, "samples", "sample.dvi"),
                    os.path.join(self.sources, "paper.dvi"))
        shutil.copy(os.path.join(REPO, "samples", "taiji.bmf"), self.sources)
        # (The TeX folder is the root now; the previewer is the program's.)
        self.run_command("MOXWIN32")
        viewer = harness.wait_for_window("^paper\\.(DVI|dvi) - Page 1$", timeout=60)
        harness.keys(viewer, "ctrl+x")
        harness.wait_until_gone("^paper\\.(DVI|dvi) - Page")


if __name__ == "__main__":
    unittest.main(verbosity=2)
