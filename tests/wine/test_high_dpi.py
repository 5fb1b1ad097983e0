"""Both programs on a screen at 150% and 200% (the prefix's LogPixels at 144
and 192; Wine gives every monitor that DPI and sends no WM_DPICHANGED, so
the probe sends one from inside the program): no control clipped by its
parent or overlapping a sibling, in the previewer's frame and Options
dialog and in Varelo's frame, palette panel and command runner dialog, also
after a move to a monitor of another DPI; the page at 1:1 pixel for pixel
what moxrender draws; the palette's symbol under the pointer at its scaled
place. Screenshots of each stay among the artifacts."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_previewer_view as view  # noqa: E402
from test_varelo_palettes import BITMAPS, Frame, click  # noqa: E402

DESKTOP = r"HKCU\Control Panel\Desktop"
RUNNER = "^中西文 ΤEΧ 命令 Windows 集成环境$"
# Each DPI's move to a monitor of the other.
MOVED_TO = {144: 192, 192: 144}


def set_dpi(dpi):
    harness.run(harness.WINE, "reg", "add", DESKTOP, "/v", "LogPixels", "/t", "REG_DWORD",
                "/d", str(dpi), "/f")


class HighDpi(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="dpi-", dir=harness.BUILD_DIR or None)
        self.programs = []
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.addCleanup(set_dpi, 96)
        self.addCleanup(lambda: [program.kill() for program in self.programs])

    def assert_fits(self, *dialog, what):
        self.assertEqual(harness.probe("layout", *dialog).strip(), "fits", what)

    def previewer(self, dpi):
        copy = harness.ProgramCopy(view.EXE)
        self.addCleanup(copy.remove)
        self.programs.append(harness.Program(
            copy.exe, f"-P{harness.windows_path(view.PK_FOLDER)}\\dpi$d",
            f"-I{harness.windows_path(view.HZ_FOLDER)}", "-Z1", harness.windows_path(view.SAMPLE),
            cwd=copy.folder))
        frame = harness.wait_for_window("^sample.dvi - Page 1$", timeout=60)
        harness.wait_for(lambda: harness.probe("toolbar").strip(), what="the tool bar")
        self.assert_fits(what=f"the previewer's frame at {dpi} dpi")

        # One font pixel to one screen pixel, whatever the DPI.
        expected = view.picture(view.SAMPLE, 1, "1")
        last = {}

        def same():
            geometry = harness.wait_for(harness.view_geometry, what="the page view")
            shot = harness.screenshot("root", f"dpi{dpi}-view-screen.png")
            cut = harness.crop(shot, geometry["client"], f"dpi{dpi}-view.png")
            _, _, width, height = geometry["client"]
            white = harness.on_white(expected, width, height, 0, 0, f"dpi{dpi}-view-expected.png")
            last["count"] = harness.differing_pixels(cut, white, f"dpi{dpi}-view-diff.png")
            return last["count"] == 0
        try:
            harness.wait_for(same, timeout=20, interval=0.5)
        except TimeoutError:
            self.fail(f"{last.get('count')} pixels of the page at 1:1 differ at {dpi} dpi")
        harness.screenshot(frame, f"dpi{dpi}-previewer.png")

        # A click on the status bar makes the frame the active window.
        x, y, width, height = harness.window_box(frame)
        harness.click(x + width // 2, y + height - 6)
        harness.keys(frame, "ctrl+t")
        options = harness.wait_for_window("^MOXWIN options$")
        harness.screenshot(options, f"dpi{dpi}-previewer-options.png")
        self.assert_fits("dialog", what=f"the Options dialog at {dpi} dpi")
        harness.keys(options, "Escape")
        harness.wait_until_gone("^MOXWIN options$")

        # Moved to a monitor of the other DPI: laid out again at that one.
        moved = MOVED_TO[dpi]
        harness.probe("dpi", str(moved), str(dpi))
        harness.wait_for(lambda: harness.probe("layout").strip() == "fits",
                         what=f"the frame laid out at {moved} dpi")
        harness.screenshot(frame, f"dpi{dpi}-previewer-moved-to-{moved}.png")

    def varelo(self, dpi):
        programs, source = harness.varelo_program_folder(os.path.join(self.root, str(dpi)))
        shutil.copytree(BITMAPS, os.path.join(programs, "bitmap2B"))
        self.programs.append(harness.Program(os.path.join(programs, "Varelo.exe"),
                                             harness.windows_path(source)))
        frame = harness.wait_for_window("^Varelo")
        harness.run("xdotool", "windowsize", "--sync", frame, "1280", "1000")
        harness.wait_for(lambda: harness.probe("buttons").strip(), what="the tool bar")

        # The Greek palette: \beta lies at (23, 0) of the picture at 96 dpi.
        click(Frame().find("Button", "希腊字母"))
        picture = harness.wait_for(lambda: Frame().shown()[3][1] and Frame().shown()[3],
                                   what="the palette panel")[2]
        x = picture[0] + 23 * dpi // 96 + 1
        harness.run("xdotool", "mousemove", "--sync", str(x), str(picture[1] + 1))
        harness.wait_for(lambda: Frame().shown()[2] == "\\beta ", what="\\beta under the pointer")
        self.assert_fits(what=f"Varelo's frame with its palette at {dpi} dpi")
        # Tool-bar buttons are no windows: each one's middle within the frame.
        left, _, width, _ = harness.window_box(frame)
        for line in harness.probe("buttons").splitlines():
            self.assertLess(int(line.split()[2]), left + width, f"{line} at {dpi} dpi")
        harness.screenshot(frame, f"dpi{dpi}-varelo.png")

        harness.keys(frame, "alt+t", "c")
        runner = harness.wait_for_window(RUNNER)
        harness.screenshot(runner, f"dpi{dpi}-varelo-runner.png")
        self.assert_fits("dialog", what=f"the command runner at {dpi} dpi")
        moved = MOVED_TO[dpi]
        harness.probe("dpi", str(moved), str(dpi), "dialog")
        harness.wait_for(lambda: harness.probe("layout", "dialog").strip() == "fits",
                         what=f"the command runner laid out at {moved} dpi")
        harness.screenshot(runner, f"dpi{dpi}-varelo-runner-moved-to-{moved}.png")

        # The frame moved up only: moved down, it takes the size suggested
        # for the other monitor, three quarters of this 1280 by 1024 screen,
        # too short for the palette's picture at 150% (as a short window is
        # at 100%).
        if moved < dpi:
            return
        harness.probe("dpi", str(moved), str(dpi))
        harness.wait_for(lambda: harness.probe("layout").strip() == "fits",
                         what=f"Varelo's frame laid out at {moved} dpi")
        harness.screenshot(frame, f"dpi{dpi}-varelo-moved-to-{moved}.png")

    def test_both_programs_at_150_and_200_percent(self):
        for dpi in (144, 192):
            with self.subTest(dpi=dpi):
                set_dpi(dpi)
                self.previewer(dpi)
                self.varelo(dpi)
                for program in self.programs:
                    program.kill()
                self.programs.clear()


if __name__ == "__main__":
    unittest.main(verbosity=2)
