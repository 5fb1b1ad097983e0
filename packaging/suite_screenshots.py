"""Starts the installed Varelo on a source file and the installed previewer
on a document, saves a screenshot of each window and ends both.

    suite_screenshots.py PROGRAM_FOLDER OUTPUT_FOLDER SOURCE DOCUMENT

SOURCE and DOCUMENT as Windows paths; the screenshots are
varelo-screenshot.png and moxwin32-screenshot.png in OUTPUT_FOLDER."""

import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                                "tests", "wine"))
import harness  # noqa: E402


def photograph(window, output):
    shot = harness.screenshot(window, os.path.basename(output))
    if os.path.abspath(shot) != os.path.abspath(output):
        shutil.move(shot, output)


def main():
    folder, output, source, document = sys.argv[1:]
    # One after the other: without a window manager the later window covers
    # the earlier one.
    editor = harness.Program(os.path.join(folder, "Varelo.exe"), source)
    viewer = None
    try:
        frame = harness.wait_for_window("^Varelo", timeout=60)
        harness.wait_for(lambda: "sample.ctx" in harness.window_name(frame),
                         what="the sample's source in Varelo")
        time.sleep(1)
        photograph(frame, os.path.join(output, "varelo-screenshot.png"))
        viewer = harness.Program(os.path.join(folder, "moxwin32.exe"), document)
        page = harness.wait_for_window("^sample.dvi - Page [-0-9]+$", timeout=60)
        # The first paint opens the document; give it a moment to draw.
        time.sleep(2)
        photograph(page, os.path.join(output, "moxwin32-screenshot.png"))
    finally:
        if viewer:
            viewer.kill()
        editor.kill()


if __name__ == "__main__":
    main()
