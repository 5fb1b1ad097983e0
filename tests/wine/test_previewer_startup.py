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

    def error_box_text(self, box):
        # A message box copies its caption, text and buttons on Ctrl+C.
        harness.clear_clipboard()
        harness.keys(box, "ctrl+c")
        return harness.wait_for(harness.clipboard_text, what="message box text")

    def assert_single_error_box_then_exit_2(self):
        box = harness.wait_for_window("^Error message$")
        harness.wait_for(lambda: True, timeout=1)
        self.assertEqual(len(harness.windows_named("^Error message$")), 1)
        self.assertEqual(harness.windows_named("^MOX DVI"), [], "no frame before the box")
        text = self.error_box_text(box)
        harness.keys(box, "Return")
        self.assertEqual(self.program.wait(), 2)
        self.assertEqual(harness.windows_named("^MOX DVI"), [], "no frame after the box")
        return text

    def test_invalid_option_shows_one_box_naming_the_program_and_exits_2(self):
        self.start("-Q7")
        text = self.assert_single_error_box_then_exit_2()
        program = harness.windows_path(self.copy.exe)
        body = text.split("\n")
        self.assertIn(program + ":", [line.strip() for line in body])
        self.assertIn('Invalid option "-Q7" in the command line.', text)

    def test_invalid_option_in_the_initialization_file_names_the_file(self):
        with open(self.copy.path("moxwin32.INI"), "w", newline="\r\n") as ini:
            ini.write("% options of this test\n-R300\n-U7\n")
        self.start()
        text = self.assert_single_error_box_then_exit_2()
        ini_path = harness.windows_path(self.copy.exe)[:-3] + "INI"
        self.assertIn('Invalid option "-U7" in the initialization file', text)
        self.assertIn(f'"{ini_path}".', text)

    def test_english_frame_then_ctrl_x_ends_with_code_0(self):
        self.start()
        frame = harness.wait_for_window("^" + ENGLISH_TITLE.replace(".", r"\.") + "$")
        self.assertEqual(harness.window_name(frame), ENGLISH_TITLE)
        shot = harness.screenshot(frame, "startup-english.png")
        width, height = harness.image_size(shot)
        self.assertGreaterEqual(width, 300)
        self.assertGreaterEqual(height, 300)
        # No document: the page view is mid grey.
        self.assertEqual(harness.pixel(shot, width // 2, height // 2), (128, 128, 128))
        harness.keys(frame, "ctrl+x")
        self.assertEqual(self.program.wait(), 0)

    def test_chinese_frame_with_chinese_caption(self):
        self.start("-C")
        frame = harness.wait_for_window("^MOX DVI ")
        self.assertEqual(harness.window_name(frame), CHINESE_TITLE)
        harness.screenshot(frame, "startup-chinese.png")
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
