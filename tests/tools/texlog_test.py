"""texlog as a user runs it, on logs of real TeX runs, and on the messages
file mox writes beside a source it refused (and removes after a run
without messages).

    texlog_test.py TEXLOG MOX FIXTURES_DIR
"""

import os
import subprocess
import sys
import tempfile
import unittest

TEXLOG = MOX = FIXTURES = ""


def run(program, *args, cwd=None):
    return subprocess.run([program, *args], capture_output=True, cwd=cwd, timeout=60)


class TexlogTest(unittest.TestCase):
    def test_rows_of_a_log_with_errors(self):
        result = run(TEXLOG, os.path.join(FIXTURES, "texlog", "chapters.log"))
        self.assertEqual(result.returncode, 1, result.stderr)
        rows = result.stdout.decode("ascii").splitlines()
        self.assertEqual(len(rows), 9)
        self.assertEqual(rows[0], "warning\tchapters.tex\t3\t"
                                  "LaTeX Warning: Reference `sec:missing' on page 1 undefined.")
        self.assertEqual(rows[2], "error\tchapters/one.tex\t2\tUndefined control sequence.")
        self.assertEqual(rows[5], "badbox\tchapters.tex\t5\t"
                                  "Overfull \\hbox (137.7225pt too wide) detected at line 5")
        self.assertEqual(rows[8], "warning\tchapters.tex\t\tLaTeX Warning: Label(s) may have "
                                  "changed. Rerun to get cross-references right.")

    def test_the_logs_own_bytes_and_no_errors(self):
        result = run(TEXLOG, os.path.join(FIXTURES, "texlog", "boxes.log"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(len(result.stdout.splitlines()), 12)
        result = run(TEXLOG, os.path.join(FIXTURES, "texlog", "gbk-plain.log"))
        self.assertEqual(result.stdout, b"error\t\xd6\xd0\xce\xc4/part.tex\t1\t"
                                        b"Undefined control sequence.\n")

    def test_command_line(self):
        self.assertEqual(run(TEXLOG, "--help").returncode, 0)
        self.assertIn(b"Usage: texlog", run(TEXLOG, "--help").stdout)
        missing = run(TEXLOG, os.path.join(FIXTURES, "texlog", "no such.log"))
        self.assertEqual(missing.returncode, 2)
        self.assertIn(b"texlog: cannot read", missing.stderr)
        self.assertEqual(run(TEXLOG).returncode, 2)
        self.assertEqual(run(TEXLOG, "-x", "a.log").returncode, 2)

    def test_mox_messages_beside_the_source(self):
        with tempfile.TemporaryDirectory() as work:
            source = os.path.join(work, "paper.ctx")
            with open(source, "w", encoding="utf-8") as f:
                f.write("中文\n一个😀字\n")  # U+1F600 is in no Chinese font
            refused = run(MOX, "paper", cwd=work)
            self.assertEqual(refused.returncode, 1)
            self.assertIn(b"paper.ctx:2:3: ", refused.stderr)
            messages = os.path.join(work, "paper.mlog")
            listed = run(TEXLOG, messages)
            self.assertEqual(listed.returncode, 1)
            rows = listed.stdout.split(b"\n")
            self.assertTrue(rows[0].startswith(b"error\tpaper.ctx\t2\tU+1F600 "), rows)
            self.assertEqual(rows[1], b"error\t\t\tmox: paper.tex not written")

            with open(source, "w", encoding="utf-8") as f:
                f.write("中文\n")
            self.assertEqual(run(MOX, "paper", cwd=work).returncode, 0)
            self.assertFalse(os.path.exists(messages))


if __name__ == "__main__":
    TEXLOG, MOX, FIXTURES = (os.path.abspath(path) for path in sys.argv[1:4])
    unittest.main(argv=sys.argv[:1])
