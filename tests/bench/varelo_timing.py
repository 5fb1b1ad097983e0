"""Varelo on large files under Wine, timed end to end: a mixed Chinese and
English GBK source of 200 KB, 1 MB and 2 MB (one "English" a line, the
last line holding FINDME) opened, searched from the top to its last line,
every "English" replaced and taken back, the whole text selected and
typed over and taken back, and single characters typed. Each is the
median of several runs of build/win64/tools/edit_timing.exe. Beside it the
same operations in the bare rich-edit control Varelo used before (its
floor), cut off after a time limit.

    tests/wine/wine-env start   # with MOX_WINE_STATE set
    tests/wine/wine-env shell python3 tests/bench/varelo_timing.py build/win64 [RUNS]
"""

import os
import random
import re
import statistics
import subprocess
import sys
import tempfile

WINE = os.environ.get("MOX_WINE", "/usr/lib/wine/wine64")
SIZES = [("200 KB", 2000), ("1 MB", 10000), ("2 MB", 20000)]
BARE_LIMIT = 60  # seconds


def make_source(path, lines):
    """A GBK source of `lines` lines of about 100 bytes, each with one
    "English" among TeX commands, formulas and Chinese words."""
    rng = random.Random(lines)
    words = ["text", "with", "\\section{Intro}", "$x^2+y^2$", "\\emph{word}", "and", "the",
             "TeX", "{}", "\\\\"]
    chinese = "中文汉语排版文字系统测试数学公式表格图形字体页面段落标题"
    out = []
    for n in range(lines):
        parts = ["English"]
        while sum(len(p.encode("gbk")) + 1 for p in parts) < 95:
            if rng.random() < 0.5:
                parts.append(rng.choice(words))
            else:
                k = rng.randint(2, 6)
                s = rng.randint(0, len(chinese) - k)
                parts.append(chinese[s:s + k])
        rng.shuffle(parts)
        if n == lines - 1:
            parts.append("FINDME")
        out.append(" ".join(parts))
    with open(path, "wb") as f:
        f.write(("\r\n".join(out) + "\r\n").encode("gbk"))


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(args, timeout):
    try:
        result = subprocess.run([WINE] + args, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None
    return result.stdout


def timings(output):
    found = {}
    for line in (output or "").splitlines():
        match = re.match(r"(.+): ([0-9.]+) ms$", line)
        if match:
            found[match.group(1)] = float(match.group(2))
    return found


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build/win64"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    tool = os.path.join(build, "tools", "edit_timing.exe")
    varelo = windows_path(os.path.join(build, "frontend", "win32", "Varelo.exe"))
    folder = tempfile.mkdtemp(prefix="varelo-timing-")
    for label, lines in SIZES:
        source = os.path.join(folder, f"large-{lines}.ctx")
        make_source(source, lines)
        size = os.path.getsize(source)
        samples = {}
        notes = set()
        for _ in range(runs):
            output = run([tool, varelo, windows_path(source), "English"], timeout=600)
            for line in (output or "").splitlines():
                if not re.match(r".+: [0-9.]+ ms$", line):
                    notes.add(line)
            for name, value in timings(output).items():
                samples.setdefault(name, []).append(value)
        print(f"== {label}: {lines} lines, {size} bytes; Varelo, median of {runs}")
        for name, values in samples.items():
            print(f"  {name:22s} {statistics.median(values):9.1f} ms   "
                  f"(runs: {', '.join(f'{v:.0f}' for v in values)})")
        for note in sorted(notes):
            print(f"  {note}")
        print(f"  bare rich-edit control (median of 3, cut off at {BARE_LIMIT} s):")
        for operation in ("open", "find", "select-type", "replace-all"):
            values = []
            for _ in range(3):
                output = run([tool, "--bare", operation, windows_path(source), "English"],
                             timeout=BARE_LIMIT)
                value = timings(output).get(f"bare {operation}")
                if value is None:
                    values = None
                    break
                values.append(value)
            shown = (f"{statistics.median(values):9.1f} ms" if values
                     else f"   > {BARE_LIMIT} s")
            print(f"  {'bare ' + operation:22s} {shown}")
        sys.stdout.flush()


if __name__ == "__main__":
    main()
