"""The suite as a user gets it: the x86_64 installer package of this build
(MOX_MSI, else made here by tools/make-msi.sh) installed silently by msiexec
into a folder whose path has a blank, then the installed programs run from
there: Varelo's tutorial item starts the installed previewer on the installed
tutorial, which finds every font in the folder (no message); then the
working-cycle scenario runs against the installed folder; at last the
package is removed again."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PREFIX = os.environ.get("WINEPREFIX", "")
WORKING_CYCLE = os.path.join(REPO, "tests", "wine", "test_working_cycle.py")


def installer_package():
    """The package to install: MOX_MSI, or one made from this build."""
    given = os.environ.get("MOX_MSI")
    if given:
        return given
    out = os.path.join(harness.BUILD_DIR, "installer-test")
    made = harness.run(os.path.join(REPO, "tools", "make-msi.sh"), "--out", out,
                       harness.BUILD_DIR, timeout=300)
    return made.split()[-1]


def msiexec(*args):
    return subprocess.run([harness.WINE, "msiexec", *args], capture_output=True,
                          timeout=300, check=False).returncode


def start_menu_links():
    return sorted(os.path.basename(p) for p in glob.glob(
        os.path.join(PREFIX, "drive_c", "users", "*", "AppData", "Roaming", "Microsoft",
                     "Windows", "Start Menu", "Programs", "Varelo", "*.lnk")))


class InstalledSuite(unittest.TestCase):
    def setUp(self):
        # A folder of the test's own on drive Z:, whose Unix path the TeX
        # the scenario runs can take (a path through the prefix's drive C:
        # has a colon, which separates TeX's search paths).
        self.root = tempfile.mkdtemp(prefix="installed-", dir=harness.BUILD_DIR or None)
        self.folder = os.path.join(self.root, "MOX Suite", "Varelo")

    def tearDown(self):
        shutil.rmtree(self.root, ignore_errors=True)

    def test_install_run_and_remove(self):
        package = installer_package()
        self.assertEqual(msiexec("/i", harness.windows_path(package), "/qn",
                                 f"INSTALLDIR={harness.windows_path(self.folder)}"), 0)
        for name in ("Varelo.exe", "moxwin32.exe", "MAKEPK.EXE", "texlog.exe", "moxwin32.ini",
                     "HZFONTS/ccfonts.def", "PIXEL/DPI600/cmr10.PK", "Batch/latex.bat",
                     "texmf/fonts/tfm/mox/ccdummy.tfm"):
            self.assertTrue(os.path.isfile(os.path.join(self.folder, name)), name)
        self.assertEqual(start_menu_links(),
                         ["Uninstall Varelo.lnk", "Varelo.lnk", "moxwin32.lnk"])

        with self.subTest("the installed programs"):
            self.run_tutorial_from_varelo()
        with self.subTest("the working cycle in the installed folder"):
            if not os.path.exists(WORKING_CYCLE):
                self.skipTest("no working-cycle scenario in this tree")
            cycle = subprocess.run([sys.executable, WORKING_CYCLE],
                                   env=dict(os.environ, MOX_PROGRAM_DIR=self.folder),
                                   capture_output=True, text=True, timeout=600, check=False)
            self.assertEqual(cycle.returncode, 0, cycle.stdout + cycle.stderr)

        # Removing takes the programs and the start menu entries away; the
        # files that hold the user's settings stay, as the user left them.
        with open(os.path.join(self.folder, "usermac.txt"), "ab") as phrases:
            phrases.write(b"mine\t\\mine\r\n")
        self.assertEqual(msiexec("/x", harness.windows_path(package), "/qn"), 0)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "Varelo.exe")))
        self.assertEqual(start_menu_links(), [])
        self.assertTrue(os.path.isfile(os.path.join(self.folder, "moxwin32.ini")))
        with open(os.path.join(self.folder, "usermac.txt"), "rb") as phrases:
            self.assertTrue(phrases.read().endswith(b"mine\t\\mine\r\n"))

    def run_tutorial_from_varelo(self):
        editor = harness.Program(os.path.join(self.folder, "Varelo.exe"), cwd=self.folder)
        try:
            frame = harness.wait_for_window("^Varelo", timeout=60)
            harness.wait_for(lambda: harness.probe("buttons").strip(), what="the tool bar")
            harness.screenshot(frame, "installed-varelo.png")
            harness.keys(frame, "alt+h", "t")  # 帮助 > TeX 速成教程
            viewer = harness.wait_for_window("^tutor.dvi - Page 1$", timeout=60)
            # A font the folder lacks would have been named in a message by now.
            self.assertEqual(harness.dialog_text(), (None, ""))
            shot = harness.screenshot(viewer, "installed-tutorial.png")
            self.assertGreater(harness.colour_count(shot), 2)
            harness.keys(viewer, "ctrl+x")
            harness.wait_until_gone("^tutor.dvi - Page")
        finally:
            editor.kill()


if __name__ == "__main__":
    unittest.main(verbosity=2)
