"""A user's working cycle under Wine, in a program folder as installed
(MOX_PROGRAM_DIR, else one made from this build), with Debian's TeX on the
Wine search path as latex.exe, tex.exe and bibtex.exe: a Chinese and Western
document with a formula typed into a new window, saved as .ctx, run through
the batch items MOXex.bat and LaTeX.bat and shown, as moxrender draws it, by
the previewer that the command runner's MOXWIN32 row starts; a change typed
and saved, LaTeX.bat again, and the previewer, given the focus, shows the new
text on the page it was on. Then a template saved under a name of its own
and compiled by Compile.bat (the previewer makes the PK fonts the template
needs), and the tutorial. And a document with an error on a known line: the
build panel under the editors lists it when LaTeX.bat has ended, and a
double-click on the row puts the caret on that line of the .ctx."""

import os
import shutil
import signal
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402
from test_source_links import with_frame  # noqa: E402
from test_varelo_editor import caret_label, editors, paste_text  # noqa: E402
import test_varelo_runner as runner  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DATA = os.path.join(REPO, "frontend", "data")
MOXRENDER = os.environ.get("MOX_RENDER") or os.path.join(
    os.path.dirname(os.path.abspath(harness.BUILD_DIR or ".")), "native", "tools", "moxrender")
RUNNER = os.path.join(harness.BUILD_DIR, "tests", "unix_tool_runner.exe")
UNIX_TOOLS = ("latex", "tex", "bibtex")
ZOOM = "0.2"

# Every Chinese character here is in the outline font fixtures.
DOCUMENT = """\\documentclass{article}
\\usepackage{mox}
\\begin{document}
我是华人, and this is Western text with a formula:
\\[ \\sum_{k=1}^{n} k = \\frac{n(n+1)}{2}. \\]
\\newpage
The second page: 上下.
\\end{document}"""
CHANGE = "人民共和国: a new line on the second page.\n"
# Line 5 has a command nobody defined.
ERROR_DOCUMENT = """\\documentclass{article}
\\usepackage{mox}
\\begin{document}
我是华人.
Here \\undefinedcommand{} stops.
\\end{document}"""


def unix_path(windows_path):
    """The Unix path of a path in the test prefix (drive C) or on drive Z."""
    drive, rest = windows_path[:2].upper(), windows_path[2:].replace("\\", "/")
    if drive == "C:":
        return os.path.join(os.environ["WINEPREFIX"], "drive_c") + rest
    return rest if drive == "Z:" else windows_path


def windows_forms(path):
    """The paths a Windows program may see for a Unix path, lower case: on
    drive Z:, and on drive C: inside the test prefix."""
    forms = [harness.windows_path(path).lower()]
    drive_c = os.path.join(os.environ.get("WINEPREFIX", "/nonexistent"), "drive_c")
    if os.path.abspath(path).startswith(drive_c + "/"):
        forms.append("c:" + os.path.abspath(path)[len(drive_c):].replace("/", "\\").lower())
    return forms


def running(pid):
    """Whether a process runs (an ended one its parent has not waited for
    counts as ended)."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def make_program_folder(folder):
    """The program folder as installed, from this build and the data files."""
    os.makedirs(folder)
    for exe, name in ((("frontend", "win32", "Varelo.exe"), "Varelo.exe"),
                      (("previewer", "shell", "moxwin32.exe"), "moxwin32.exe"),
                      (("tools", "mox", "mox.exe"), "mox.exe"),
                      (("previewer", "shell", "MAKEPK.EXE"), "MAKEPK.EXE")):
        shutil.copy(os.path.join(harness.BUILD_DIR, *exe), os.path.join(folder, name))
    for sub in ("Batch", "Template", "TeX", "bitmap2B"):
        shutil.copytree(os.path.join(DATA, sub), os.path.join(folder, sub))
    for name in ("tex.txt", "usermac.txt", "news.txt", "moxview.bat", "tutor.dvi"):
        shutil.copy(os.path.join(DATA, name), folder)
    shutil.copytree(os.path.join(harness.BUILD_DIR, "texmf"), os.path.join(folder, "texmf"))


@unittest.skipUnless(shutil.which("latex") and shutil.which("mktexpk"), "no TeX installed")
class WorkingCycle(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="cycle-", dir=harness.BUILD_DIR or None)
        self.programs = os.environ.get("MOX_PROGRAM_DIR")
        if not self.programs:
            self.programs = os.path.join(self.root, "MOX programs")
            make_program_folder(self.programs)
        # TeX of the Unix system, reached from Wine through the runner.
        tools = os.path.join(self.root, "unix-tools")
        os.makedirs(tools)
        for name in UNIX_TOOLS:
            shutil.copy(RUNNER, os.path.join(tools, name + ".exe"))
        # Fonts the previewer and moxrender share; the previewer's generator
        # adds the PK files that are missing.
        self.pk = os.path.join(self.root, "pk")
        shutil.copytree(os.path.join(REPO, "tests", "fixtures", "pk", "dpi600"),
                        os.path.join(self.pk, "dpi600"))
        self.hz = os.path.join(self.root, "hz")
        os.makedirs(self.hz)
        for name in ("umsym2.hzf", "uml1t1.hzf", "uml2t1.hzf"):
            shutil.copy(os.path.join(REPO, "tests", "fixtures", "hzfonts", name), self.hz)
        with open(os.path.join(self.hz, "ccfonts.def"), "w") as definitions:
            # Every ziti letter in the same faces, the symbols in slot 1.
            definitions.write("uml1t1.hzf 1.0\numsym2.hzf 1.0\n" +
                              "uml1t1.hzf 1.0\numl2t1.hzf 1.0\n" * 26)
        self.papers = os.path.join(self.root, "my papers")
        os.makedirs(self.papers)
        self.environment = {
            "WINEPATH": harness.windows_path(tools),
            "MOXWIN32OPTS": f"-Z{ZOOM} -P{harness.windows_path(self.pk)}\\dpi$d "
                            f"-I{harness.windows_path(self.hz)}",
        }
        self.editor = harness.Program(os.path.join(self.programs, "Varelo.exe"),
                                      cwd=self.papers, env=self.environment)
        self.frame = harness.wait_for_window("^Varelo")
        harness.wait_for(lambda: with_frame("VareloFrame", harness.probe, "buttons").strip(),
                         what="the tool bar")

    def tearDown(self):
        self.editor.kill()
        self.end_previewers()
        shutil.rmtree(self.root, ignore_errors=True)

    def end_previewers(self):
        """Ends the previewers that batch files and Varelo started from the
        program folder (Wine shows a program's Windows path as its Unix
        command line)."""
        programs = tuple(windows_forms(os.path.join(self.programs, "moxwin32.exe")))
        ended = []
        for entry in os.listdir("/proc"):
            try:
                with open(f"/proc/{entry}/cmdline", "rb") as line:
                    command = line.read().decode("utf-8", "replace").lower()
            except OSError:
                continue
            if command.startswith(programs):
                os.kill(int(entry), signal.SIGKILL)
                ended.append(entry)
        harness.wait_for(lambda: not any(map(running, ended)), what="the previewers to end")

    # Typing a command into the command runner dialog and running it.
    run_command = runner.CommandRunnerDialog.run_command
    click = staticmethod(runner.CommandRunnerDialog.click)

    def path(self, name):
        return os.path.join(self.papers, name)

    def read(self, name):
        with open(self.path(name), "rb") as text:
            return text.read()

    def activate(self, window, bottom=False):
        """Raises a window and clicks into it (its middle, or its status bar),
        which makes Wine activate it without a window manager."""
        harness.run("xdotool", "windowraise", window)
        x, y, width, height = harness.window_box(window)
        harness.click(x + width // 2, y + height - 6 if bottom else y + height // 2)

    def batch(self, *keys):
        """Runs an item of the batch menu on the active window's file."""
        self.activate(self.frame)
        harness.keys(self.frame, "alt+b", *keys)

    def typeset(self, name, *keys):
        """Runs a batch item that typesets name.ctx, until TeX has written
        name.dvi."""
        log = self.path(name + ".log")
        if os.path.exists(log):
            os.remove(log)
        self.batch(*keys)

        def written():
            if not os.path.exists(log):
                return False
            with open(log, encoding="latin-1") as text:
                return "Output written on" in text.read()
        harness.wait_for(written, timeout=90, what=f"TeX to write {name}.dvi")

    def save_as(self, name, *keys):
        """Answers the save dialog that the keys open with a file name."""
        harness.keys(self.frame, *keys)
        dialog = harness.wait_for_window("^另存为$")
        harness.keys(dialog, "ctrl+a")
        harness.run("xdotool", "type", "--delay", "20", harness.windows_path(self.path(name)))
        harness.keys(dialog, "Return")
        harness.wait_until_gone("^另存为$")
        harness.wait_for(lambda: os.path.exists(self.path(name)), what=f"{name} saved")

    def picture(self, dvi, page, name):
        """moxrender's drawing of a page with the previewer's options: those
        of the environment, then those of its initialization file."""
        os.makedirs(harness.ARTIFACTS, exist_ok=True)
        out = os.path.join(harness.ARTIFACTS, f"cycle-{name}-expected.png")
        harness.run(MOXRENDER, "--strict", "--page", str(page), "--out", out,
                    f"-P{self.pk}/dpi$d", f"-I{self.hz}", f"-Z{ZOOM}", *self.installed_options(),
                    dvi, timeout=120)
        return out

    def installed_options(self):
        """The options of the program folder's moxwin32.ini, their font
        folders as Unix paths."""
        options = []
        ini = os.path.join(self.programs, "moxwin32.ini")
        if not os.path.exists(ini):
            return options
        with open(ini, encoding="latin-1") as lines:
            for line in lines:
                if line.startswith("%"):  # a comment
                    continue
                for token in line.split():
                    if token[:2].upper() in ("-P", "-I"):
                        token = token[:2] + unix_path(token[2:])
                    options.append(token)
        return options

    def assert_previewer_shows(self, picture, name):
        """The page view shows the picture from its top-left corner, white
        where the picture does not reach: no pixel differs."""
        last = {}

        def same():
            geometry = with_frame("MoxwinFrame", harness.view_geometry)
            if not geometry:
                return False
            shot = harness.screenshot("root", f"cycle-{name}-screen.png")
            view = harness.crop(shot, geometry["client"], f"cycle-{name}.png")
            _, _, width, height = geometry["client"]
            expected = harness.on_white(picture, width, height, 0, 0,
                                        f"cycle-{name}-expected-view.png")
            last["count"] = harness.differing_pixels(view, expected, f"cycle-{name}-diff.png")
            return last["count"] == 0
        try:
            harness.wait_for(same, timeout=30, interval=0.5)
        except TimeoutError:
            self.fail(f"{name}: {last.get('count')} pixels of the page view differ from "
                      f"moxrender's page (see cycle-{name}*.png in {harness.ARTIFACTS})")

    def test_write_compile_preview_change_and_preview_again(self):
        harness.keys(self.frame, "alt+f", "n")
        harness.wait_for(lambda: with_frame("VareloFrame", editors) == [("Untitled", "")],
                         what="a new window")
        paste_text(self.frame, DOCUMENT)
        self.save_as("paper.ctx", "alt+f", "s")
        self.assertEqual(self.read("paper.ctx"), DOCUMENT.replace("\n", "\r\n").encode("gbk"))

        # MOXex.bat (the first item after the note and its separator), then
        # LaTeX.bat; the command runner's MOXWIN32 row starts the previewer.
        self.batch("Down", "Return")
        harness.wait_for(lambda: os.path.exists(self.path("paper.tex")), timeout=60,
                         what="mox to write paper.tex")
        self.typeset("paper", "l")
        dvi = self.path("paper.dvi")
        self.activate(self.frame)
        harness.keys(self.frame, "alt+t", "c")
        self.run_command("MOXWIN32")
        viewer = harness.wait_for_window("^paper.DVI - Page 1$", timeout=60)
        self.assert_previewer_shows(self.picture(dvi, 1, "page1"), "page1")
        harness.keys(viewer, "Next")
        harness.wait_for(lambda: harness.window_name(viewer) == "paper.DVI - Page 2",
                         what="the previewer on page 2")
        before = self.picture(dvi, 2, "page2-before")
        self.assert_previewer_shows(before, "page2-before")

        # A new line before \end{document}, saved and typeset again.
        self.activate(self.frame)
        harness.keys(self.frame, "ctrl+End", "Home")
        paste_text(self.frame, CHANGE)
        harness.keys(self.frame, "alt+f", "s")
        saved = CHANGE.replace("\n", "\r\n").encode("gbk")
        harness.wait_for(lambda: saved in self.read("paper.ctx"), what="the change saved")
        self.typeset("paper", "l")

        # Back in the previewer: the new page 2.
        self.activate(viewer, bottom=True)
        after = self.picture(dvi, 2, "page2-after")
        self.assertGreater(harness.differing_pixels(before, after), 0, "the change shows")
        self.assert_previewer_shows(after, "page2-after")
        self.assertEqual(harness.window_name(viewer), "paper.DVI - Page 2")

    def build_rows(self):
        """The build panel's list box, once it lists rows: its box on the
        screen and its rows."""
        for line in with_frame("VareloFrame", harness.probe, "places").splitlines():
            head, _, text = line.partition("|")
            words = head.split(" ")
            if words[1] == "ListBox" and words[2] == "v" and text.startswith(("错误", "警告")):
                return tuple(map(int, words[3:7])), text.replace("\\n", "\n").split("\n")
        return None, []

    def test_an_error_leads_to_its_line(self):
        # An undefined command on line 5 of the .ctx: LaTeX.bat runs mox and
        # LaTeX, the panel under the editors lists the error, and a
        # double-click on it puts the caret on line 5 of the .ctx.
        harness.keys(self.frame, "alt+f", "n")
        harness.wait_for(lambda: with_frame("VareloFrame", editors) == [("Untitled", "")],
                         what="a new window")
        paste_text(self.frame, ERROR_DOCUMENT)
        self.save_as("wrong.ctx", "alt+f", "s")
        self.typeset("wrong", "l")
        harness.wait_for(lambda: any(row.startswith("错误") for row in self.build_rows()[1]),
                         timeout=60, what="the build panel to list the error")
        box, rows = self.build_rows()
        index = next(i for i, row in enumerate(rows) if row.startswith("错误"))
        self.assertIn("wrong.tex:5", rows[index])
        self.assertIn("Undefined control sequence", rows[index])
        x, y, width, _ = box
        harness.run("xdotool", "mousemove", "--sync", str(x + width // 3),
                    str(y + 9 + 16 * index))
        harness.run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        harness.wait_for(lambda: caret_label() is not None and caret_label().startswith("5,"),
                         what="the caret on line 5")
        self.assertEqual([caption for caption, _ in with_frame("VareloFrame", editors)],
                         ["wrong.ctx"])
        harness.screenshot(self.frame, "cycle-build-panel.png")
        # The file saved is the first of the File menu's recent files.
        recent = [line for line in with_frame("VareloFrame", harness.probe, "menu", "0").splitlines()
                  if " &1 " in line]
        self.assertTrue(recent and recent[0].endswith("wrong.ctx"), recent)

    def test_template_compiled_and_the_tutorial(self):
        # Myctx4.ctx opens the template itself; saved under a new name, it is
        # the user's document. Compile.bat ends in the previewer.
        harness.keys(self.frame, "alt+m", "4")
        harness.wait_for(lambda: [c for c, _ in with_frame("VareloFrame", editors)] ==
                         ["myctx4.ctx"], what="the template's window")
        self.save_as("formulas.ctx", "alt+f", "a")
        self.batch("c")
        viewer = harness.wait_for_window("^formulas.dvi - Page 1$", timeout=120)
        self.assert_previewer_shows(self.picture(self.path("formulas.dvi"), 1, "template"),
                                    "template")
        self.end_previewers()

        # 帮助 > TeX 速成教程: the tutorial in the previewer, at the zoom it
        # starts with (a place remembered from an earlier run would keep its).
        places = os.path.join(self.programs, "moxwin32.POS")
        if os.path.exists(places):
            os.remove(places)
        self.activate(self.frame)
        harness.keys(self.frame, "alt+h", "t")
        harness.wait_for_window("^tutor.dvi - Page 1$", timeout=60)
        self.assert_previewer_shows(
            self.picture(os.path.join(self.programs, "tutor.dvi"), 1, "tutorial"), "tutorial")


if __name__ == "__main__":
    unittest.main(verbosity=2)
