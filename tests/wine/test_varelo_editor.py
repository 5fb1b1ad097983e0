"""Varelo.exe under Wine, driven as a user would: the file of the command
line in one editor window, the merged menu bar, typing Chinese and ASCII
with the caret label, save and reopen byte for byte, the close question
during exit, find and replace through the system's dialogs, and the text
printed on the test prefix's PostScript printer, line by line on every
page."""

import os
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

EXE = os.path.join(harness.BUILD_DIR, "frontend", "win32", "Varelo.exe")
FRAME = "^Varelo"
PRINTED = os.path.join(os.environ.get("MOX_WINE_STATE", ""), "printed.ps")
# The test printer's A4 paper at 300 dpi, and the text's margins (2 cm).
PAPER_HEIGHT = 3508
MARGIN = 236
MENU_BAR = ["文件[&F]", "编辑[&E]", "视图[&V]", "&TeX ", "批命令(&B)", "模板(&M)", "窗口(&W)",
            "帮助(&H)", "&Email"]
FRAME_MENU_BAR = ["文件(&F)"] + MENU_BAR[3:]
# Every tool-bar button has its window: none is greyed.
GREY_BUTTONS = set()


def tree():
    """(depth, class, visible, text) of every window inside the frame."""
    items = []
    for line in harness.probe("tree").splitlines():
        head, _, text = line.partition("|")
        depth, kind, shown = head.split(" ")
        items.append((int(depth), kind, shown == "v", text.replace("\\n", "\n")))
    return items


def editors():
    """(caption, text) of every editor window, in the MDI client's order."""
    found = []
    inside = False
    for depth, kind, _, text in tree():
        if depth == 0:
            inside = kind == "MDIClient"
        elif inside and depth == 1:
            found.append([text, None])
        elif inside and kind == "MoxTextEditor":
            found[-1][1] = text
    return [tuple(editor) for editor in found]


def caret_label():
    items = tree()
    for i, (_, kind, _, text) in enumerate(items):
        if kind == "Static" and text == "光标":
            return items[i + 1][3]
    return None


def bars_shown():
    """Whether the structure bar and the palette bar are shown (the frame's
    panels below the tool bar, in their order)."""
    panels = [shown for depth, kind, shown, _ in tree() if depth == 0 and kind == "MoxWindow"]
    return panels[0], panels[1]


def paste_text(window, text):
    """Types text through the clipboard, as Chinese has to be typed here."""
    # xclip stays to serve the selection: its output must not be waited for.
    subprocess.run(["xclip", "-selection", "clipboard"], input=text.encode("utf-8"),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=10)
    harness.keys(window, "ctrl+v")


class VareloTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="varelo-", dir=harness.BUILD_DIR or None)
        self.program = None

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        for name in os.listdir(self.folder):
            os.remove(os.path.join(self.folder, name))
        os.rmdir(self.folder)

    def path(self, name):
        return os.path.join(self.folder, name)

    def start(self, *args):
        self.program = harness.Program(EXE, *args, cwd=self.folder)
        frame = harness.wait_for_window(FRAME)
        harness.wait_for(lambda: harness.probe("buttons").strip(), what="the tool bar")
        return frame

    def box(self, caption):
        """The text of the message box of that caption, once it shows."""
        harness.wait_for_window(f"^{caption}$")
        return harness.wait_for(lambda: harness.dialog_text()[1], what=f"the text of {caption}")

    def answer(self, caption, *keys):
        window = harness.wait_for_window(f"^{caption}$")
        harness.keys(window, *keys)
        harness.wait_until_gone(f"^{caption}$")

    def save_as(self, frame, path):
        """Answers the save dialog that the key opens with a path."""
        harness.keys(frame, *self.save_keys)
        dialog = harness.wait_for_window("^另存为$")
        harness.screenshot(dialog, "varelo-save-dialog.png")
        harness.keys(dialog, "ctrl+a")
        harness.run("xdotool", "type", "--delay", "20", harness.windows_path(path))
        harness.keys(dialog, "Return")
        harness.wait_until_gone("^另存为$")

    save_keys = ("alt+f", "s")

    def test_file_argument_opens_one_window_under_the_merged_menus(self):
        # GBK with CR LF, and bytes that are no GBK character.
        source = "\\title{中文}\r\n第二行\r\n".encode("gbk") + b"\xff end\r\n"
        with open(self.path("paper.ctx"), "wb") as f:
            f.write(source)
        frame = self.start(harness.windows_path(self.path("paper.ctx")))
        harness.wait_for(editors, what="an editor window")
        harness.screenshot("root", "varelo-frame.png")
        (caption, text), = editors()
        self.assertEqual(caption, "paper.ctx")
        self.assertEqual(text, "\\title{中文}\n第二行\n\uf7ff end\n")
        self.assertEqual(harness.window_name(frame), "Varelo - [paper.ctx]")
        self.assertEqual(harness.probe("menubar").splitlines(), MENU_BAR)
        buttons = [line.split(" ", 4) for line in harness.probe("buttons").splitlines()]
        self.assertEqual(["新建", "打开", "保存", "复制", "粘贴", "剪切", "查找", "替换", "控制",
                          "符号", "编译", "助手", "短语", "资源", "DOS", "LaTeX", "PcTeX",
                          "MiKTeX", "教程", "关于", "退出"], [b[4] for b in buttons])
        self.assertEqual({int(b[0]) for b in buttons if b[1] == "grey"}, GREY_BUTTONS)
        # The structure bar starts hidden, the palette bar shown; "控制"
        # twice and "符号" once leave both hidden.
        self.assertEqual(bars_shown(), (False, True))
        by_id = {int(b[0]): (int(b[2]), int(b[3])) for b in buttons}
        for command in (202, 202, 203):
            harness.click(*by_id[command])
        harness.wait_for(lambda: bars_shown() == (False, False), what="both bars hidden")
        # Unchanged, the file is saved as it was (a new file in its place).
        before = os.stat(self.path("paper.ctx")).st_ino
        harness.keys(frame, "alt+f", "s")
        harness.wait_for(lambda: os.stat(self.path("paper.ctx")).st_ino != before,
                         what="the file written")
        with open(self.path("paper.ctx"), "rb") as f:
            self.assertEqual(f.read(), source)
        # Without an editor the frame's own menus are back.
        harness.keys(frame, "alt+f", "c")
        harness.wait_for(lambda: not editors(), what="the window closed")
        self.assertEqual(harness.probe("menubar").splitlines(), FRAME_MENU_BAR)
        self.assertEqual(caret_label(), "")
        self.assertEqual(bars_shown(), (False, False))

    def test_typed_text_and_caret_label_saved_and_read_back(self):
        frame = self.start()
        self.assertEqual(editors(), [])
        harness.keys(frame, "alt+f", "n")
        harness.wait_for(lambda: editors() == [("Untitled", "")], what="a new window")
        harness.run("xdotool", "type", "--delay", "40", "abc")
        paste_text(frame, "中文")
        harness.wait_for(lambda: caret_label() == "1,8", what="the caret after 中文")
        harness.keys(frame, "Return")
        harness.run("xdotool", "type", "--delay", "40", "x")
        harness.wait_for(lambda: caret_label() == "2,2", what="the caret on line 2")
        harness.keys(frame, "Home")
        harness.wait_for(lambda: caret_label() == "2,1", what="the caret at the line start")
        harness.screenshot("root", "varelo-typed.png")
        # An untitled window's save asks for a name.
        self.save_as(frame, self.path("typed.ctx"))
        harness.wait_for(lambda: os.path.exists(self.path("typed.ctx")))
        with open(self.path("typed.ctx"), "rb") as f:
            self.assertEqual(f.read(), "abc中文\r\nx".encode("gbk"))
        self.assertEqual(editors(), [("typed.ctx", "abc中文\nx")])
        # Opened again in a second window, the text is the same.
        harness.keys(frame, "alt+f", "o")
        dialog = harness.wait_for_window("^打开$")
        harness.run("xdotool", "type", "--delay", "20", harness.windows_path(self.path("typed.ctx")))
        harness.keys(dialog, "Return")
        harness.wait_for(lambda: len(editors()) == 2, what="the second window")
        self.assertEqual(editors()[1], ("typed.ctx", "abc中文\nx"))

    def test_cancel_at_the_close_question_keeps_the_program_running(self):
        with open(self.path("a.tex"), "wb") as f:
            f.write("\\section{草稿}\n".encode("utf-8"))
        # A relative name: the window names the file by its full path.
        frame = self.start("a.tex")
        harness.wait_for(editors, what="an editor window")
        paste_text(frame, "改")
        harness.keys(frame, "alt+f", "x")
        text = self.box("确认")
        self.assertEqual(text, f"文件 {harness.windows_path(self.path('a.tex'))} 已改变, 是否保存?")
        harness.screenshot("root", "varelo-close-question.png")
        self.answer("确认", "Escape")
        self.assertTrue(self.program.running())
        self.assertEqual(len(editors()), 1)
        # Yes saves (a UTF-8 source stays UTF-8, its LF ends kept) and ends.
        harness.keys(frame, "alt+f", "x")
        self.answer("确认", "y")
        self.assertEqual(self.program.wait(), 0)
        with open(self.path("a.tex"), "rb") as f:
            self.assertEqual(f.read(), "改\\section{草稿}\n".encode("utf-8"))

    def find_and_replace_chinese(self, env=None):
        """Find and replace through the program's own dialogs, Chinese text
        pasted into them, with the count of Replace All and one undo."""
        # 丂 is 0x81 0x41 in GBK: its trail byte is the letter A.
        with open(self.path("r.ctx"), "wb") as f:
            f.write("丂A中a\r\n丂Ab\r\n中文 段落 中文\r\n".encode("gbk"))
        self.program = harness.Program(EXE, harness.windows_path(self.path("r.ctx")),
                                       cwd=self.folder, env=env)
        frame = harness.wait_for_window(FRAME)
        harness.wait_for(editors, what="an editor window")
        harness.keys(frame, "ctrl+h")
        dialog = harness.wait_for_window("^替换$")
        harness.run("xdotool", "type", "--delay", "40", "a")
        harness.keys(dialog, "Tab")
        harness.run("xdotool", "type", "--delay", "40", "xy")
        harness.screenshot(dialog, "varelo-replace-dialog.png")
        harness.keys(dialog, "alt+a")  # 全部替换
        self.assertEqual(self.box("Varelo"), "已替换 3 处.")
        self.answer("Varelo", "Return")
        replaced = "丂xy中xy\n丂xyb\n中文 段落 中文\n"
        self.assertEqual(editors()[0][1], replaced)
        # Chinese in both boxes, the whole text: every 中文, however far up.
        harness.keys(dialog, "alt+n")
        paste_text(dialog, "中文")
        harness.keys(dialog, "alt+p")
        paste_text(dialog, "汉语")
        harness.keys(dialog, "alt+t", "alt+a")
        self.assertEqual(self.box("Varelo"), "已替换 2 处.")
        self.answer("Varelo", "Return")
        self.assertEqual(editors()[0][1], "丂xy中xy\n丂xyb\n汉语 段落 汉语\n")
        harness.keys(dialog, "Escape")
        harness.wait_until_hidden("^替换$")
        # One undo takes the whole replacement back.
        harness.keys(frame, "ctrl+z")
        harness.wait_for(lambda: editors()[0][1] == replaced, what="the replacement undone")
        # Chinese found from the top; the caret label shows where.
        harness.keys(frame, "ctrl+Home", "ctrl+f")
        dialog = harness.wait_for_window("^查找$")
        paste_text(dialog, "段落")
        harness.keys(dialog, "Return")
        harness.wait_for(lambda: caret_label() == "3,10", what="段落 found on line 3")
        # A text that is not there is reported.
        harness.keys(dialog, "alt+n")
        harness.run("xdotool", "type", "--delay", "40", "zz")
        harness.keys(dialog, "Return")
        self.assertEqual(self.box("Varelo"), '未能查找到"zz".')
        self.answer("Varelo", "Return")

    def test_find_and_replace_chinese_under_code_page_1252(self):
        self.find_and_replace_chinese()

    def test_find_and_replace_chinese_under_code_page_936(self):
        with harness.chinese_code_page() as env:
            try:
                self.find_and_replace_chinese(env)
            finally:
                if self.program is not None:
                    self.program.kill()

    def test_printing_puts_every_line_on_its_place_on_every_page(self):
        # Every fourth line empty: the printed lines show where each line went.
        lines = ["" if n % 4 == 0 else f"第{n:03d}行 line {n} 中文" for n in range(1, 161)]
        with open(self.path("print.ctx"), "wb") as f:
            f.write("\r\n".join(lines).encode("gbk"))
        frame = self.start(harness.windows_path(self.path("print.ctx")))
        harness.wait_for(editors, what="an editor window")
        if os.path.exists(PRINTED):
            os.remove(PRINTED)
        harness.keys(frame, "alt+f", "p")
        harness.wait_for(lambda: harness.dialog_text()[0] == "Print", what="the print dialog")
        self.assertTrue(harness.click_control("OK"))

        def job_done():
            if not os.path.exists(PRINTED):
                return False
            with open(PRINTED, "rb") as f:
                return f.read().rstrip().endswith(b"%%EOF")
        harness.wait_for(job_done, timeout=120, what="the printed file")
        with open(PRINTED, "rb") as f:
            self.assertIn(b"%%Title: " + harness.windows_path(self.path("print.ctx")).encode(),
                          f.read())
        subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pnggray",
                        "-r300", "-sOutputFile=" + self.path("page-%d.png"), PRINTED],
                       check=True, timeout=120)
        pages = sorted((n for n in os.listdir(self.folder) if n.startswith("page-")),
                       key=lambda n: int(n[5:-4]))
        harness.run("cp", self.path(pages[0]), os.path.join(harness.ARTIFACTS,
                                                           "varelo-printed-1.png"))
        # The rows of each page where ink begins after a blank row.
        tops = []
        for name in pages:
            rows = subprocess.run(["convert", self.path(name), "-threshold", "50%", "-scale",
                                   f"1x{PAPER_HEIGHT}!", "-depth", "8", "gray:-"],
                                  capture_output=True, check=True, timeout=60).stdout
            tops.append([y for y in range(1, len(rows)) if rows[y] < 255 and rows[y - 1] == 255])
        # The line height, from lines printed one after the other.
        pitch = min(b - a for a, b in zip(tops[0], tops[0][1:]))
        first = tops[0][0]
        self.assertTrue(MARGIN <= first < MARGIN + pitch, (first, pitch))
        per_page = (PAPER_HEIGHT - 2 * MARGIN) // pitch
        expected = [[] for _ in range((len(lines) + per_page - 1) // per_page)]
        for n, line in enumerate(lines):
            if line:
                expected[n // per_page].append(first + (n % per_page) * pitch)
        self.assertEqual(len(tops), len(expected))
        for page, (found, wanted) in enumerate(zip(tops, expected), start=1):
            self.assertEqual(found, wanted, f"page {page}")


if __name__ == "__main__":
    unittest.main(verbosity=2)
