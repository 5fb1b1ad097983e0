"""Start-up of moxwin32.exe under Wine: options errors, the frame in both
languages, the initialization file, the About box and Quit."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

EXE = os.path.join(harness.BUILD_DIR, "previewer", "shell", "moxwin32.exe")
ENGLISH_TITLE = "MOX DVI Previewer for Windows, v1.3pl2"
CHINESE_TITLE = "MOX DVI 显示程序1.3版第2修订版"
STATUS_FIELD = 'Use cmdline option "-e" for English menu and messages'

# The tool bar: English command ids and the separator widths after them.
TOOL_BAR = [(101, 3), (103, 10), (151, 3), (152, 3), (153, 3), (154, 10),
            (131, 3), (132, 3), (133, 3), (134, 10), (161, 3), (162, 3),
            (163, 3), (164, 3), (165, 3), (166, 0)]


def expected_tool_bar(offset):
    """Probe lines of the tool bar without a document: only Open enabled."""
    lines = []
    for command, separator in TOOL_BAR:
        state = "enabled" if command == 101 else "grey"
        lines.append(f"button {command + offset} {state}")
        if separator:
            lines.append(f"separator {separator}")
    return lines


class PreviewerStartup(unittest.TestCase):
    def setUp(self):
        self.copy = harness.ProgramCopy(EXE)
        self.program = None

    def tearDown(self):
        if self.program is not None:
            self.program.kill()
        self.copy.remove()

    def start(self, *args):
        self.program = harness.Program(self.copy.exe, *args, cwd=self.copy.folder)
        return self.program

    def assert_single_error_box_then_exit_2(self, caption="Error message"):
        box = harness.wait_for_window(f"^{caption}$")
        self.assertEqual(len(harness.windows_named(f"^{caption}$")), 1)
        self.assertEqual(harness.windows_named("^MOX DVI"), [], "no frame before the box")
        shown_caption, text = harness.dialog_text()
        self.assertEqual(shown_caption, caption)
        harness.screenshot(box, "startup-error-box.png")
        harness.keys(box, "Return")
        self.assertEqual(self.program.wait(), 2)
        self.assertEqual(harness.windows_named("^MOX DVI"), [], "no frame after the box")
        return text

    def test_invalid_option_shows_one_box_naming_the_program_and_exits_2(self):
        self.start("-Q7")
        text = self.assert_single_error_box_then_exit_2()
        program = harness.windows_path(self.copy.exe)
        self.assertEqual(text, f'{program}:\n\nInvalid option "-Q7" in the command line.')

    def test_invalid_option_in_chinese(self):
        self.start("-C", "-Q7")
        text = self.assert_single_error_box_then_exit_2("错误信息")
        program = harness.windows_path(self.copy.exe)
        self.assertEqual(text, f'{program}:\n\n非法可选项 "-Q7"(出现在命令行中)')

    def test_an_unreadable_line_of_the_initialization_file_is_named_and_skipped(self):
        ini_path = self.copy.path("moxwin32.INI")
        content = b"% options of this test\r\n-R300\r\n-U7\r\n"
        with open(ini_path, "wb") as ini:
            ini.write(content)
        self.start()
        box = harness.wait_for_window("^Warning$")
        self.assertEqual(harness.windows_named("^MOX DVI"), [], "the box before the frame")
        _, text = harness.dialog_text()
        windows_ini = harness.windows_path(self.copy.exe)[:-3] + "INI"
        self.assertEqual(text, f'These lines of the initialization file\n"{windows_ini}"\n'
                               'cannot be read and were ignored (the file is left as it is):\n'
                               'line 3: Invalid option "-U7" ')
        harness.keys(box, "Return")
        frame = harness.wait_for_window("^" + ENGLISH_TITLE.replace(".", r"\.") + "$")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)
        with open(ini_path, "rb") as ini:
            self.assertEqual(ini.read(), content)

    def test_english_frame_then_ctrl_x_ends_with_code_0(self):
        self.start()
        frame = harness.wait_for_window("^" + ENGLISH_TITLE.replace(".", r"\.") + "$")
        self.assertEqual(harness.window_name(frame), ENGLISH_TITLE)
        # No document: the page view is mid grey (once it has been painted).
        def painted_grey():
            shot = harness.screenshot(frame, "startup-english.png")
            width, height = harness.image_size(shot)
            return harness.pixel(shot, width // 2, height // 2) == (128, 128, 128) and shot
        shot = harness.wait_for(painted_grey, what="the grey page view")
        width, height = harness.image_size(shot)
        self.assertGreaterEqual(width, 300)
        self.assertGreaterEqual(height, 300)
        self.assertEqual(harness.probe("status").splitlines(), [""], "no text field")
        self.assertEqual(harness.probe("toolbar").splitlines(), expected_tool_bar(0))
        # The menu is the English one: its items show the English hints.
        harness.keys(frame, "alt+f")
        harness.wait_for(lambda: harness.probe("status").splitlines() == ["Open a DVI file"],
                         what="the hint of Open")
        harness.keys(frame, "Down")
        harness.wait_for(
            lambda: harness.probe("status").splitlines() == ["Close current DVI file"],
            what="the hint of Close")
        harness.screenshot("root", "startup-english-menu.png")
        harness.keys(frame, "Escape", "Escape")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

    def test_chinese_frame_with_chinese_caption(self):
        self.start("-C")
        frame = harness.wait_for_window("^MOX DVI ")
        self.assertEqual(harness.window_name(frame), CHINESE_TITLE)
        harness.screenshot(frame, "startup-chinese.png")
        self.assertEqual(harness.probe("status").splitlines(), ["", "\t" + STATUS_FIELD])
        self.assertEqual(harness.probe("toolbar").splitlines(), expected_tool_bar(10000))
        harness.keys(frame, "alt+f")
        harness.wait_for(lambda: harness.probe("status").splitlines()[:1] == ["打开DVI文件"],
                         what="the Chinese hint of Open")
        harness.screenshot("root", "startup-chinese-menu.png")
        harness.keys(frame, "Escape", "Escape")
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

    def test_about_opens_and_closes(self):
        self.start()
        frame = harness.wait_for_window("^MOX DVI ")
        harness.keys(frame, "alt+h", "a")
        about = harness.wait_for_window("^Author Information$")
        harness.screenshot(about, "about.png")
        harness.keys(about, "Return")
        harness.wait_until_gone("^Author Information$")
        self.assertTrue(self.program.running())
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
