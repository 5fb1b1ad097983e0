"""Driving Windows programs of this build under Wine, as a person would:
start them, find their windows by caption, press keys, read the clipboard
and take screenshots. Runs inside `wine-env shell`, which sets DISPLAY,
WINEPREFIX and MOX_WINE."""

import os
import re
import shutil
import subprocess
import tempfile
import time

WINE = os.environ.get("MOX_WINE", "/usr/lib/wine/wine64")
BUILD_DIR = os.environ.get("MOX_BUILD_DIR", "")
ARTIFACTS = os.path.join(BUILD_DIR or tempfile.gettempdir(), "wine-artifacts")


def run(*args, check=True, input_text=None, timeout=30):
    result = subprocess.run(list(args), capture_output=True, text=True,
                            input=input_text, check=False, timeout=timeout)
    if check and result.returncode != 0:
        raise RuntimeError(f"{args[0]} failed: {result.stderr.strip()}")
    return result.stdout


def wait_for(predicate, timeout=20.0, interval=0.1, what="condition"):
    """Polls until predicate returns something true; returns it."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            raise TimeoutError(f"timed out waiting for {what}")
        time.sleep(interval)


def windows_named(pattern, visible_only=False):
    """X windows whose name matches the regular expression (hidden ones too,
    unless visible_only)."""
    args = ["xdotool", "search"] + (["--onlyvisible"] if visible_only else [])
    out = run(*args, "--name", pattern, check=False)
    return [w for w in out.split() if w]


def window_name(window):
    return run("xdotool", "getwindowname", window, check=False).rstrip("\n")


def wait_for_window(pattern, timeout=20.0):
    """The first window of that name once it is shown on the screen."""
    return wait_for(lambda: (windows_named(pattern, visible_only=True) or [None])[0],
                    timeout, what=f"a window named /{pattern}/")


def wait_until_gone(pattern, timeout=20.0):
    wait_for(lambda: not windows_named(pattern), timeout,
             what=f"window /{pattern}/ to close")


def wait_until_hidden(pattern, timeout=20.0):
    """Until no window of that name shows (a dialog that is hidden, not
    destroyed, when it closes)."""
    wait_for(lambda: not windows_named(pattern, visible_only=True), timeout,
             what=f"window /{pattern}/ to be hidden")


def keys(window, *names):
    """Gives the window the keyboard focus and presses the keys."""
    def focus():
        try:
            run("xdotool", "windowfocus", "--sync", window, timeout=5)
            return True
        except (RuntimeError, subprocess.TimeoutExpired):
            return False
    wait_for(focus, what=f"the focus on window {window}")
    run("xdotool", "key", "--delay", "80", *names)


def screenshot(window, name):
    """Saves a PNG of an X window (or "root") among the test artifacts. A
    window that is not yet mapped is waited for."""
    os.makedirs(ARTIFACTS, exist_ok=True)
    path = os.path.join(ARTIFACTS, name)

    def take():
        try:
            run("import", "-window", window, path)
            return True
        except RuntimeError:
            return False
    wait_for(take, what=f"a screenshot of window {window}")
    return path


def pixel(path, x, y):
    """(r, g, b) of one pixel of a PNG."""
    out = run("convert", path, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-")
    match = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1])
    return tuple(int(v) for v in match.groups())


def image_size(path):
    out = run("identify", "-format", "%w %h", path)
    w, h = out.split()
    return int(w), int(h)


def colour_count(path, box=None):
    """Number of distinct colours of an image or of a box (x, y, w, h) of it."""
    args = ["convert", path]
    if box:
        x, y, w, h = box
        args += ["-crop", f"{w}x{h}+{x}+{y}", "+repage"]
    args += ["-format", "%k", "info:"]
    return int(run(*args))


def probe(*args):
    """Output of the window probe (a Windows program of the test build that
    reads status bars, tool bars and dialog texts of another process)."""
    exe = os.path.join(BUILD_DIR, "tests", "window_probe.exe")
    return run(WINE, exe, *args, check=False)


def dialog_texts():
    """("Caption", caption) of the visible dialog, then (class, text) of each
    of its controls."""
    lines = probe("dialog").splitlines()
    return [tuple(line.split("|", 1)) for line in lines if "|" in line]


def dialog_text():
    """Caption of the visible dialog or message box, and all its static texts
    joined by line breaks."""
    items = dialog_texts()
    caption = items[0][1] if items and items[0][0] == "Caption" else None
    texts = [text.replace("\\n", "\n") for kind, text in items
             if kind == "Static" and text]
    return caption, "\n".join(texts)


def click_control(text):
    """Clicks the control of the visible dialog that shows this text (a
    button, as a person would press it); False when there is none."""
    words = probe("control", text).split()
    if len(words) != 2:
        return False
    click(int(words[0]), int(words[1]))
    return True


class chinese_code_page:
    """A context giving the environment of a Windows program whose ANSI
    code page is 936: a zh_CN locale of the test run's own (built once),
    as LOCPATH and LANG (X window titles stay UTF-8). A program under that
    code page makes Wine rewrite the prefix's font links for it, which
    would leave every later test without the Chinese font linked behind
    the interface fonts: at the end the links are put back."""

    def __enter__(self):
        folder = os.path.join(BUILD_DIR or tempfile.gettempdir(), "locale")
        if not os.path.isdir(os.path.join(folder, "zh_CN.UTF-8")):
            os.makedirs(folder, exist_ok=True)
            run("localedef", "-i", "zh_CN", "-f", "UTF-8", os.path.join(folder, "zh_CN.UTF-8"),
                check=False, timeout=120)
        return {"LOCPATH": folder, "LANG": "zh_CN.UTF-8"}

    def __exit__(self, *exception):
        env = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wine-env")
        run(env, "relink", check=False, timeout=60)
        return False


def windows_path(unix_path):
    """The path a Windows program sees for a Unix path (drive Z: is /)."""
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


class Program:
    """One Windows program started under Wine. A Varelo starts without the
    settings and recovery copies that Varelos of earlier tests left beside
    it, unless keep_state says so."""

    def __init__(self, exe, *args, cwd=None, env=None, keep_state=False):
        if os.path.basename(exe).lower() == "varelo.exe" and not keep_state:
            folder = os.path.dirname(exe)
            shutil.rmtree(os.path.join(folder, "Recovery"), ignore_errors=True)
            if os.path.exists(os.path.join(folder, "Varelo.ini")):
                os.remove(os.path.join(folder, "Varelo.ini"))
        full_env = dict(os.environ)
        full_env.update(env or {})
        self.process = subprocess.Popen([WINE, exe, *args], cwd=cwd, env=full_env,
                                        stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def wait(self, timeout=20.0):
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired as error:
            raise TimeoutError("program did not end") from error
        return self.process.returncode

    def running(self):
        return self.process.poll() is None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


def varelo_program_folder(root, sources_name="论文"):
    """A program folder "Varelo programs" under root holding Varelo and the
    previewer, whose moxwin32.ini points at the sample's PK fonts and the
    Chinese fixture fonts, and a source paper.ctx in a folder of its own
    (Chinese by default). Returns (programs, source)."""
    repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    programs = os.path.join(root, "Varelo programs")
    os.makedirs(programs, exist_ok=True)
    for exe in (os.path.join(BUILD_DIR, "frontend", "win32", "Varelo.exe"),
                os.path.join(BUILD_DIR, "previewer", "shell", "moxwin32.exe")):
        shutil.copy(exe, programs)
    with open(os.path.join(programs, "moxwin32.ini"), "w") as ini:
        pk = windows_path(os.path.join(repo, "samples", "pk"))
        hz = windows_path(os.path.join(repo, "tests", "fixtures", "hzfonts"))
        ini.write(f"-P{pk}\\dpi$d\n-I{hz}\n")
    sources = os.path.join(root, sources_name)
    os.makedirs(sources, exist_ok=True)
    source = os.path.join(sources, "paper.ctx")
    with open(source, "w") as text:
        text.write("\\input moxplain\n\\bye\n")
    return programs, source


class ProgramCopy:
    """A folder of the test's own holding a copy of a program, so that files
    beside the program (its initialization file) belong to the test."""

    def __init__(self, exe):
        self.folder = tempfile.mkdtemp(prefix="moxgui-", dir=BUILD_DIR or None)
        self.exe = os.path.join(self.folder, os.path.basename(exe))
        shutil.copy2(exe, self.exe)

    def path(self, name):
        return os.path.join(self.folder, name)

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


def view_geometry():
    """Where the previewer's page view is: {"client": (x, y, width, height)}
    with x and y on the screen, and "hbar"/"vbar": whether its scroll bars
    are shown. None while there is no frame."""
    lines = probe("view").splitlines()
    found = {}
    for line in lines:
        words = line.split()
        if words and words[0] == "client" and len(words) == 5:
            found["client"] = tuple(int(v) for v in words[1:])
        elif words and words[0] == "bars" and len(words) == 3:
            found["hbar"] = words[1] == "h"
            found["vbar"] = words[2] == "v"
    return found if len(found) == 3 else None


def focus_owner():
    """(caption of the foreground window, class of the focused window)."""
    items = dict(tuple(line.split("|", 1)) for line in probe("focus").splitlines()
                 if "|" in line)
    return items.get("Foreground"), items.get("Focus")


def click(x, y):
    """A click of the left mouse button at a point of the screen: unlike
    xdotool's focus, it activates the Wine window there (without a window
    manager Wine learns of no other change of the active window)."""
    run("xdotool", "mousemove", "--sync", str(x), str(y))
    run("xdotool", "click", "1")


def window_box(window):
    """(x, y, width, height) of an X window on the screen."""
    out = run("xdotool", "getwindowgeometry", "--shell", window)
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))


def crop(path, box, name):
    """A box (x, y, width, height) of a PNG, saved among the artifacts."""
    os.makedirs(ARTIFACTS, exist_ok=True)
    out = os.path.join(ARTIFACTS, name)
    x, y, w, h = box
    run("convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", out)
    return out


def on_white(picture, width, height, x, y, name):
    """A white image of the given size with the picture laid on it with its
    top-left corner at (x, y) (negative: cut off): what a window shows of a
    picture scrolled by (-x, -y), white where the picture does not reach."""
    os.makedirs(ARTIFACTS, exist_ok=True)
    out = os.path.join(ARTIFACTS, name)
    run("convert", "-size", f"{width}x{height}", "xc:white", picture,
        "-geometry", f"{x:+d}{y:+d}", "-composite", out)
    return out


def differing_pixels(first, second, diff_name=None):
    """Number of pixels in which two images of one size differ (no fuzz);
    a picture of the differences is saved when diff_name is given."""
    diff = os.path.join(ARTIFACTS, diff_name) if diff_name else "null:"
    result = subprocess.run(["compare", "-metric", "AE", first, second, diff],
                            capture_output=True, text=True, check=False, timeout=60)
    if result.returncode not in (0, 1):
        raise RuntimeError(f"compare failed: {result.stderr.strip()}")
    return int(float(result.stderr.split()[0]))
