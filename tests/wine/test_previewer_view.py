"""The page view of moxwin32.exe under Wine, as a person sees it: the
sample document opened from the command line, paging, the zoom and viewport
keys, the Change zoom box, the open dialog, closing, the reload of a changed
file and the messages of a file that cannot be read. What the window shows
is photographed and compared pixel for pixel with what moxrender draws."""

import math
import os
import re
import shutil
import struct
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXE = os.path.join(harness.BUILD_DIR, "previewer", "shell", "moxwin32.exe")
PROBE = os.path.join(harness.BUILD_DIR, "tests", "window_probe.exe")
MOXRENDER = os.environ.get("MOX_RENDER") or os.path.join(
    os.path.dirname(os.path.abspath(harness.BUILD_DIR or ".")), "native", "tools", "moxrender")
SAMPLE = os.path.join(REPO, "samples", "sample.dvi")
SAMPLE_IMAGE = os.path.join(REPO, "samples", "taiji.bmf")
PK_FOLDER = os.path.join(REPO, "samples", "pk")
HZ_FOLDER = os.path.join(REPO, "tests", "fixtures", "hzfonts")

ENGLISH_TITLE = "MOX DVI Previewer for Windows, v1.3pl2"
CHINESE_TITLE = "MOX DVI 显示程序1.3版第2修订版"
GREY = (128, 128, 128)

# English command ids of the tool bar, left to right; only Open (101) works
# without a document.
TOOL_BAR_COMMANDS = [101, 103, 151, 152, 153, 154, 131, 132, 133, 134,
                     161, 162, 163, 164, 165, 166]



def nearest(value):
    return math.floor(value + 0.5) if value >= 0 else -math.floor(0.5 - value)


class DviFile:
    """The postamble of a DVI file, and copies of it with other pages."""

    def __init__(self, path):
        with open(path, "rb") as dvi:
            self.data = dvi.read()
        end = len(self.data) - 1
        while self.data[end] == 223:
            end -= 1
        self.identification = self.data[end]
        self.post_post = end - 5
        self.post = self.u32(end - 4)
        if self.data[self.post] != 248:
            raise ValueError(f"{path}: no postamble")
        (_, self.num, self.den, self.mag, self.max_height_depth,
         self.max_width) = struct.unpack_from(">iIIIII", self.data, self.post + 1)
        self.bops = []
        bop = self.u32(self.post + 1)
        while bop != 0xFFFFFFFF:
            self.bops.insert(0, bop)
            bop = self.u32(bop + 41)

    def u32(self, at):
        return struct.unpack_from(">I", self.data, at)[0]

    def write_pages(self, target, pages, height_scale=1.0):
        """Writes a DVI file of the given physical pages (0-based) of this
        one, with the largest height+depth scaled. Every font definition of
        the postamble goes to the start of the first page too: a page left
        out may have held the first definition of a font a later page uses."""
        font_definitions = self.data[self.post + 29:self.post_post]
        out = bytearray(self.data[:self.bops[0]])
        bounds = self.bops + [self.post]
        previous = -1
        for n, page in enumerate(pages):
            body = bytearray(self.data[bounds[page]:bounds[page + 1]])
            struct.pack_into(">i", body, 41, previous)
            if n == 0:
                body[45:45] = font_definitions
            previous = len(out)
            out += body
        post = len(out)
        header = bytearray(self.data[self.post + 1:self.post + 29])
        struct.pack_into(">i", header, 0, previous)
        struct.pack_into(">I", header, 16, int(self.max_height_depth * height_scale))
        struct.pack_into(">H", header, 26, len(pages))
        out += bytes([248]) + header + font_definitions + bytes([249])
        out += struct.pack(">I", post) + bytes([self.identification])
        out += bytes([223]) * (4 + (-(len(out) + 4)) % 4)
        with open(target, "wb") as dvi:
            dvi.write(out)

    # The page view's arithmetic for this document at 600 dpi with margins
    # of 1cm, as the window computes it.
    def conversion(self):
        unit = self.num / self.den * 0.00001 * 0.39370078740157477
        return unit * 600.0 * (0.001 * self.mag)

    @staticmethod
    def margin():
        return 1.0 * (1.0 / 2.54) * 600.0

    def layout(self, zoom, client_width, client_height):
        """Scroll unit and range (largest position) in each direction."""
        conversion = self.conversion()
        offset = nearest(self.margin() * zoom)
        result = {}
        for axis, size, client in (("x", self.max_width, client_width),
                                   ("y", self.max_height_depth, client_height)):
            total = nearest(size * zoom * conversion + 2.0 * offset)
            unit = max(min(total // 50, client // 2), 10)
            result["unit_" + axis] = unit
            result["range_" + axis] = -(-max(total - client, 0) // unit)
        return result

    def fit_zoom(self, client_width, client_height):
        conversion = self.conversion()
        width = 2.0 * self.margin() + self.max_width * conversion + 20.0
        height = 2.0 * self.margin() + self.max_height_depth * conversion + 20.0
        return min(max(max(client_width / width, client_height / height), 0.05), 1.0)


def half_window(client, unit):
    return max((client // 2) // unit, 1)


_pictures = {}


def picture(dvi, page, zoom, pk=PK_FOLDER, hz=HZ_FOLDER, options=()):
    """moxrender's PNG of a page (1-based) at a zoom given as its -Z text,
    with further previewer options."""
    key = (dvi, page, zoom, pk, tuple(options))
    if key not in _pictures:
        if not os.access(MOXRENDER, os.X_OK):
            raise AssertionError(f"{MOXRENDER} is missing: build the native moxrender")
        os.makedirs(harness.ARTIFACTS, exist_ok=True)
        name = os.path.splitext(os.path.basename(dvi))[0]
        suffix = "".join(options).replace("-", "").replace(":", "")
        out = os.path.join(harness.ARTIFACTS, f"view-moxrender-{name}-{page}-{zoom}{suffix}.png")
        harness.run(MOXRENDER, "--strict", "--page", str(page), "--out", out,
                    f"-P{pk}/dpi$d", f"-I{hz}", f"-Z{zoom}", *options, dvi, timeout=120)
        _pictures[key] = out
    return _pictures[key]


def exact(pattern_text):
    return "^" + re.escape(pattern_text) + "$"


class ViewTestCase(unittest.TestCase):
    """Starts the previewer in a folder of the test's own and looks at it."""

    def setUp(self):
        self.copy = harness.ProgramCopy(EXE)
        self.programs = []
        self.frame = None

    def tearDown(self):
        for program in self.programs:
            program.kill()
        self.copy.remove()

    def start(self, *options, document=SAMPLE, pk=PK_FOLDER, hz=HZ_FOLDER, caption=None,
              layout="-L0"):
        """Starts the previewer on a document (None: none) with the font
        folders; waits for the frame with the caption. One page at a time
        unless asked otherwise: these scenarios compare the view with the
        renderer's single pages."""
        arguments = [f"-P{harness.windows_path(pk)}\\dpi$d", f"-I{harness.windows_path(hz)}",
                     layout, *options]
        if document is not None:
            arguments.append(harness.windows_path(document))
        program = harness.Program(self.copy.exe, *arguments, cwd=self.copy.folder)
        self.programs.append(program)
        self.frame = harness.wait_for_window(exact(caption), timeout=60)
        return program

    def start_focus_holder(self):
        """A small window of another process, to take the focus away. It
        becomes the active window when it is shown."""
        self.programs.append(harness.Program(PROBE, "window", "Focus holder"))
        holder = harness.wait_for_window("^Focus holder$")
        harness.wait_for(lambda: harness.focus_owner()[0] == "Focus holder",
                         what="the new window to become active")
        return holder

    def activate(self, window, wait=True):
        """Clicks a window (for the frame: its status bar) so that Wine makes
        it the active one, and (with wait) waits until it is; clicks again
        when an activation of another window came in between."""
        x, y, width, height = harness.window_box(window)
        harness.click(x + width // 2, y + height - 6)
        if not wait:
            return
        caption = harness.window_name(window)
        for _ in range(5):
            try:
                harness.wait_for(lambda: harness.focus_owner()[0] == caption, timeout=4.0,
                                 what=f"window {caption!r} to become active")
                return
            except TimeoutError:
                harness.click(x + width // 2, y + height - 6)
        self.fail(f"window {caption!r} does not become active: {harness.focus_owner()}")

    def caption(self):
        return harness.window_name(self.frame)

    def wait_for_caption(self, expected):
        try:
            harness.wait_for(lambda: self.caption() == expected, what="the caption")
        except TimeoutError:
            self.fail(f"the caption is {self.caption()!r}, not {expected!r}")

    def press(self, *keys):
        harness.keys(self.frame, *keys)

    def settle(self):
        """Returns once the keys pressed so far have been handled: the
        Change zoom box (the next key) opens only after them."""
        self.press("ctrl+z")
        box = harness.wait_for_window("^Set zoom$")
        harness.keys(box, "Escape")
        harness.wait_until_gone("^Set zoom$")

    def view(self, name):
        """A screenshot of the page view's client area and its geometry."""
        geometry = harness.wait_for(harness.view_geometry, what="the page view")
        shot = harness.screenshot("root", f"view-{name}-screen.png")
        return harness.crop(shot, geometry["client"], f"view-{name}.png"), geometry

    def assert_view_shows(self, expected_picture, x, y, name, timeout=15.0):
        """The page view shows the picture scrolled by (x, y) pixels, white
        where the picture does not reach: no pixel differs."""
        last = {}

        def same():
            shot, geometry = self.view(name)
            _, _, width, height = geometry["client"]
            expected = harness.on_white(expected_picture, width, height, -x, -y,
                                        f"view-{name}-expected.png")
            last["count"] = harness.differing_pixels(shot, expected, f"view-{name}-diff.png")
            return last["count"] == 0
        try:
            harness.wait_for(same, timeout=timeout, interval=0.3)
        except TimeoutError:
            self.fail(f"{name}: {last.get('count')} pixels of the view differ from "
                      f"{os.path.basename(expected_picture)} scrolled by ({x}, {y}) "
                      f"(see view-{name}*.png in {harness.ARTIFACTS})")

    def assert_grey_without_document(self, title=ENGLISH_TITLE, name="closed"):
        self.wait_for_caption(title)

        def grey():
            shot, _ = self.view(name)
            return harness.colour_count(shot) == 1 and harness.pixel(shot, 0, 0) == GREY
        harness.wait_for(grey, what="a page view all grey")

    def tool_bar(self):
        states = {}
        for line in harness.probe("toolbar").splitlines():
            words = line.split()
            if words and words[0] == "button":
                states[int(words[1]) % 10000] = words[2]
        return states

    def assert_no_message_box(self):
        self.assertEqual(harness.probe("dialog").strip(), "", "no dialog or message box")

    def message_box(self, caption="Error message"):
        """Waits for a message box; its text."""
        harness.wait_for_window(exact(caption))

        def text():
            shown, found = harness.dialog_text()
            return found if shown == caption and found else None
        return harness.wait_for(text, what=f"the text of the box {caption!r}")

    def answer_box(self, caption="Error message"):
        box = harness.wait_for_window(exact(caption))
        harness.keys(box, "Return")
        harness.wait_until_gone(exact(caption))

    def zoom_box(self, title="Set zoom", prompt="Enter zoom factor"):
        """Opens Change zoom; the text of its edit box."""
        self.press("ctrl+z")
        harness.wait_for_window(exact(title))

        def controls():
            items = harness.dialog_texts()
            return items if items and items[0] == ("Caption", title) else None
        items = harness.wait_for(controls, what="the controls of Change zoom")
        self.assertIn(("Static", prompt), items)
        edits = [text for kind, text in items if kind == "Edit"]
        self.assertEqual(len(edits), 1, items)
        return edits[0]

    def close_zoom_box(self, title="Set zoom"):
        """Cancels the open Change zoom box. (Its OK would set the zoom to the
        four decimals shown, which may differ from the zoom in force.)"""
        box = harness.wait_for_window(exact(title))
        harness.keys(box, "Escape")
        harness.wait_until_gone(exact(title))

    def enter_zoom(self, text, title="Set zoom"):
        """Types over the selected text of the open Change zoom box (nothing:
        leaves it), then OK."""
        box = harness.wait_for_window(exact(title))
        harness.keys(box, *["period" if c == "." else c for c in text], "Return")
        harness.wait_until_gone(exact(title))


class Paging(ViewTestCase):
    """Which pages PgDn and PgUp reach with the page filters of the command
    line; the caption names the file and \\count0 of the page shown."""

    def test_all_pages_in_order_without_wrapping_round(self):
        self.start("-Z1", caption="sample.dvi - Page 1")
        # Nothing before the first page: PgUp stays, PgDn then goes to 2.
        self.press("Prior", "Next")
        self.wait_for_caption("sample.dvi - Page 2")
        self.press("Next")
        self.wait_for_caption("sample.dvi - Page 3")
        self.press("Next")
        self.wait_for_caption("sample.dvi - Page 4")
        # Nothing after the last page: PgDn stays, PgUp then goes to 3.
        self.press("Next", "Prior")
        self.wait_for_caption("sample.dvi - Page 3")
        self.press("Prior", "Prior", "Prior")
        self.wait_for_caption("sample.dvi - Page 1")
        self.settle()
        self.assertEqual(self.caption(), "sample.dvi - Page 1")

    def test_page_range_limits_the_pages(self):
        self.start("-Z1", "-N2:3", caption="sample.dvi - Page 2")
        self.press("Prior", "Next")
        self.wait_for_caption("sample.dvi - Page 3")
        self.press("Next", "Prior")
        self.wait_for_caption("sample.dvi - Page 2")
        self.press("Prior")
        self.settle()
        self.assertEqual(self.caption(), "sample.dvi - Page 2")

    def test_even_pages_only(self):
        self.start("-Z1", "-U2", caption="sample.dvi - Page 2")
        self.press("Next")
        self.wait_for_caption("sample.dvi - Page 4")
        self.press("Next", "Prior")
        self.wait_for_caption("sample.dvi - Page 2")
        self.press("Prior")
        self.settle()
        self.assertEqual(self.caption(), "sample.dvi - Page 2")

    def test_page_numbers_counting_physical_pages(self):
        self.start("-Z1", "-V1", "-N3", caption="sample.dvi - Page 3")
        self.press("Next", "Next", "Prior", "Prior", "Prior", "Next")
        self.settle()
        self.assertEqual(self.caption(), "sample.dvi - Page 3")

    def test_caption_names_the_file_without_its_folder_as_typed(self):
        # A name in capitals and a path with forward slashes: the caption
        # shows the last part as it was written.
        folder = self.copy.path("Some Folder")
        os.makedirs(folder)
        shutil.copy(SAMPLE, os.path.join(folder, "Sample.DVI"))
        shutil.copy(SAMPLE_IMAGE, folder)
        path = harness.windows_path(os.path.join(folder, "Sample.DVI")).replace("\\", "/")
        program = harness.Program(
            self.copy.exe, f"-P{harness.windows_path(PK_FOLDER)}\\dpi$d",
            f"-I{harness.windows_path(HZ_FOLDER)}", "-Z1", path, cwd=self.copy.folder)
        self.programs.append(program)
        self.frame = harness.wait_for_window("^Sample.DVI - Page 1$", timeout=60)
        self.assertEqual(self.caption(), "Sample.DVI - Page 1")


class Pixels(ViewTestCase):
    """The window shows exactly what moxrender draws for the same page,
    zoom and margins, where the viewport keys scroll it."""

    def test_scrolling_and_zooming_through_the_sample(self):
        dvi = DviFile(SAMPLE)
        self.start("-Z1", caption="sample.dvi - Page 1")
        one = picture(SAMPLE, 1, "1")
        self.assert_view_shows(one, 0, 0, "p1-1to1-top-left")
        _, geometry = self.view("p1-1to1-geometry")
        self.assertTrue(geometry["hbar"] and geometry["vbar"], "the page is larger than 1:1")
        _, _, width, height = geometry["client"]
        layout = dvi.layout(1.0, width, height)
        ux, uy = layout["unit_x"], layout["unit_y"]
        sx, sy = half_window(width, ux), half_window(height, uy)

        # Down and Right move half a window, in whole scroll units.
        self.press("Down")
        self.assert_view_shows(one, 0, sy * uy, "p1-1to1-down")
        self.press("Right")
        self.assert_view_shows(one, sx * ux, sy * uy, "p1-1to1-down-right")
        # End: the bottom-right corner, the last position of both bars.
        self.press("End")
        rx, ry = layout["range_x"], layout["range_y"]
        self.assert_view_shows(one, rx * ux, ry * uy, "p1-1to1-end")
        self.press("Up", "Left")
        self.assert_view_shows(one, (rx - sx) * ux, (ry - sy) * uy, "p1-1to1-up-left")
        self.press("Home")
        self.assert_view_shows(one, 0, 0, "p1-1to1-home")
        # Up and Left at the top-left corner move nothing.
        self.press("Up", "Left", "Down")
        self.assert_view_shows(one, 0, sy * uy, "p1-1to1-home-up-left-down")

        # 1:5 in grey: the position in units stays where the new range
        # allows it; the scroll unit is that of the smaller page.
        self.press("5")
        grey = picture(SAMPLE, 1, "5")
        self.settle()
        _, geometry = self.view("p1-1to5-geometry")
        _, _, width, height = geometry["client"]
        layout5 = dvi.layout(0.2, width, height)
        self.assertFalse(geometry["hbar"], "1:5 is narrower than the window")
        self.assert_view_shows(grey, 0, min(sy, layout5["range_y"]) * layout5["unit_y"],
                               "p1-1to5")
        self.press("End")
        self.assert_view_shows(grey, 0, layout5["range_y"] * layout5["unit_y"],
                               "p1-1to5-end")

        # 1:9: the whole page in the window, no scroll bars, white round it.
        self.press("9")
        self.assert_view_shows(picture(SAMPLE, 1, "9"), 0, 0, "p1-1to9")
        _, geometry = self.view("p1-1to9-geometry")
        self.assertFalse(geometry["hbar"] or geometry["vbar"], "no scroll bar at 1:9")

        # Page 4: em: lines and the BMF image, at 1:9 and at 1:5.
        self.press("Next", "Next", "Next")
        self.wait_for_caption("sample.dvi - Page 4")
        self.assert_view_shows(picture(SAMPLE, 4, "9"), 0, 0, "p4-1to9")
        self.press("5")
        grey4 = picture(SAMPLE, 4, "5")
        self.assert_view_shows(grey4, 0, 0, "p4-1to5")
        self.press("End")
        self.assert_view_shows(grey4, 0, layout5["range_y"] * layout5["unit_y"], "p4-1to5-end")
        # A new page starts at the top-left corner.
        self.press("Prior")
        self.wait_for_caption("sample.dvi - Page 3")
        self.assert_view_shows(picture(SAMPLE, 3, "5"), 0, 0, "p3-1to5")


class Zoom(ViewTestCase):
    """The zoom keys, their limits, fitting and the Change zoom box."""

    def test_zoom_limits(self):
        dvi = DviFile(SAMPLE)
        self.start("-Z1", caption="sample.dvi - Page 1")
        one = picture(SAMPLE, 1, "1")
        _, geometry = self.view("limits-geometry")
        _, _, width, height = geometry["client"]
        layout = dvi.layout(1.0, width, height)
        down = half_window(height, layout["unit_y"]) * layout["unit_y"]
        # '+' and Delete at 1:1 change nothing: neither the zoom nor the place.
        self.press("Down", "plus", "Delete")
        self.settle()
        self.assert_view_shows(one, 0, down, "limits-1to1-plus", timeout=3.0)
        self.assertEqual(self.zoom_box(), "1.0000")
        self.close_zoom_box()
        # '-' shrinks by 5/6 a step down to 1:20 and no further (17 steps
        # reach it, the others change nothing).
        self.press(*["minus"] * 20)
        self.assert_view_shows(picture(SAMPLE, 1, "0.05"), 0, 0, "limits-smallest")
        self.assertEqual(self.zoom_box(), "0.0500")
        self.close_zoom_box()
        # One '+' from there is 0.05 * 1.2: the smaller zoom was 0.05 exactly.
        self.press("plus")
        self.assert_view_shows(picture(SAMPLE, 1, repr(0.05 * 1.2)), 0, 0, "limits-plus")
        self.assertEqual(self.zoom_box(), "0.0600")
        self.close_zoom_box()
        # Insert and the other zoom-out keys do what '-' does.
        self.press("Insert")
        self.assert_view_shows(picture(SAMPLE, 1, repr(0.05 * 1.2 * 0.8333333333333334)),
                               0, 0, "limits-insert")

    def test_fit_by_key_by_ctrl_f_and_by_zoom_0(self):
        dvi = DviFile(SAMPLE)
        self.start("-Z1", caption="sample.dvi - Page 1")
        self.assert_view_shows(picture(SAMPLE, 1, "1"), 0, 0, "fit-before-1to1")
        _, geometry = self.view("fit-before")
        _, _, width, height = geometry["client"]
        # The fit is measured in the window as it is when the key comes.
        zoom = dvi.fit_zoom(width, height)
        fitted = picture(SAMPLE, 1, repr(zoom))
        self.press("0")
        self.assert_view_shows(fitted, 0, 0, "fit-key-0")
        self.assertEqual(self.zoom_box(), f"{zoom:.4f}")
        self.close_zoom_box()
        self.press("1", "ctrl+f")
        self.assert_view_shows(fitted, 0, 0, "fit-ctrl-f")
        self.press("1")
        self.assert_view_shows(picture(SAMPLE, 1, "1"), 0, 0, "fit-back-to-1to1")
        self.assertEqual(self.zoom_box(), "1.0000")
        self.enter_zoom("0")
        self.assert_view_shows(fitted, 0, 0, "fit-zoom-0")
        self.assertEqual(self.zoom_box(), f"{zoom:.4f}")
        self.close_zoom_box()

    def test_number_keys_zoom_to_one_nth(self):
        self.start("-Z1", caption="sample.dvi - Page 1")
        for n in "2346781":
            self.press(n)
            self.assert_view_shows(picture(SAMPLE, 1, n), 0, 0, f"key-{n}")

    def test_without_a_zoom_the_page_is_fitted_to_the_window_it_ends_up_in(self):
        # Fitting adds a scroll bar in the direction that does not fit, which
        # narrows the window: the fit is measured again after it.
        dvi = DviFile(SAMPLE)
        self.start(caption="sample.dvi - Page 1")
        self.settle()
        _, geometry = self.view("initial-fit-geometry")
        _, _, width, height = geometry["client"]
        self.assertTrue(geometry["vbar"] and not geometry["hbar"],
                        "the page is fitted to the width, and scrolls down")
        zoom = dvi.fit_zoom(width, height)
        self.assert_view_shows(picture(SAMPLE, 1, repr(zoom)), 0, 0, "initial-fit")
        self.assertEqual(self.zoom_box(), f"{zoom:.4f}")
        self.close_zoom_box()

    def test_change_zoom_accepts_a_fraction_and_refuses_more_than_1(self):
        self.start("-Z1", caption="sample.dvi - Page 1")
        self.assertEqual(self.zoom_box(), "1.0000")
        self.enter_zoom("0.2")
        self.assert_view_shows(picture(SAMPLE, 1, "5"), 0, 0, "zoombox-0.2")
        self.assertEqual(self.zoom_box(), "0.2000")
        self.enter_zoom("1.5")
        self.assertEqual(self.message_box(), "Invalid zoom factor 1.500000")
        self.answer_box()
        # The zoom stays.
        self.assertEqual(self.zoom_box(), "0.2000")
        self.close_zoom_box()
        self.assert_view_shows(picture(SAMPLE, 1, "5"), 0, 0, "zoombox-refused")
        # Escape leaves the zoom as it is, whatever was typed.
        self.zoom_box()
        box = harness.wait_for_window("^Set zoom$")
        harness.keys(box, "9", "Escape")
        harness.wait_until_gone("^Set zoom$")
        self.assertEqual(self.zoom_box(), "0.2000")
        self.close_zoom_box()
        self.assertTrue(self.programs[0].running())


class Documents(ViewTestCase):
    """Opening, closing and reloading documents, and the files that fail."""

    def test_close_greys_the_view_and_the_document_buttons(self):
        self.start("-Z1", caption="sample.dvi - Page 1")
        self.assertEqual(self.tool_bar(), {c: "enabled" for c in TOOL_BAR_COMMANDS})
        self.press("ctrl+c")
        self.assert_grey_without_document()
        harness.wait_for(lambda: self.tool_bar() == {
            c: ("enabled" if c == 101 else "grey") for c in TOOL_BAR_COMMANDS},
            what="the document buttons to turn grey")
        # The document keys do nothing now; Change zoom does not open. The
        # About box, which needs no document, shows when they are handled.
        self.press("Next", "5", "End", "ctrl+z", "ctrl+f", "alt+h", "a")
        about = harness.wait_for_window("^Author Information$")
        self.assertEqual(harness.windows_named("^Set zoom$", visible_only=True), [])
        harness.keys(about, "Return")
        harness.wait_until_gone("^Author Information$")
        self.assert_grey_without_document(name="closed-after-keys")
        self.assertTrue(self.programs[0].running())

    def test_open_dialog_opens_a_document_on_its_first_page(self):
        other = self.copy.path("other.dvi")
        shutil.copy(SAMPLE, other)
        shutil.copy(SAMPLE_IMAGE, self.copy.folder)
        # A page filter of the command line belongs to the first document.
        self.start("-Z5", "-N2:3", caption="sample.dvi - Page 2")
        self.press("Next")
        self.wait_for_caption("sample.dvi - Page 3")
        # Cancel keeps the document and the page.
        self.press("ctrl+o")
        dialog = harness.wait_for_window("^Open DVI file$")
        harness.screenshot(dialog, "view-open-dialog.png")
        harness.keys(dialog, "Escape")
        harness.wait_until_gone("^Open DVI file$")
        self.assertEqual(self.caption(), "sample.dvi - Page 3")
        self.assert_view_shows(picture(SAMPLE, 3, "5"), 0, 0, "open-cancelled")
        # A path typed into the dialog: its first page, all pages reachable.
        self.press("ctrl+o")
        dialog = harness.wait_for_window("^Open DVI file$")
        harness.wait_for(lambda: harness.dialog_texts(), what="the open dialog's controls")
        harness.keys(dialog, "ctrl+a")
        harness.run("xdotool", "type", "--delay", "30", harness.windows_path(other))
        harness.keys(dialog, "Return")
        harness.wait_until_gone("^Open DVI file$")
        self.wait_for_caption("other.dvi - Page 1")
        self.assert_view_shows(picture(SAMPLE, 1, "5"), 0, 0, "open-other")
        self.press("Next", "Next", "Next")
        self.wait_for_caption("other.dvi - Page 4")
        self.assert_no_message_box()

    def test_reload_of_a_changed_file_needs_no_font_file(self):
        folder = self.copy.folder
        document = self.copy.path("sample.dvi")
        shutil.copy(SAMPLE, document)
        shutil.copy(SAMPLE_IMAGE, folder)
        pk = self.copy.path("pk")
        shutil.copytree(PK_FOLDER, pk)
        hz = self.copy.path("hz")
        shutil.copytree(HZ_FOLDER, hz)
        self.start("-Z1", document=document, pk=pk, hz=hz, caption="sample.dvi - Page 1")
        holder = self.start_focus_holder()
        self.activate(self.frame)
        self.press("Next")
        self.wait_for_caption("sample.dvi - Page 2")
        self.press("End")
        old = DviFile(SAMPLE)
        _, geometry = self.view("reload-geometry")
        _, _, width, height = geometry["client"]
        before = old.layout(1.0, width, height)
        self.assert_view_shows(picture(SAMPLE, 2, "1"), before["range_x"] * before["unit_x"],
                               before["range_y"] * before["unit_y"], "reload-before")

        # Meanwhile the document changes: pages 1, 3 and 4, shorter pages.
        self.activate(holder)
        changed = self.copy.path("changed.dvi")
        old.write_pages(changed, [0, 2, 3], height_scale=0.75)
        new = DviFile(changed)
        expected = picture(changed, 2, "1")
        shutil.copy(changed, document)
        # What was loaded must do: no PK file and no outline font is left
        # (the list of outline fonts, ccfonts.def, is read on every load).
        shutil.rmtree(pk)
        for name in os.listdir(hz):
            if name.lower() != "ccfonts.def":
                os.remove(os.path.join(hz, name))

        # Back to the previewer: the second physical page, now \count0 3,
        # as far down and right as the shorter page allows.
        self.activate(self.frame)
        self.wait_for_caption("sample.dvi - Page 3")
        after = new.layout(1.0, width, height)
        self.assertLess(after["range_y"], before["range_y"], "the new page is shorter")
        self.assert_view_shows(expected, before["range_x"] * after["unit_x"],
                               after["range_y"] * after["unit_y"], "reload-after")
        self.assert_no_message_box()

        # Gone altogether (some TeX setups remove it first): the page stays
        # and the status line says why, with no box.
        self.activate(holder)
        os.remove(document)
        self.activate(self.frame)
        self.wait_for_caption("sample.dvi - Page 3 - the DVI file is not there; "
                              "it is loaded again once it is back")
        self.assert_view_shows(expected, before["range_x"] * after["unit_x"],
                               after["range_y"] * after["unit_y"], "reload-missing")
        self.assert_no_message_box()

    def wheel(self, button, times=1, modifier=None):
        """Turns the mouse wheel over the page view (4: away from the user)."""
        x, y, width, height = harness.wait_for(harness.view_geometry)["client"]
        harness.run("xdotool", "mousemove", "--sync", str(x + width // 2), str(y + height // 2))
        if modifier:
            harness.run("xdotool", "keydown", modifier)
        harness.run("xdotool", "click", "--repeat", str(times), "--delay", "100", str(button))
        if modifier:
            harness.run("xdotool", "keyup", modifier)

    def test_a_file_written_in_two_steps_keeps_the_page_until_it_is_whole(self):
        document = self.copy.path("sample.dvi")
        shutil.copy(SAMPLE, document)
        shutil.copy(SAMPLE_IMAGE, self.copy.folder)
        self.start("-Z1", document=document, caption="sample.dvi - Page 1")
        holder = self.start_focus_holder()
        self.activate(self.frame)
        self.press("Next", "Down", "Down")
        self.wait_for_caption("sample.dvi - Page 2")
        old = DviFile(SAMPLE)
        _, geometry = self.view("slow-geometry")
        _, _, width, height = geometry["client"]
        layout = old.layout(1.0, width, height)
        down = 2 * half_window(height, layout["unit_y"])  # units
        old_page = picture(SAMPLE, 2, "1")
        self.assert_view_shows(old_page, 0, down * layout["unit_y"], "slow-before")

        # TeX writes the first half of the new file and pauses: the focus
        # comes back meanwhile, and the page stays.
        changed = self.copy.path("changed.dvi")
        old.write_pages(changed, [0, 2, 3])
        with open(changed, "rb") as whole:
            data = whole.read()
        self.activate(holder)
        with open(document, "wb") as partial:
            partial.write(data[:len(data) // 2])
        self.activate(self.frame)
        self.wait_for_caption("sample.dvi - Page 2 - the DVI file is being written; "
                              "it is loaded again once complete")
        self.assert_view_shows(old_page, 0, down * layout["unit_y"], "slow-during")
        self.assert_no_message_box()

        # The rest is written while another window is active: the new page
        # comes on the same page and scroll position without the focus.
        self.activate(holder)
        with open(document, "wb") as rest:
            rest.write(data)
        self.wait_for_caption("sample.dvi - Page 3")
        new_layout = DviFile(changed).layout(1.0, width, height)
        self.assert_view_shows(picture(changed, 2, "1"), 0, down * new_layout["unit_y"],
                               "slow-after")

        # The wheel: down two notches, up one; Ctrl+wheel zooms out and in.
        self.activate(self.frame)
        step = max(48 // new_layout["unit_y"], 1) * new_layout["unit_y"]
        self.wheel(5, times=2)
        self.assert_view_shows(picture(changed, 2, "1"), 0, down * new_layout["unit_y"] + 2 * step,
                               "wheel-down")
        self.wheel(4)
        self.assert_view_shows(picture(changed, 2, "1"), 0, down * new_layout["unit_y"] + step,
                               "wheel-up")
        self.assertEqual(self.zoom_box(), "1.0000")
        self.close_zoom_box()
        self.wheel(5, modifier="ctrl")
        zoomed_out = self.zoom_box()
        self.close_zoom_box()
        self.assertLess(float(zoomed_out), 1.0)
        self.wheel(4, modifier="ctrl")
        self.assertEqual(self.zoom_box(), "1.0000")
        self.close_zoom_box()

    def test_broken_file_on_the_command_line(self):
        bad = self.copy.path("bad.dvi")
        with open(bad, "w") as text:
            text.write("This is a text file, not a DVI file.\n" * 20)
        program = harness.Program(
            self.copy.exe, f"-P{harness.windows_path(PK_FOLDER)}\\dpi$d",
            f"-I{harness.windows_path(HZ_FOLDER)}", harness.windows_path(bad),
            cwd=self.copy.folder)
        self.programs.append(program)
        text = self.message_box()
        harness.screenshot("root", "view-broken-file.png")
        # Its end holds no DVI trailer.
        self.assertEqual(text, "Invalid DVI file")
        self.answer_box()
        self.frame = harness.wait_for_window(exact(ENGLISH_TITLE))
        self.assert_grey_without_document(name="broken-file")
        self.assertTrue(program.running())
        self.assertEqual(harness.windows_named("^Error message$", visible_only=True), [])

    def test_missing_file_on_the_command_line(self):
        program = harness.Program(
            self.copy.exe, f"-P{harness.windows_path(PK_FOLDER)}\\dpi$d",
            f"-I{harness.windows_path(HZ_FOLDER)}",
            harness.windows_path(self.copy.path("missing.dvi")), cwd=self.copy.folder)
        self.programs.append(program)
        self.assertEqual(self.message_box(), "Cannot open DVI file or invalid file type.")
        self.answer_box()
        self.frame = harness.wait_for_window(exact(ENGLISH_TITLE))
        self.assert_grey_without_document(name="missing-file")
        self.assertTrue(program.running())


class Chinese(ViewTestCase):
    """-C under Wine's default code page: captions, menus and messages."""

    def test_chinese_caption_menu_and_zoom_error(self):
        self.start("-C", "-Z1", caption="sample.dvi - 第1页")
        self.press("Next")
        self.wait_for_caption("sample.dvi - 第2页")
        self.press("alt+f")
        harness.wait_for(lambda: harness.probe("status").splitlines()[:1] == ["打开DVI文件"],
                         what="the Chinese hint of Open")
        harness.screenshot("root", "view-chinese-menu.png")
        self.press("Escape", "Escape")
        self.assertEqual(self.zoom_box("设置缩小因子", "请输入缩小因子"), "1.0000")
        self.enter_zoom("1.5", title="设置缩小因子")
        self.assertEqual(self.message_box("错误信息"), "非法缩小因子1.500000")
        harness.screenshot("root", "view-chinese-error.png")
        self.answer_box("错误信息")
        self.press("ctrl+c")
        self.assert_grey_without_document(CHINESE_TITLE, name="chinese-closed")

    def test_broken_file_in_chinese(self):
        bad = self.copy.path("bad.dvi")
        with open(bad, "w") as text:
            text.write("This is a text file, not a DVI file.\n" * 20)
        program = harness.Program(
            self.copy.exe, "-C", f"-P{harness.windows_path(PK_FOLDER)}\\dpi$d",
            f"-I{harness.windows_path(HZ_FOLDER)}", harness.windows_path(bad),
            cwd=self.copy.folder)
        self.programs.append(program)
        self.assertEqual(self.message_box("错误信息"), "非法DVI文件")
        self.answer_box("错误信息")
        self.frame = harness.wait_for_window(exact(CHINESE_TITLE))
        self.assert_grey_without_document(CHINESE_TITLE, name="chinese-broken-file")
        self.assertTrue(program.running())


if __name__ == "__main__":
    unittest.main(verbosity=2)
