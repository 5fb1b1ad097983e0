"""What LaTeX writes for dvips, shown and printed under Wine with the Unix
Ghostscript and kpsewhich reached through copies of the tool runner on the
Wine search path (gswin64c.exe, kpsewhich.exe): the EPS figure of figure.dvi
and the coloured text of colour.dvi in the page view, pixel for pixel as
moxrender draws them, and the figure printed on the colour PostScript
printer, its red, green and blue read back from Ghostscript's pixels where
moxrender puts them on the paper."""

import os
import shutil
import subprocess
import sys
import unittest
from unittest import mock

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
import test_previewer_printing as printing  # noqa: E402
import test_previewer_view as view  # noqa: E402

FIXTURES = os.path.join(view.REPO, "tests", "fixtures")
PK = os.path.join(FIXTURES, "pk")
RUNNER = os.path.join(harness.BUILD_DIR, "tests", "unix_tool_runner.exe")
STATE = os.environ.get("MOX_WINE_STATE", "")
PRINTED = os.path.join(STATE, "printed-colour.ps")
OPTIONS = ("-R300", "-Z1")
# The figure's colours as it fills its shapes (the green frame is 0 0.6 0).
FIGURE_COLOURS = ("#FF0000", "#009900", "#0000FF")
DEVICE_KEY = r"HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows"


def reg(*args):
    return harness.run(harness.WINE, "reg", *args, check=False)


def default_printer():
    """The Device value: "name,driver,port"."""
    for line in reg("query", DEVICE_KEY, "/v", "Device").splitlines():
        words = line.split(None, 2)
        if len(words) == 3 and words[0] == "Device":
            return words[2].strip()
    return None


def set_default_printer(device):
    reg("add", DEVICE_KEY, "/v", "Device", "/t", "REG_SZ", "/d", device, "/f")


def colour_mask(path, colour, name):
    """A black picture, white where the image is near the colour."""
    out = os.path.join(harness.ARTIFACTS, name)
    harness.run("convert", path, "-alpha", "off", "-fuzz", "20%", "-fill", "black", "+opaque",
                colour, "-fill", "white", "-opaque", colour, out, timeout=60)
    return out


def mask_extent(mask):
    """(pixels, (x, y, width, height) of their bounding box or None)."""
    count = printing.count(mask)
    if not count:
        return 0, None
    box = harness.run("convert", mask, "-trim", "-format", "%X %Y %w %h", "info:")
    return count, tuple(abs(int(v)) for v in box.split())


def colours_disagree(shown, drawn, colours, name, shift=(0, 0)):
    """None when each colour covers as many pixels of the two pictures
    (within 3 %, and at least 500 of them) in a bounding box of the same
    size and place, moved by the shift (within 2 pixels), else what
    differs: a figure's raster laid a pixel off its place passes."""
    for colour in colours:
        tag = colour.lstrip("#")
        found, box = mask_extent(colour_mask(shown, colour, f"{name}-{tag}.png"))
        expected, expected_box = mask_extent(colour_mask(drawn, colour, f"{name}-{tag}-drawn.png"))
        print(f"{name} {colour}: {found} pixels shown in {box}, {expected} drawn in {expected_box}",
              file=sys.stderr)
        if expected < 500 or abs(found - expected) > expected * 0.03 or box is None or any(
                abs(a - b - d) > 2 for a, b, d in zip(box, expected_box, (*shift, 0, 0))):
            return f"{colour}: {found} pixels in {box}, drawn {expected} in {expected_box}"
    return None


@unittest.skipUnless(shutil.which("gs") and shutil.which("kpsewhich"), "no TeX or Ghostscript")
class RealLatex(view.ViewTestCase):
    def setUp(self):
        super().setUp()
        os.makedirs(harness.ARTIFACTS, exist_ok=True)
        # The documents, the figure in eps/ beside them as LaTeX named it.
        for name in ("figure.dvi", "colour.dvi"):
            shutil.copy(os.path.join(FIXTURES, "dvi", name), self.copy.folder)
        shutil.copytree(os.path.join(FIXTURES, "dvi", "eps"), self.copy.path("eps"))
        tools = self.copy.path("unix-tools")
        os.makedirs(tools)
        for name in ("gswin64c", "kpsewhich"):
            shutil.copy(RUNNER, os.path.join(tools, name + ".exe"))
        self.environment = {"WINEPATH": harness.windows_path(tools)}

    def open(self, name, warning=None):
        """Starts the previewer on a document of the test's folder; its one
        warning, if any, names the specials it leaves out, and nothing else
        (a figure not drawn would be named there too)."""
        caption = "Warning" if warning else f"{name} - Page 1"
        with mock.patch.dict(os.environ, self.environment):
            self.start(*OPTIONS, document=self.copy.path(name), pk=PK, caption=caption)
        if warning:
            self.assertEqual(self.message_box("Warning"),
                             "These kinds of \\special are not drawn:\n" + warning)
            self.answer_box("Warning")
            self.frame = harness.wait_for_window(view.exact(f"{name} - Page 1"), timeout=60)

    def scrolled_view_shows(self, name, downs, rights, colours):
        """Down and Right move half a window in whole scroll units of a
        fiftieth of the page; the view then shows each colour where
        moxrender's page has it there."""
        expected = view.picture(self.copy.path(name), 1, "1", pk=PK, options=OPTIONS)
        _, geometry = self.view(f"real-{name}-geometry")
        _, _, width, height = geometry["client"]
        page_width, page_height = harness.image_size(expected)
        ux = max(min(page_width // 50, width // 2), 10)
        uy = max(min(page_height // 50, height // 2), 10)
        self.press(*["Down"] * downs, *["Right"] * rights)
        x, y = rights * view.half_window(width, ux) * ux, downs * view.half_window(height, uy) * uy
        drawn = harness.crop(expected, (x, y, width, height), f"real-{name}-expected.png")
        last = {}

        def agree():
            shot, _ = self.view(f"real-{name}")
            last["problem"] = colours_disagree(shot, drawn, colours, f"real-{name}")
            return last["problem"] is None
        try:
            harness.wait_for(agree, timeout=15, interval=0.5)
        except TimeoutError:
            self.fail(f"{name} in the view: {last['problem']} (see real-{name}*.png)")

    def print_colour_page(self):
        """Prints the document on the colour printer; its first page as a 300
        dpi PNG."""
        if os.path.exists(PRINTED):
            os.remove(PRINTED)
        self.press("ctrl+p")
        self.assertTrue(printing.Printing.dialog_shows("MOXWIN Print Dialog"))
        printing.Printing.keys("alt+p")
        self.assertTrue(printing.Printing.dialog_shows("Print"))
        self.assertIn(("Static", harness.windows_path(PRINTED)), harness.dialog_texts())
        self.assertTrue(harness.click_control("OK"))
        self.assertTrue(printing.Printing.dialog_shows("MOXWIN Print Dialog", timeout=120))
        harness.wait_for(lambda: os.path.exists(PRINTED), what="the printed file")
        self.assertTrue(harness.click_control("&Close"))
        out = os.path.join(harness.ARTIFACTS, "real-printed-%d.png")
        subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r300",
                        "-sOutputFile=" + out, PRINTED], check=True, timeout=120)
        return out % 1

    def expected_on_paper(self):
        """moxrender's figure page without frame or margins at the printer's
        scale (300 dpi fonts at 300 dpi)."""
        picture = os.path.join(harness.ARTIFACTS, "real-printed-picture.png")
        harness.run(view.MOXRENDER, "--strict", "--no-frame", "--page", "1", "-B0cm:0cm",
                    *OPTIONS, f"-P{PK}/dpi$d", "--out", picture, self.copy.path("figure.dvi"),
                    timeout=120)
        return picture

    def test_figure_and_colour_in_the_view_and_the_figure_printed_in_colour(self):
        self.open("figure.dvi", "  ps: (first on page 2)")
        # The figure at its natural size lies right of and below the first
        # window: two steps each way bring it in whole.
        self.scrolled_view_shows("figure.dvi", 2, 2, FIGURE_COLOURS)

        # The colour printer as the default for this job only: the printing
        # scenario after this one prints on the grey default.
        grey = default_printer()
        self.assertTrue(grey and grey.startswith("MOX Test PostScript,"), grey)
        set_default_printer(f"MOX Colour PostScript,wineps.drv,{harness.windows_path(PRINTED)}")
        try:
            printed = self.print_colour_page()
        finally:
            set_default_printer(grey)
        self.assertEqual(default_printer(), grey)
        expected = self.expected_on_paper()
        # Where the page lies on the paper is the grey printing scenario's
        # concern: here the red disc places it, and green and blue must
        # lie where moxrender draws them from the red.
        red = [mask_extent(colour_mask(path, "#FF0000", f"real-printed-red-{n}.png"))[1]
               for n, path in enumerate((printed, expected))]
        self.assertTrue(red[0] and red[1], red)
        shift = (red[0][0] - red[1][0], red[0][1] - red[1][1])
        self.assertIsNone(colours_disagree(printed, expected, FIGURE_COLOURS, "real-printed",
                                           shift))
        self.programs.pop().kill()

        # Coloured text: page 1 of colour.dvi once its text is in the window.
        # Every special of colour.dvi is drawn: no warning.
        self.open("colour.dvi")
        self.scrolled_view_shows("colour.dvi", 1, 1, ("#FF0000", "#007F00"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
