"""The previewer's dialogs and ruler as a user meets them: pages chosen from
the list and by number, the Options dialog reloading at a new resolution and
saving what a restart then uses, TrueType faces defined and cancelled, and
the measuring cross dragged over the page."""

import os
import shutil
import struct
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_previewer_view as view  # noqa: E402

ROOT = view.REPO
FIXTURES = os.path.join(ROOT, "tests", "fixtures")
PLAIN = os.path.join(FIXTURES, "dvi", "plain.dvi")
FIXTURE_PK = os.path.join(FIXTURES, "pk")


def pages_dvi(path, counts):
    """A DVI file of one page per \\count0, each a rule 20 pt high whose
    width (in points) grows from page to page, so pages can be told apart."""
    sp = 65536
    data = bytearray(struct.pack(">BBIIIB", 247, 2, 25400000, 473628672, 1000, 0))
    previous = -1
    for number, count in enumerate(counts):
        bop = len(data)
        data += struct.pack(">B10iI", 139, count, *([0] * 9), previous & 0xFFFFFFFF)
        data += struct.pack(">BiBi", 160, 72 * sp, 143, 72 * sp)
        data += struct.pack(">Bii", 132, 20 * sp, (10 + 10 * number) * sp)
        data += b"\x8c"
        previous = bop
    post = len(data)
    data += struct.pack(">BIIIIiiHH", 248, previous, 25400000, 473628672, 1000,
                        300 * sp, 300 * sp, 10, len(counts))
    data += struct.pack(">BIB", 249, post, 2)
    data += b"\xdf" * (4 + (-len(data) - 4) % 4)
    with open(path, "wb") as out:
        out.write(data)


class Dialogs(view.ViewTestCase):
    def dialog(self, title):
        """Waits until the dialog with the title shows; its controls."""
        harness.wait_for_window(view.exact(title))

        def controls():
            items = harness.dialog_texts()
            return items if items and items[0] == ("Caption", title) else None
        return harness.wait_for(controls, what=f"the dialog {title!r}")

    def box_saying(self, start):
        """Waits for a box whose text begins so (its caption may be empty)."""
        def text():
            caption, found = harness.dialog_text()
            return (caption, found) if found.startswith(start) else None
        return harness.wait_for(text, what=f"a box saying {start!r}")

    def test_pages_chosen_from_the_list_and_by_repeated_numbers(self):
        doc = self.copy.path("pages.dvi")
        pages_dvi(doc, [1, 2, 1, 3])
        self.start("-Z1", document=doc, caption="pages.dvi - Page 1")
        self.press("ctrl+s")
        self.dialog("Goto selected page number")
        self.press("Down", "Down", "Down", "Return")
        self.wait_for_caption("pages.dvi - Page 3")
        # Enter page no. starts from the page's number; 1 is on two pages,
        # visited in turn (the caption repeats: the pixels tell them apart).
        self.assertIn(("Edit", "3"), self.dialog_after("ctrl+e", "Enter page number"))
        self.press("1", "Return")
        self.assert_view_shows(view.picture(doc, 1, "1"), 0, 0, "enter-1-first")
        self.dialog_after("ctrl+e", "Enter page number")
        self.press("1", "Return")
        self.assert_view_shows(view.picture(doc, 3, "1"), 0, 0, "enter-1-second")
        self.assertEqual(self.caption(), "pages.dvi - Page 1")

    def dialog_after(self, key, title):
        self.press(key)
        return self.dialog(title)

    def test_options_reload_at_300_dpi_and_a_restart_reads_them_back(self):
        # The fonts in a folder whose name has a space, as under Program Files.
        fonts = self.copy.path("pk fonts")
        shutil.copytree(FIXTURE_PK, fonts)
        self.start("-Z1", document=PLAIN, pk=fonts, caption="plain.dvi - Page 1")
        items = self.dialog_after("ctrl+t", "MOXWIN options")
        self.assertIn(("Edit", harness.windows_path(fonts) + "\\dpi$d"), items)
        self.assertIn(("Edit", "1.0000"), items)
        self.press("Home", "shift+End", "3", "0", "0", "alt+s", "Return")
        caption, text = self.box_saying("Options saved in")
        self.assertEqual(caption, "")
        ini = self.copy.path("moxwin32.INI")
        self.assertEqual(text, f'Options saved in "{harness.windows_path(ini)}"')
        self.press("Return")
        self.assert_view_shows(view.picture(PLAIN, 1, "1", pk=fonts, options=["-R300"]), 0, 0,
                               "options-300")
        with open(ini) as saved:
            self.assertIn(f'-P"{harness.windows_path(fonts)}\\dpi$d"\n', saved.read())

        # A restart with no font path given: the file's quoted path and
        # resolution are used.
        self.programs.pop().kill()
        program = harness.Program(self.copy.exe, "-Z1", harness.windows_path(PLAIN),
                                  cwd=self.copy.folder)
        self.programs.append(program)
        self.frame = harness.wait_for_window(view.exact("plain.dvi - Page 1"), timeout=60)
        self.assert_view_shows(view.picture(PLAIN, 1, "1", pk=fonts, options=["-R300"]), 0, 0,
                               "options-restart")

    def test_faces_defined_for_every_ziti_draw_the_chinese_and_cancel_undoes(self):
        # The outline fonts are there to open the sample, then taken away:
        # only the TrueType face can draw its Chinese after the reload.
        hz = self.copy.path("hzfonts")
        shutil.copytree(view.HZ_FOLDER, hz)
        self.start("-Z0.2", document=view.SAMPLE, hz=hz, caption="sample.dvi - Page 1")
        for name in os.listdir(hz):
            if name.endswith(".hzf"):
                os.remove(os.path.join(hz, name))
        self.dialog_after("ctrl+n", "Define use of Chinese TrueType fonts")
        self.press("Home", "shift+End", "alt+d")
        self.dialog("Select a font for current ziti")
        # The face's name typed over the one the chooser starts with.
        self.press(*["space" if c == " " else c for c in "AR PL UMing CN"], "Return")
        self.press("Return")
        harness.wait_until_gone(view.exact("Define use of Chinese TrueType fonts"))
        table = self.copy.path("moxwin32.FNT")
        harness.wait_for(lambda: os.path.exists(table), what="the face table file")
        with open(table, "rb") as saved:
            written = saved.read()
        self.assertIn(b"AR PL UMing CN", written)

        # The title line of the sample is Chinese only: inked in grey.
        def inked_title():
            shot, geometry = self.view("faces-defined")
            _, _, width, _ = geometry["client"]
            return harness.colour_count(shot, (10, 15, width - 40, 45)) > 2
        harness.wait_for(inked_title, what="the Chinese title drawn by the face")
        self.assertEqual(harness.windows_named("^Error message$"), [])

        # Remove everything, then Cancel: the file and the page stay.
        self.dialog_after("ctrl+n", "Define use of Chinese TrueType fonts")
        self.press("Home", "shift+End", "alt+r", "Escape")
        harness.wait_until_gone(view.exact("Define use of Chinese TrueType fonts"))
        with open(table, "rb") as saved:
            self.assertEqual(saved.read(), written)
        harness.wait_for(inked_title, what="the Chinese title still drawn")

    def test_a_ruler_drag_reads_out_the_place_and_leaves_nothing_behind(self):
        self.start("-Z1", document=PLAIN, pk=FIXTURE_PK, caption="plain.dvi - Page 1")
        self.settle()
        before, geometry = self.view("ruler-before")
        x, y, width, height = geometry["client"]
        # The first click after the window got the focus starts nothing
        # (pressing keys would give it the focus again).
        harness.click(x + 200, y + 150)
        time.sleep(1.0)
        self.assertEqual(self.caption(), "plain.dvi - Page 1")
        harness.run("xdotool", "mousemove", "--sync", str(x + 200), str(y + 150))
        harness.run("xdotool", "mousedown", "1")
        harness.run("xdotool", "mousemove", "--sync", str(x + 260), str(y + 190))
        harness.wait_for(lambda: self.caption().startswith("Ruler unit: 1mm ("),
                         what="the ruler's readout")
        during, _ = self.view("ruler-during")
        self.assertGreater(harness.differing_pixels(before, during), 100)
        harness.run("xdotool", "mouseup", "1")
        self.wait_for_caption("plain.dvi - Page 1")
        after, _ = self.view("ruler-after")
        self.assertEqual(harness.differing_pixels(before, after, "ruler-diff.png"), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
