"""Chinese glyphs from a TrueType face in the previewer's window: with a face
table beside the program, the ziti it names are drawn by Windows' own font
rasteriser, so the outline font files of those slots are never needed; the
characters beyond GB 2312 (GBK's own, Extension A) too, by the wide glyph
calls, and the one the face lacks as an empty box named in a warning."""

import os
import shutil
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
EXE = os.path.join(harness.BUILD_DIR, "previewer", "shell", "moxwin32.exe")
SAMPLE = os.path.join(ROOT, "samples", "sample.dvi")
FACE_TABLE = os.path.join(ROOT, "tests", "fixtures", "faces", "uming.FNT")
DEFINITIONS = os.path.join(ROOT, "tests", "fixtures", "hzfonts", "ccfonts.def")
BEYOND = os.path.join(ROOT, "tests", "fixtures", "dvi", "beyond.dvi")
MOXRENDER = os.environ.get("MOX_RENDER") or os.path.join(
    os.path.dirname(harness.BUILD_DIR), "native", "tools", "moxrender")


def chinese_items(document):
    """(slot, code, x, y, width, height) of the Chinese characters of page 1,
    in page pixels."""
    out = harness.run(MOXRENDER, "--items", "--page", "1",
                      "-P" + os.path.join(ROOT, "tests", "fixtures", "pk", "dpi$d"),
                      "-I" + os.path.join(ROOT, "tests", "fixtures", "hzfonts"), document)
    found = []
    for line in out.splitlines():
        words = line.split()
        if words and words[0] == "ItemChineseChar" and len(words) >= 8:
            width, height, x, y = (int(v) for v in words[1:5])
            found.append((int(words[6]), int(words[7]), x, y, width, height))
    return found


class TrueTypeFaces(unittest.TestCase):
    def setUp(self):
        self.copy = harness.ProgramCopy(EXE)
        self.program = None
        # The Chinese font folder names the slots' files but holds none of
        # them: only TrueType can draw the sample's characters.
        self.fonts = self.copy.path("hzfonts")
        os.makedirs(self.fonts)
        shutil.copy(DEFINITIONS, self.fonts)

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        self.copy.remove()

    def start(self):
        pk = harness.windows_path(os.path.join(ROOT, "samples", "pk")) + "\\dpi$d"
        self.program = harness.Program(
            self.copy.exe, "-P" + pk, "-I" + harness.windows_path(self.fonts), "-Z0.2",
            harness.windows_path(SAMPLE), cwd=self.copy.folder)

    def test_face_table_draws_the_chinese_text(self):
        shutil.copy(FACE_TABLE, self.copy.path("moxwin32.FNT"))
        self.start()
        frame = harness.wait_for_window(r"^sample\.dvi - Page 1$", timeout=60)
        self.assertEqual(harness.windows_named("^Error message$"), [])

        # The title line is Chinese only (中英文混排示例): its band of the
        # page (left of the dotted frame, below the tool bar) must carry ink
        # in more than one grey level.
        def inked_title():
            shot = harness.screenshot(frame, "truetype-page1.png")
            width, _ = harness.image_size(shot)
            box = (20, 85, width - 50, 45)
            return harness.colour_count(shot, box) > 2 and shot
        harness.wait_for(inked_title, what="the Chinese title drawn")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

    def test_without_the_face_table_the_missing_font_files_are_named_and_the_page_shown(self):
        self.start()
        box = harness.wait_for_window("^Warning$", timeout=60)
        _, text = harness.dialog_text()
        self.assertIn("FONTDRV: cannot open font", text)
        harness.keys(box, "Return")
        frame = harness.wait_for_window(r"^sample\.dvi - Page 1$", timeout=60)
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

    def test_characters_beyond_gb2312_are_drawn_by_the_face_or_the_range_fonts(self):
        shutil.copy(FACE_TABLE, self.copy.path("moxwin32.FNT"))
        # The outline fonts of Unicode ranges draw what the face lacks.
        for name in os.listdir(os.path.dirname(DEFINITIONS)):
            if name.startswith("uc"):
                shutil.copy(os.path.join(os.path.dirname(DEFINITIONS), name), self.fonts)
        zoom, offset = 0.25, round(600 / 2.54 * 0.25)
        self.program = harness.Program(
            self.copy.exe, "-I" + harness.windows_path(self.fonts), "-Z4",
            harness.windows_path(BEYOND), cwd=self.copy.folder)
        frame = harness.wait_for_window(r"^beyond\.dvi - Page 1$", timeout=60)
        left, top, _, _ = harness.wait_for(harness.view_geometry, what="the view")["client"]
        items = [item for item in chinese_items(BEYOND) if item[0] >= 54]
        self.assertEqual(len(items), 8)

        def middle(item):
            _, _, x, y, width, height = item
            side = max(2, int(width * zoom / 3))
            return (left + offset + int((x + width / 2) * zoom) - side // 2,
                    top + offset + int((y + height / 2) * zoom) - side // 2, side, side)

        def drawn():
            shot = harness.screenshot("root", "truetype-beyond.png")
            # Every character's middle has ink: U+3400, which AR PL UMing
            # lacks, from the range font, the others through GDI.
            return all(harness.colour_count(shot, middle(item)) > 1 for item in items) and shot
        harness.wait_for(drawn, what="the characters beyond GB 2312 drawn")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
