"""moxrender against dvipng on whole documents, side by side in one run:
both draw every page of the same DVI file with the same PK fonts at the same
resolution into PNG files of letter-sized pages. For each document,
resolution and moxrender's flags (default, and --no-frame) it prints the time
a page (best of several runs of the whole document), the ratio, the PNG
bytes a page and the peak memory of each program.

    moxrender_vs_dvipng.py MOXRENDER MAKEPK PK_DIR DVI... [--dpi 300,600] [--runs 3]

PK_DIR receives the fonts the documents need, made by MAKEPK (with TeX's
mktexpk) where they are missing; dvipng gets lower-case copies of the same
files through PKFONTS and makes none of its own.
"""

import argparse
import os
import shutil
import subprocess
import tempfile
import time


def run_measured(command, env=None):
    """Wall time and peak resident memory (KB) of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               env=env)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"failed: {' '.join(command)}")
    return elapsed, usage.ru_maxrss


def best_of(command, runs, env=None):
    times, memory = [], 0
    for _ in range(runs):
        elapsed, peak = run_measured(command, env)
        times.append(elapsed)
        memory = max(memory, peak)
    return min(times), memory


def png_bytes(folder, prefix):
    return sum(os.path.getsize(os.path.join(folder, name)) for name in os.listdir(folder)
               if name.startswith(prefix) and name.endswith(".png"))


def page_count(moxrender, dvi, pk, dpi):
    out = subprocess.run([moxrender, "--info", f"-R{dpi}", f"-P{pk}/dpi$d", dvi],
                         capture_output=True, text=True, check=True).stdout
    return sum(1 for line in out.splitlines() if line.startswith("page "))


def document_arguments():
    """MOXRENDER MAKEPK PK_DIR DVI... [--dpi 300,600] [--runs 3], and the
    PK folder as an absolute path."""
    parser = argparse.ArgumentParser()
    parser.add_argument("moxrender")
    parser.add_argument("makepk")
    parser.add_argument("pk")
    parser.add_argument("dvi", nargs="+")
    parser.add_argument("--dpi", default="300,600")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    return args, os.path.abspath(args.pk)


def main():
    args, pk = document_arguments()

    print(f"{'document':<12} {'dpi':>4} {'flags':<10} {'pages':>5} "
          f"{'ours/page':>10} {'dvipng/page':>11} {'ratio':>6} "
          f"{'ours B/page':>11} {'dvipng B/page':>13} {'size':>5} {'ours MB':>7} {'dvipng MB':>9}")
    for dpi in [int(d) for d in args.dpi.split(",")]:
        for dvi in args.dvi:
            subprocess.run([args.makepk, "-E", "-Q", f"-R{dpi}x{dpi}", f"-P{pk}/dpi$d/", dvi],
                           check=True, stdout=subprocess.DEVNULL)
            with tempfile.TemporaryDirectory() as work:
                fonts = os.path.join(work, "pk")
                for folder in os.listdir(pk):
                    os.makedirs(os.path.join(fonts, folder))
                    for font in os.listdir(os.path.join(pk, folder)):
                        if font.endswith(".PK"):
                            shutil.copy(os.path.join(pk, folder, font),
                                        os.path.join(fonts, folder, font[:-3] + ".pk"))
                env = dict(os.environ, PKFONTS=fonts + "//", MKTEXPK="0",
                           TEXMFVAR=os.path.join(work, "texmf-var"))
                theirs = ["dvipng", "--freetype0", "-M", "-Q", "1", "-D", str(dpi), "-T",
                          "8.5in,11in", "-O", "1in,1in", "-o", os.path.join(work, "theirs%d.png"),
                          dvi]
                pages = page_count(args.moxrender, dvi, pk, dpi)
                their_time, their_memory = best_of(theirs, args.runs, env)
                their_bytes = png_bytes(work, "theirs")
                for flags in ([], ["--no-frame"]):
                    ours = [args.moxrender, *flags, f"-R{dpi}", "-B1in:1in", f"-P{pk}/dpi$d",
                            "--out", os.path.join(work, "ours%d.png"), dvi]
                    our_time, our_memory = best_of(ours, args.runs)
                    our_bytes = png_bytes(work, "ours")
                    print(f"{os.path.basename(dvi):<12} {dpi:>4} {' '.join(flags) or 'default':<10} "
                          f"{pages:>5} {our_time / pages * 1000:>8.1f}ms "
                          f"{their_time / pages * 1000:>9.1f}ms {their_time / our_time:>5.1f}x "
                          f"{our_bytes // pages:>11} {their_bytes // pages:>13} "
                          f"{our_bytes / their_bytes:>5.2f} {our_memory / 1024:>7.1f} "
                          f"{their_memory / 1024:>9.1f}", flush=True)


if __name__ == "__main__":
    main()
