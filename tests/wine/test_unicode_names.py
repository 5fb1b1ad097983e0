"""File names beyond GBK under Wine: a source in a folder named with a Korean
word and an emoji, itself named with both, is opened by Varelo from the
command line, edited and saved under its name, compiled by the TeX batch
item (Debian's TeX through the runner, as tex.exe on the Wine search path),
and its DVI file is shown by the previewer, which reloads it after the next
compile; no file with a '?' in its name appears anywhere."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from test_working_cycle import RUNNER, make_program_folder  # noqa: E402
import test_previewer_view as view  # noqa: E402

FOLDER = "한글 😀"
NAME = "논문😀"


def read(path):
    with open(path, "rb") as file:
        return file.read()


@unittest.skipUnless(shutil.which("tex"), "no TeX installed")
class UnicodeNames(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="names-", dir=harness.BUILD_DIR or None)
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.programs = os.path.join(self.root, "MOX programs")
        make_program_folder(self.programs)
        tools = os.path.join(self.root, "unix-tools")
        os.makedirs(tools)
        shutil.copy(RUNNER, os.path.join(tools, "tex.exe"))
        self.folder = os.path.join(self.root, FOLDER)
        os.makedirs(self.folder)
        self.source = os.path.join(self.folder, NAME + ".tex")
        with open(self.source, "wb") as text:
            text.write(b"\\hbox{First}\r\n\\bye\r\n")
        self.dvi = os.path.join(self.folder, NAME + ".dvi")
        self.environment = {"WINEPATH": harness.windows_path(tools)}
        self.started = []
        self.addCleanup(lambda: [program.kill() for program in self.started])

    def start(self, exe, *arguments):
        program = harness.Program(os.path.join(self.programs, exe), *arguments,
                                  cwd=self.root, env=self.environment)
        self.started.append(program)
        return program

    def activate(self, window, bottom=False):
        """A click into the window (the previewer's: its status bar), which
        makes Wine activate it without a window manager; raised first, since
        the windows lie over each other at the screen's corner."""
        harness.run("xdotool", "windowraise", window)
        x, y, width, height = harness.window_box(window)
        harness.click(x + width // 2, y + height - 6 if bottom else y + height // 2)

    def compile(self, frame):
        """The TeX batch item on the active window's file, until TeX has
        written the DVI file anew."""
        before = os.stat(self.dvi).st_mtime_ns if os.path.exists(self.dvi) else None
        self.activate(frame)
        harness.keys(frame, "alt+b", "t")

        def written():
            if not os.path.exists(self.dvi) or os.stat(self.dvi).st_mtime_ns == before:
                return False
            return b"Output written on" in read(os.path.join(self.folder, NAME + ".log"))
        harness.wait_for(written, timeout=120, what=f"TeX to write {NAME}.dvi")

    def test_open_save_compile_and_reload(self):
        self.start("Varelo.exe", harness.windows_path(self.source))
        frame = harness.wait_for_window("^Varelo")
        harness.wait_for(lambda: harness.window_name(frame) == f"Varelo - [{NAME}.tex]",
                         what="the editor named after the file")

        self.compile(frame)
        self.start("moxwin32.exe", f"-P{harness.windows_path(view.PK_FOLDER)}\\dpi$d",
                   f"-I{harness.windows_path(view.HZ_FOLDER)}", harness.windows_path(self.dvi))
        viewer = harness.wait_for_window(f"^{NAME}\\.dvi - Page 1$", timeout=60)

        # A page added in front, saved under the file's own name.
        self.activate(frame)
        harness.keys(frame, "ctrl+Home")
        harness.run("xdotool", "type", "--delay", "40", "\\hbox{Zero}\\vfill\\eject ")
        harness.keys(frame, "ctrl+s")
        harness.wait_for(lambda: read(self.source).startswith(b"\\hbox{Zero}"),
                         what="the source saved")
        self.compile(frame)

        # The previewer, given the focus, reads the new file: two pages.
        self.activate(viewer, bottom=True)
        harness.wait_for(lambda: b"2 pages" in read(os.path.join(self.folder, NAME + ".log")),
                         what="two pages")

        def second_page():
            # Varelo may come to the front once its batch has ended, after
            # the click gave the previewer the focus: the keys are the
            # previewer's only while it is the active window.
            if harness.focus_owner()[0] != harness.window_name(viewer):
                self.activate(viewer, bottom=True)
            harness.keys(viewer, "Next")
            return harness.window_name(viewer) == f"{NAME}.dvi - Page 2"
        try:
            harness.wait_for(second_page, timeout=30, interval=1.0, what="the reloaded second page")
        except TimeoutError:
            # What the screen and the previewer show, for the log.
            harness.screenshot("root", "unicode-names-no-second-page.png")
            raise AssertionError(f"no second page: title {harness.window_name(viewer)!r}, "
                                 f"box {harness.dialog_text()!r}") from None

        for folder, _, files in os.walk(self.root):
            self.assertFalse([name for name in files if "?" in name], folder)
        self.assertEqual(sorted(os.listdir(self.folder)),
                         sorted(f"{NAME}.{kind}" for kind in ("dvi", "log", "tex")))


if __name__ == "__main__":
    unittest.main(verbosity=2)
