"""moxrender as a user runs it: what it prints, in which language, and its
exit status.

    moxrender_test.py MOXRENDER FIXTURES_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

MOXRENDER = ""
FIXTURES = ""


def run(*args, env=None, fonts=True):
    """moxrender with the fixture fonts (PK files at 600 and 300 dpi, the
    Chinese outline fonts) unless fonts is false."""
    full_env = dict(os.environ)
    full_env.pop("MOXRENDEROPTS", None)
    full_env.update(env or {})
    font_options = []
    if fonts:
        font_options = ["-P" + os.path.join(FIXTURES, "pk", "dpi$d"),
                        "-I" + os.path.join(FIXTURES, "hzfonts")]
    return subprocess.run([MOXRENDER, *font_options, *args], capture_output=True, env=full_env,
                          timeout=60)


def dvi(name):
    return os.path.join(FIXTURES, "dvi", name)


class InfoAndItems(unittest.TestCase):
    def test_info_lists_header_pages_and_fonts(self):
        result = run("--info", dvi("plain.dvi"))
        self.assertEqual(result.returncode, 0, result.stderr)
        lines = result.stdout.decode().splitlines()
        self.assertIn("num 25400000", lines)
        self.assertIn("den 473628672", lines)
        self.assertIn("t 3", lines)
        self.assertIn("pages 3", lines)
        self.assertEqual([l for l in lines if l.startswith("page ")],
                         ["page 1 42 0", "page -1 1310 0", "page 7 1747 0"])
        pk = [l.split() for l in lines if l.startswith("pk ")]
        self.assertEqual(len(pk), 10)
        self.assertEqual(pk[0][1:3], ["0", "cmr10"])
        self.assertEqual(pk[0][-2], "600")  # resolution
        self.assertTrue(pk[0][-1].endswith(os.path.join("dpi600", "cmr10.PK")))

    def test_resolution_and_magnification_options_reach_the_reader(self):
        lines = run("--info", "-R300", "-M2000", dvi("plain.dvi")).stdout.decode().splitlines()
        self.assertIn("mag 2000", lines)
        self.assertTrue(all(l.split()[-2] == "600" for l in lines if l.startswith("pk ")))

    def test_chinese_fonts_and_the_ziti_of_each_page(self):
        result = run("--info", dvi("chinese.dvi"))
        lines = result.stdout.decode().splitlines()
        self.assertIn("chinese 51 199 199 1572864 A", lines)
        self.assertIn("chinese 53 100 100 786432 A", lines)
        pages = [l.split() for l in lines if l.startswith("page ")]
        self.assertEqual([(p[1], p[3]) for p in pages], [("1", "0"), ("2", "11")])  # ziti K
        slots = {l.split()[1]: l.split()[3] for l in lines if l.startswith("slot ")}
        self.assertTrue(slots["1"].endswith("umsym2.hzf"))
        self.assertTrue(slots["22"].endswith("uml1t3.hzf"))

    def test_items_carry_the_loaded_glyph_sizes(self):
        lines = run("--items", "--page", "1", dvi("plain.dvi")).stdout.decode().splitlines()
        chars = [l.split() for l in lines if l.startswith("ItemPkChar")]
        self.assertTrue(chars)
        self.assertTrue(all(int(c[1]) > 0 and int(c[2]) > 0 for c in chars))  # width, height

    def test_missing_fonts_start_the_generator_once_and_are_named(self):
        # The generator beside moxrender is started; it cannot make fonts
        # below a plain file (not even as root), so the document is drawn
        # without them and they are named with the resolution wanted.
        with tempfile.NamedTemporaryFile() as blocker:
            template = os.path.join(blocker.name, "dpi$d")
            result = run("--info", "-P" + template, dvi("plain.dvi"), fonts=False)
            self.assertEqual(result.returncode, 0)
            self.assertEqual(result.stderr.count(b"to generate missing PK fonts"), 1)
            self.assertIn(b"\ncmr10 at 10pt, 600 dpi\n", result.stderr)
            self.assertTrue(result.stdout.startswith(b"num "), result.stdout[:80])


class PageText(unittest.TestCase):
    def test_text_of_the_chosen_pages_as_utf8_parted_by_form_feeds(self):
        result = run("--text", "--page", "2", "--page", "1", dvi("chinese.dvi"))
        self.assertEqual(result.returncode, 0, result.stderr)
        pages = result.stdout.decode("utf-8").split("\f")
        self.assertEqual(len(pages), 2)
        self.assertTrue(pages[0].startswith("第二页：楷体 and the formula x2 + y2 = z2 中文。\n"))
        self.assertTrue(pages[1].startswith("第一页：中文字 and English text 混排。\n"))
        self.assertTrue(pages[1].endswith("\n结束。\n1\n"))


class MessagesAndStatus(unittest.TestCase):
    def test_status_lines_only_when_verbose(self):
        quiet = run("--info", dvi("plain.dvi"))
        self.assertEqual(quiet.stderr, b"")
        verbose = run("--info", "--verbose", dvi("plain.dvi"))
        self.assertIn(b"Scanning page 1", verbose.stderr)

    def test_questions_are_answered_yes_unless_strict(self):
        relaxed = run("--items", "--page", "1", dvi("chinese.dvi"))
        self.assertEqual(relaxed.returncode, 0)
        self.assertIn(b"invalid Chinese character code ignored", relaxed.stderr)
        strict = run("--items", "--strict", dvi("chinese.dvi"))
        self.assertEqual(strict.returncode, 1)
        self.assertEqual(strict.stdout, b"")

    def test_messages_in_chinese_are_utf8(self):
        result = run("--info", "-C", "-U2", dvi("plain.dvi"))
        self.assertEqual(result.returncode, 1)
        self.assertIn("没有选中的页号".encode(), result.stderr)

    def test_a_broken_file_fails_with_its_message(self):
        folder = tempfile.mkdtemp()
        try:
            broken = os.path.join(folder, "broken.dvi")
            with open(dvi("plain.dvi"), "rb") as source, open(broken, "wb") as target:
                target.write(source.read()[:-8])
            result = run("--info", broken)
            self.assertEqual(result.returncode, 1)
            self.assertIn(b"Invalid DVI file", result.stderr)
            missing = run("--info", os.path.join(folder, "missing.dvi"))
            self.assertEqual(missing.returncode, 1)
            self.assertIn(b"Cannot open DVI file or invalid file type.", missing.stderr)
        finally:
            shutil.rmtree(folder)

    def test_a_page_too_large_to_draw_is_refused_and_writes_no_file(self):
        # The postamble's largest height and width set to 2^31 - 1: about
        # 272000 pixels square at 600 dpi, far more than a page could be.
        with open(dvi("plain.dvi"), "rb") as source:
            data = bytearray(source.read())
        end = len(data.rstrip(b"\xdf"))           # the trailer bytes 223
        post = int.from_bytes(data[end - 5:end - 1], "big")
        data[post + 17:post + 25] = b"\x7f\xff\xff\xff" * 2   # l and u
        folder = tempfile.mkdtemp()
        try:
            huge = os.path.join(folder, "huge.dvi")
            with open(huge, "wb") as target:
                target.write(data)
            out = os.path.join(folder, "page-%d.png")
            result = run("--page", "1", "--out", out, huge)
            self.assertEqual(result.returncode, 1, result.stderr)
            self.assertIn(b"page 1 is too large to draw", result.stderr)
            self.assertEqual(os.listdir(folder), ["huge.dvi"])
        finally:
            shutil.rmtree(folder)

    def test_invalid_options_exit_2(self):
        result = run("--info", "-Q", dvi("plain.dvi"))
        self.assertEqual(result.returncode, 2)
        self.assertIn(b'Invalid option "-Q" in the command line.', result.stderr)
        self.assertEqual(run("--bogus", dvi("plain.dvi")).returncode, 2)
        self.assertEqual(run("--info").returncode, 2)  # no document


if __name__ == "__main__":
    MOXRENDER, FIXTURES = sys.argv[1], sys.argv[2]
    del sys.argv[1:3]
    unittest.main(verbosity=2)
