"""Varelo's tool runner under Wine, with the programs in a folder whose
name has a blank and the source in a folder with Chinese characters: a
batch item starts the program folder's batch file on the source's base name
in the source's folder, a template item opens the template in place, and
the tutorial button starts the previewer on the tutorial beside it."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TUTORIAL_BUTTON = 181

# Records its argument beside itself and leaves a mark in the folder it
# runs in (a Chinese folder name would not survive cmd's code page).
RECORDER = '@echo off\r\necho %~1> "%~dp0ran.txt"\r\necho here> ran-here.txt\r\n'


class ToolRunner(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="tools-", dir=harness.BUILD_DIR or None)
        self.programs, self.source = harness.varelo_program_folder(self.root)
        self.sources = os.path.dirname(self.source)
        for folder in ("Batch", "Template"):
            os.makedirs(os.path.join(self.programs, folder))
        with open(os.path.join(self.programs, "Batch", "latex.bat"), "w", newline="") as bat:
            bat.write(RECORDER)
        shutil.copy(os.path.join(REPO, "frontend", "data", "Template", "latex.tex"),
                    os.path.join(self.programs, "Template"))
        # Any document serves as the tutorial here; the sample has fonts.
        shutil.copy(os.path.join(REPO, "samples", "sample.dvi"),
                    os.path.join(self.programs, "tutor.dvi"))
        shutil.copy(os.path.join(REPO, "samples", "taiji.bmf"), self.programs)
        self.running = [harness.Program(os.path.join(self.programs, "Varelo.exe"),
                                        harness.windows_path(self.source), cwd=self.root)]
        self.frame = harness.wait_for_window("^Varelo")
        harness.wait_for(lambda: harness.probe("buttons").strip(), what="the tool bar")

    def tearDown(self):
        for program in self.running:
            program.kill()
        for viewer in harness.windows_named("^tutor.dvi"):  # started by Varelo
            harness.keys(viewer, "ctrl+x")
        shutil.rmtree(self.root, ignore_errors=True)

    def test_batch_template_and_tutorial(self):
        # 批命令 > &LateX.bat: the base name, in the source's folder.
        harness.keys(self.frame, "alt+b", "l")
        ran = os.path.join(self.programs, "Batch", "ran.txt")
        harness.wait_for(lambda: os.path.exists(ran) and os.path.getsize(ran) > 0,
                         what="the batch file to run")
        with open(ran) as record:
            self.assertEqual(record.read().strip(), "paper")
        harness.wait_for(lambda: os.path.exists(os.path.join(self.sources, "ran-here.txt")),
                         what="the batch file's mark in the source's folder")

        # 模板 > LaTeX 模板: a second window on the template itself (Varelo
        # clicked to the front again after the batch file's console).
        x, y, width, height = harness.window_box(self.frame)
        harness.click(x + width // 2, y + height // 2)
        harness.keys(self.frame, "alt+m", "a")
        harness.wait_for(lambda: "latex.tex" in harness.window_name(self.frame),
                         what="the template's window")

        # 教程: the previewer beside the program on tutor.dvi.
        buttons = [line.split(" ", 4) for line in harness.probe("buttons").splitlines()]
        x, y = next((int(b[2]), int(b[3])) for b in buttons if int(b[0]) == TUTORIAL_BUTTON)
        harness.click(x, y)
        viewer = harness.wait_for_window("^tutor.dvi - Page 1$", timeout=60)
        harness.keys(viewer, "ctrl+x")
        harness.wait_until_gone("^tutor.dvi - Page")


if __name__ == "__main__":
    unittest.main(verbosity=2)
