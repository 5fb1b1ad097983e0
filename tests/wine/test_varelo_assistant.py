"""Varelo's TeX command assistant, user phrases and structure bar under
Wine, with tex.txt and usermac.txt in the program folder: a topic button
opens the assistant at its keyword's first row, its entries and phrases go
into the editor, the inserting buttons paste through the phrase box, and an
edited phrase is saved (the old file kept as usermac.bak, description and
phrase in their places after a column was dragged) and read again at the
next start."""

import os
import shutil
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EDITOR = os.path.join(harness.BUILD_DIR, "frontend", "win32", "Varelo.exe")
DATA = os.path.join(REPO, "frontend", "data")
STRUCTURE_BUTTON, PHRASES_BUTTON = 202, 113
ASSISTANT = "命令输入助手$"
PHRASES = "自定义术语短句输入助手$"


def data_lines(name):
    with open(os.path.join(DATA, name), "rb") as data:
        return data.read().split(b"\r\n")


def first_row_containing(keyword):
    """The assistant's row for a keyword, as the program finds it: the
    first line whose 18-byte description holds the keyword's GBK bytes."""
    wanted = keyword.encode("gbk")
    return next(i for i, line in enumerate(data_lines("tex.txt")) if wanted in line[:18])


def grid(row, column):
    """(top row, selected row, (x, y) of cell row/column or None) of the
    visible dialog's grid."""
    words = harness.probe("grid", str(row), str(column)).split()
    point = None if words[5] == "-" else (int(words[5]), int(words[6]))
    return int(words[1]), int(words[3]), point


def edit_cell(row, column):
    """Clicks a cell of the visible dialog's grid and waits until its row is
    the current one and the cell editor has the keys: typed at once, under
    load the first keys could reach the grid before its editor moved."""
    harness.click(*grid(row, column)[2])
    harness.wait_for(lambda: grid(row, column)[1] == row and harness.focus_owner()[1] == "Edit",
                     what=f"the editor of cell {row}, {column}")


def dialog_edit():
    return next(text for kind, text in harness.dialog_texts() if kind == "Edit")


def editor_text():
    lines = harness.probe("tree").splitlines()
    return next(line.partition("|")[2] for line in lines if " MoxTextEditor " in line)


def place_of(text):
    """The middle on the screen of the frame's visible control with this text."""
    for line in harness.probe("places").splitlines():
        head, _, caption = line.partition("|")
        words = head.split()
        if caption == text and words[2] == "v":
            x, y, width, height = (int(v) for v in words[3:7])
            return x + width // 2, y + height // 2
    return None


def drag(start, end):
    """Drags with the left button pressed, in steps, as a hand would."""
    harness.run("xdotool", "mousemove", "--sync", str(start[0]), str(start[1]), "mousedown", "1")
    for step in range(1, 9):
        x = start[0] + (end[0] - start[0]) * step // 8
        harness.run("xdotool", "mousemove", "--sync", str(x), str(end[1]))
    harness.run("xdotool", "mouseup", "1")


class AssistantAndPhrases(unittest.TestCase):
    def setUp(self):
        self.programs = tempfile.mkdtemp(prefix="assistant-", dir=harness.BUILD_DIR or None)
        shutil.copy(EDITOR, self.programs)
        for name in ("tex.txt", "usermac.txt"):
            shutil.copy(os.path.join(DATA, name), self.programs)
        self.source = os.path.join(self.programs, "paper.tex")
        open(self.source, "w").close()
        self.program = None

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        shutil.rmtree(self.programs, ignore_errors=True)

    def start(self):
        if self.program is not None:
            self.program.kill()
        self.program = harness.Program(os.path.join(self.programs, "Varelo.exe"),
                                       harness.windows_path(self.source), cwd=self.programs)
        frame = harness.wait_for_window("^Varelo")
        harness.wait_for(lambda: harness.probe("buttons").strip(), what="the tool bar")
        return frame

    def tool_button(self, command):
        buttons = [line.split(" ", 4) for line in harness.probe("buttons").splitlines()]
        harness.click(*next((int(b[2]), int(b[3])) for b in buttons if int(b[0]) == command))

    def press(self, caption):
        harness.click(*harness.wait_for(lambda: place_of(caption), what=f"button {caption}"))

    def choose(self, key):
        """Presses a button of the dialog in front by its underlined letter
        (the probe's arguments cannot carry Chinese); waits for the dialog
        to hide."""
        harness.run("xdotool", "key", key)
        harness.wait_for(lambda: not harness.windows_named(ASSISTANT, visible_only=True) and
                         not harness.windows_named(PHRASES, visible_only=True),
                         what="the dialog to hide")

    def test_structure_bar_opens_the_assistant_and_inserts(self):
        self.start()
        self.tool_button(STRUCTURE_BUTTON)
        # 作图 looks for 图表: that row first in the list and selected, its
        # text (with a space on each side) ready to insert.
        self.press("作图")
        dialog = harness.wait_for_window(ASSISTANT)
        row = first_row_containing("图表")
        top, selected, _ = harness.wait_for(lambda: grid(0, 0)[1] == row and grid(0, 0),
                                            what="the 图表 row selected")
        self.assertEqual(top, row)
        command = data_lines("tex.txt")[row][18:].rstrip(b" ").decode("gbk")
        self.assertEqual(dialog_edit(), f" {command} ")
        harness.screenshot(dialog, "varelo-assistant.png")
        self.choose("alt+y")  # 选择[&Y]
        text = f" {command} "
        harness.wait_for(lambda: editor_text() == text, what="the entry in the editor")

        # 上下标 and 回车 paste through the phrase box, after the entry; the
        # box keeps the line break whole.
        self.press("上下标")
        self.press("回车")
        text += "{}_{}^{}\\n"  # the probe writes a line break as \n
        harness.wait_for(lambda: editor_text() == text, what="the scripts and the line break")

        # 框盒's entry inserted by the key of 选择[&Y]; a click on a row
        # makes its text the one to insert, a double-click inserts it.
        self.press("框盒")
        harness.wait_for_window(ASSISTANT)
        row = first_row_containing("框盒")
        harness.wait_for(lambda: grid(0, 0)[0] == row, what="the 框盒 row on top")
        self.choose("alt+y")
        harness.wait_for(lambda: editor_text().endswith(" "), what="the 框盒 entry")
        text = editor_text()
        self.tool_button(112)  # 助手
        harness.wait_for_window(ASSISTANT)
        _, _, point = grid(row + 2, 1)
        harness.click(*point)
        clicked = data_lines("tex.txt")[row + 2][18:].rstrip(b" ").decode("gbk")
        harness.wait_for(lambda: dialog_edit() == f" {clicked} ", what="the clicked row's text")
        harness.run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        text += f" {clicked} "
        harness.wait_for(lambda: editor_text() == text, what="the double-clicked entry")

    def test_edited_phrase_is_inserted_saved_and_read_again(self):
        frame = self.start()
        with open(os.path.join(self.programs, "usermac.txt"), "rb") as phrases:
            original = phrases.read()
        self.tool_button(PHRASES_BUTTON)
        dialog = harness.wait_for_window(PHRASES)
        # Row 2's phrase typed over; Tab moves the editor to row 3's
        # description.
        edit_cell(2, 1)
        harness.run("xdotool", "type", "--delay", "40", "\\emph{new}")
        harness.run("xdotool", "key", "Tab")
        harness.wait_for(lambda: grid(3, 0)[1] == 3, what="the editor on row 3")
        harness.run("xdotool", "type", "--delay", "40", "Theorem")
        harness.click(*grid(2, 0)[2])  # a click on the row: its phrase to insert
        harness.wait_for(lambda: dialog_edit() == "\\emph{new}", what="the edited phrase")
        harness.screenshot(dialog, "varelo-phrases.png")
        self.choose("alt+y")
        harness.wait_for(lambda: editor_text() == "\\emph{new}", what="the phrase in the editor")

        # The phrase column dragged in front of the description: the file
        # keeps the description first.
        self.tool_button(PHRASES_BUTTON)
        harness.wait_for_window(PHRASES)
        (left, y), (right, _) = grid(0, 0)[2], grid(0, 1)[2]
        drag((right, y - 21), (left - 80, y - 21))
        harness.wait_for(lambda: grid(0, 1)[2][0] < grid(0, 0)[2][0], what="the columns swapped")
        harness.run("xdotool", "key", "alt+s")  # 存盘[&S]
        box = harness.wait_for_window("^关于自定义术语短句$")
        harness.keys(box, "Return")
        harness.wait_until_gone("^关于自定义术语短句$")
        harness.wait_for(lambda: not harness.windows_named(PHRASES, visible_only=True),
                         what="the phrase dialog to hide")
        with open(os.path.join(self.programs, "usermac.txt"), "rb") as phrases:
            saved = phrases.read().split(b"\r\n")
        before = original.split(b"\r\n")
        self.assertEqual(saved[2], before[2][:18] + b"\\emph{new}")
        self.assertEqual(saved[3][:18], b"Theorem".ljust(18))
        self.assertEqual(saved[3][18:], before[3][18:].rstrip(b" "))
        with open(os.path.join(self.programs, "usermac.bak"), "rb") as backup:
            self.assertEqual(backup.read(), original)

        # The next start reads the saved phrases.
        self.start()
        self.tool_button(PHRASES_BUTTON)
        harness.wait_for_window(PHRASES)
        harness.click(*grid(2, 1)[2])
        harness.wait_for(lambda: dialog_edit() == "\\emph{new}", what="the saved phrase")
        del frame


if __name__ == "__main__":
    unittest.main(verbosity=2)
