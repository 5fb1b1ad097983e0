"""Printing as a user does it, checked on what a real printer driver makes:
the test prefix's PostScript printer writes every job into a file, which
Ghostscript turns into pixels at the printer's 300 dpi. Pages printed at
scale 1, 2 and 0.5 carry the ink of moxrender's pictures at the centred
place; odd pages only print the odd lines; the preview shows the first page
picked and gives the view back."""

import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_previewer_dialogs as dialogs  # noqa: E402
import test_previewer_view as view  # noqa: E402

PRINTED = os.path.join(os.environ.get("MOX_WINE_STATE", ""), "printed.ps")
# The test printer: A4 at 300 dpi, its printable area and where that lies.
PRINTABLE = (2329, 3358)
PHYSICAL_OFFSET = (75, 75)


def printed_pages(work):
    """The pages of the last job as 300 dpi grey PNG files."""
    subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pnggray", "-r300",
                    "-sOutputFile=" + os.path.join(work, "printed-%d.png"), PRINTED],
                   check=True, timeout=120)
    names = sorted((n for n in os.listdir(work) if n.startswith("printed-")),
                   key=lambda n: int(n[8:-4]))
    return [os.path.join(work, n) for n in names]


def count(path, *operations):
    return int(float(harness.run("convert", path, *operations, "-format", "%[fx:mean*w*h]",
                                 "info:")))


def ink_agreement(printed, expected, work):
    """The shares of the printed ink found in the expected picture and of
    the expected ink found in print, each allowing a pixel of difference.
    Both pictures are the paper's size; ink is what is darker than half."""
    masks = {}
    for name, path in (("p", printed), ("e", expected)):
        masks[name] = os.path.join(work, f"ink-{name}.png")
        harness.run("convert", path, "-colorspace", "Gray", "-threshold", "50%", "-negate",
                    masks[name])
        masks[name + "d"] = os.path.join(work, f"ink-{name}-wide.png")
        harness.run("convert", masks[name], "-morphology", "Dilate", "Square:1", masks[name + "d"])
    shares = []
    for ink, other in (("p", "ed"), ("e", "pd")):
        total = count(masks[ink])
        missing = int(float(harness.run(
            "convert", masks[ink], "(", masks[other], "-negate", ")", "-compose", "Multiply",
            "-composite", "-format", "%[fx:mean*w*h]", "info:")))
        shares.append(1.0 - missing / total if total else 0.0)
    return shares


class Printing(view.ViewTestCase):
    def setUp(self):
        super().setUp()
        self.work = tempfile.mkdtemp(prefix="printed-", dir=harness.ARTIFACTS
                                     if os.path.isdir(harness.ARTIFACTS) else None)

    @staticmethod
    def dialog_shows(caption, timeout=20.0):
        """Whether the dialog with the caption shows within the time. (The
        dialogs that come while the main frame is hidden, and the print
        dialog that comes back after a job, are no X windows with a name
        here: they are found through the probe, and the keys go to them as
        the active window.)"""
        try:
            harness.wait_for(lambda: harness.dialog_text()[0] == caption, timeout=timeout,
                             what=f"the dialog {caption!r}")
            return True
        except TimeoutError:
            return False

    @staticmethod
    def keys(*names):
        harness.run("xdotool", "key", "--delay", "80", *names)

    def print_dialog(self, *keys):
        self.press("ctrl+p")
        self.assertTrue(self.dialog_shows("MOXWIN Print Dialog"))
        if keys:
            self.keys(*keys)

    def print_now(self):
        """Print in the dialog, OK in the system's print dialog (it has the
        keyboard while the main frame is hidden); waits for the dialog to
        come back after the job, then closes it."""
        if os.path.exists(PRINTED):
            os.remove(PRINTED)
        self.keys("alt+p")
        self.assertTrue(self.dialog_shows("Print"))
        # Its OK pressed with the mouse: the keyboard may be elsewhere.
        self.assertTrue(harness.click_control("OK"))
        self.assertTrue(self.dialog_shows("MOXWIN Print Dialog", timeout=120))
        harness.wait_for(lambda: os.path.exists(PRINTED), what="the printed file")
        self.assertTrue(harness.click_control("&Close"))
        harness.wait_for(lambda: harness.dialog_text()[0] is None, what="the dialog to close")
        return printed_pages(self.work)

    def expected_on_paper(self, page, resolution, zoom_text, magnify, name):
        """moxrender's picture of the page without margins or frame at the
        printer's scale, laid on a white A4 page where the printout centres
        it on the printable area."""
        picture = os.path.join(self.work, f"{name}-picture.png")
        harness.run(view.MOXRENDER, "--strict", "--no-frame", "--page", str(page), "-B0cm:0cm",
                    f"-R{resolution}", f"-Z{zoom_text}", f"-P{dialogs.FIXTURE_PK}/dpi$d",
                    "--out", picture, dialogs.PLAIN, timeout=120)
        if magnify != 1:
            harness.run("convert", picture, "-scale", f"{magnify * 100}%", picture)
        width, height = harness.image_size(picture)
        x = PHYSICAL_OFFSET[0] + max((PRINTABLE[0] - width + 1) // 2, 0)
        y = PHYSICAL_OFFSET[1] + max((PRINTABLE[1] - height + 1) // 2, 0)
        return harness.on_white(picture, 2479, 3508, x, y, f"printing-{name}-expected.png")

    def test_pages_print_at_the_printers_scale_centred_on_the_paper(self):
        # 300 dpi fonts: scale 1; 150 dpi: scale 2; 600 dpi: scale 0.5 (grey).
        for resolution, zoom_text, magnify in ((300, "1", 1), (150, "1", 2), (600, "2", 1)):
            self.start("-Z1", f"-R{resolution}", document=dialogs.PLAIN,
                       pk=dialogs.FIXTURE_PK, caption="plain.dvi - Page 1")
            self.print_dialog()
            pages = self.print_now()
            self.assertEqual(len(pages), 3, resolution)
            for number, printed in enumerate(pages, start=1):
                name = f"{resolution}-{number}"
                expected = self.expected_on_paper(number, resolution, zoom_text, magnify, name)
                found, drawn = ink_agreement(printed, expected, self.work)
                print(f"{name}: {found:.4f} of the printed ink drawn, {drawn:.4f} of the "
                      "drawn ink printed", file=sys.stderr)
                self.assertGreaterEqual(min(found, drawn), 0.995,
                                        f"{name}: {found:.4f} {drawn:.4f}")
            self.programs.pop().kill()

    def test_odd_pages_only_print_again_and_nothing_without_a_page(self):
        doc = self.copy.path("pages.dvi")
        dialogs.pages_dvi(doc, [1, 2, 3, 4, 5])
        self.start("-Z1", "-R300", document=doc, pk=dialogs.FIXTURE_PK,
                   caption="pages.dvi - Page 1")

        def rule_widths(pages):
            widths = []
            for page in pages:
                box = harness.run("convert", page, "-threshold", "50%", "-trim", "-format", "%w",
                                  "info:")
                widths.append(round(int(box) / (300 / 72.27) / 10) * 10)
            return widths
        self.print_dialog("alt+o")
        self.assertEqual(rule_widths(self.print_now()), [10, 30, 50])
        # The pages printed last are picked again.
        self.print_dialog()
        self.assertEqual(rule_widths(self.print_now()), [10, 30, 50])
        # With no page picked, Print does nothing.
        os.remove(PRINTED)
        self.print_dialog("alt+u", "alt+p")
        self.assertFalse(self.dialog_shows("Print", timeout=3.0))
        self.assertFalse(os.path.exists(PRINTED))
        self.assertTrue(harness.click_control("&Close"))

    def test_preview_shows_the_first_page_picked_and_gives_the_view_back(self):
        self.start("-Z2", "-R300", document=dialogs.PLAIN, pk=dialogs.FIXTURE_PK,
                   caption="plain.dvi - Page 1")
        self.press("Next")
        self.wait_for_caption("plain.dvi - Page -1")
        self.print_dialog("alt+v")

        def preview():
            shot = harness.screenshot("root", "printing-preview.png")
            # The red dotted outline of the page box, and the page's ink.
            red = count(shot, "-fuzz", "5%", "-fill", "black", "+opaque", "red", "-fill", "white",
                        "-opaque", "red")
            dark = count(shot, "-colorspace", "Gray", "-threshold", "30%", "-negate")
            return red > 200 and dark > 500
        harness.wait_for(preview, timeout=30, what="the preview page")
        self.keys("alt+F4")
        self.assertTrue(self.dialog_shows("MOXWIN Print Dialog"))
        self.assertTrue(harness.click_control("&Close"))
        self.wait_for_caption("plain.dvi - Page -1")
        self.assert_view_shows(view.picture(dialogs.PLAIN, 2, "2", pk=dialogs.FIXTURE_PK,
                                            options=["-R300"]), 0, 0, "after-preview")


if __name__ == "__main__":
    unittest.main(verbosity=2)
