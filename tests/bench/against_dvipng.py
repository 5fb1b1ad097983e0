"""Times moxrender against dvipng drawing the same pages of the same DVI
file with the same PK fonts at the same resolution, both writing PNG files,
and prints the ratio per page (the best of several runs of each).

    against_dvipng.py MOXRENDER DVI PK_DIR [DPI [RUNS]]

PK_DIR holds dpiNNN/<font>.PK as the previewer finds them; dvipng gets
lower-case copies through PKFONTS. Fonts missing there are made by MAKEPK
(beside moxrender) in moxrender's first run, before the copies are taken, so
that an empty PK_DIR serves a document in virtual fonts (VF and TFM files
through kpsewhich) as well as one whose PK files are all there.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time


def best_time(command, runs, env=None):
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       env=env)
        best = min(best, time.perf_counter() - start)
    return best


def page_numbers(moxrender, dvi, pk_dir, dpi):
    """The \\count0 of every page, in file order."""
    out = subprocess.run([moxrender, "--info", f"-R{dpi}", "-P" + os.path.join(pk_dir, "dpi$d"),
                          dvi], capture_output=True, text=True, check=True).stdout
    return [int(line.split()[1]) for line in out.splitlines() if line.startswith("page ")]


def main():
    moxrender, dvi, pk_dir = sys.argv[1:4]
    dpi = int(sys.argv[4]) if len(sys.argv) > 4 else 600
    runs = int(sys.argv[5]) if len(sys.argv) > 5 else 5
    with tempfile.TemporaryDirectory() as work:
        counts = page_numbers(moxrender, dvi, pk_dir, dpi)
        for folder in os.listdir(pk_dir):
            if folder.startswith("dpi") and os.path.isdir(os.path.join(pk_dir, folder)):
                os.makedirs(os.path.join(work, "pk", folder))
                for font in os.listdir(os.path.join(pk_dir, folder)):
                    if font.endswith(".PK"):
                        shutil.copy(os.path.join(pk_dir, folder, font),
                                    os.path.join(work, "pk", folder, font[:-3] + ".pk"))
        env = dict(os.environ, PKFONTS=os.path.join(work, "pk") + "//",
                   TEXMFVAR=os.path.join(work, "texmf-var"), MKTEXPK="0")
        ours_all = [moxrender, "--no-frame", f"-R{dpi}", "-B1in:1in",
                    "-P" + os.path.join(pk_dir, "dpi$d"), "--out",
                    os.path.join(work, "ours%d.png"), dvi]
        theirs_all = ["dvipng", "--freetype0", "-M", "-Q", "1", "-D", str(dpi), "-T",
                      "8.5in,11in", "-O", "1in,1in", "-o", os.path.join(work, "theirs%d.png"), dvi]
        print(f"{os.path.basename(dvi)} at {dpi} dpi, {len(counts)} pages, best of {runs} runs")
        # dvipng picks single pages by their \\count0 (-pp); that works when
        # every page has its own, positive one.
        if len(set(counts)) == len(counts) and min(counts) > 0:
            print("page  moxrender   dvipng   ratio")
            for page, count in enumerate(counts, start=1):
                ours = best_time(ours_all[:1] + ["--page", str(page)] + ours_all[1:], runs)
                theirs = best_time(theirs_all[:1] + ["-pp", str(count)] + theirs_all[1:], runs,
                                   env)
                print(f"{page:4d} {ours * 1000:8.1f}ms {theirs * 1000:7.1f}ms {theirs / ours:6.1f}x")
        ours = best_time(ours_all, runs)
        theirs = best_time(theirs_all, runs, env)
        print(f"all  {ours * 1000:8.1f}ms {theirs * 1000:7.1f}ms {theirs / ours:6.1f}x")


if __name__ == "__main__":
    main()
