"""Starts a Windows program with arguments, waits for the previewer's frame,
saves a screenshot of it and closes the program again.

    screenshot.py OUTPUT.png PROGRAM.exe [ARGUMENTS...]
"""

import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def main():
    output, exe, *arguments = sys.argv[1:]
    program = harness.Program(exe, *arguments)
    try:
        frame = harness.wait_for_window("^MOX DVI | - Page [-0-9]+$", timeout=60)
        # The first paint opens the document; give it a moment to draw.
        time.sleep(2)
        shot = harness.screenshot(frame, os.path.basename(output))
        if os.path.abspath(shot) != os.path.abspath(output):
            shutil.move(shot, output)
        harness.keys(frame, "ctrl+x")
        program.wait(timeout=20)
    finally:
        program.kill()


if __name__ == "__main__":
    main()
