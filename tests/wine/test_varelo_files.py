"""Varelo keeps the user's work under Wine: a read-only file is not
replaced (the save says so and offers Save As), the text of a modified
window survives the program being ended by force, and the next start
offers it back into a window marked modified, every line end as it was."""

import os
import stat
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from test_varelo_editor import EXE, FRAME, editors, paste_text  # noqa: E402

SOURCE = "第一行\r\nline two\nthree\r".encode("gbk")


class KeepingWork(unittest.TestCase):
    def setUp(self):
        self.copy = harness.ProgramCopy(EXE)
        self.program = None
        self.source = self.copy.path("locked.ctx")
        with open(self.source, "wb") as f:
            f.write(SOURCE)
        os.chmod(self.source, 0o444)

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        os.chmod(self.source, 0o644)
        self.copy.remove()

    def copies(self):
        folder = self.copy.path("Recovery")
        return sorted(n for n in os.listdir(folder) if n.endswith(".vrc")) \
            if os.path.isdir(folder) else []

    def answer(self, caption, *keys):
        window = harness.wait_for_window(f"^{caption}$")
        text = harness.wait_for(lambda: harness.dialog_text()[1], what=f"the text of {caption}")
        harness.keys(window, *keys)
        harness.wait_until_hidden(f"^{caption}$")
        return text

    def test_read_only_file_kept_and_work_restored_after_a_forced_end(self):
        self.program = harness.Program(self.copy.exe, harness.windows_path(self.source),
                                       cwd=self.copy.folder)
        frame = harness.wait_for_window(FRAME)
        harness.wait_for(editors, what="an editor window")
        paste_text(frame, "改")
        harness.keys(frame, "alt+f", "s")
        self.assertEqual(self.answer("错误", "Return"),
                         f"无法保存文件 {harness.windows_path(self.source)}:\n文件是只读的")
        self.assertEqual(self.answer("警告", "n"), "文件 locked.ctx 没有保存. 另存为其他文件吗?")
        with open(self.source, "rb") as f:
            self.assertEqual(f.read(), SOURCE)
        self.assertEqual(stat.S_IMODE(os.stat(self.source).st_mode), 0o444)
        self.assertEqual(editors()[0][1], "改第一行\nline two\nthree\n")

        # Within seconds the modified text has its copy; then the program
        # is killed.
        harness.wait_for(self.copies, timeout=15, what="a recovery copy")
        self.program.kill()
        self.program = None

        self.program = harness.Program(self.copy.exe, cwd=self.copy.folder, keep_state=True)
        harness.wait_for_window("^恢复未保存的文本$")
        listed = dict(harness.dialog_texts())["ListBox"]
        self.assertTrue(listed.startswith("locked.ctx  (20"), listed)
        self.assertTrue(listed.endswith(harness.windows_path(self.source)), listed)
        harness.screenshot("root", "varelo-recovery.png")
        self.answer("恢复未保存的文本", "alt+r")
        harness.wait_for(editors, what="the restored window")
        self.assertEqual(editors(), [("locked.ctx *", "改第一行\nline two\nthree\n")])
        self.assertEqual(len(self.copies()), 1)  # the new program's own now

        # Saved elsewhere, every line end is as it was; no copy is left.
        frame = harness.wait_for_window(FRAME)
        target = self.copy.path("restored.ctx")
        harness.keys(frame, "alt+f", "a")
        dialog = harness.wait_for_window("^另存为$")
        harness.keys(dialog, "ctrl+a")
        harness.run("xdotool", "type", "--delay", "20", harness.windows_path(target))
        harness.keys(dialog, "Return")
        harness.wait_for(lambda: os.path.exists(target), what="the file saved")
        with open(target, "rb") as f:
            self.assertEqual(f.read(), "改".encode("gbk") + SOURCE)
        harness.wait_for(lambda: not self.copies(), what="the copy removed")
        harness.keys(frame, "alt+f", "x")
        self.assertEqual(self.program.wait(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
