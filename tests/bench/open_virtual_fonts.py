"""What opening a document in virtual fonts costs against the same document
in Computer Modern: moxrender --info opens it as the previewer does (reads
it, looks up its VF and TFM files through kpsewhich, pre-scans every page
and loads every glyph from PK files that already exist), side by side in
one run, best of several runs each.

    open_virtual_fonts.py MOXRENDER MAKEPK PK_DIR SOURCE.tex [--dpi 600] [--runs 10]

SOURCE.tex is typeset by latex twice: as it is (tests/fixtures/dvi/src/
times.tex: psnfss, every font a virtual font over a Type 1 font) and with
its psnfss and fontenc packages left out (the same text in Computer
Modern). MAKEPK makes the PK files first, so that the runs measure opening
only.
"""

import argparse
import os
import re
import shutil
import subprocess
import tempfile
import time


def typeset(source, folder, name, text):
    path = os.path.join(folder, name + ".tex")
    with open(path, "w") as out:
        out.write(text)
    subprocess.run(["latex", "-interaction=batchmode", name + ".tex"], cwd=folder, check=True,
                   stdout=subprocess.DEVNULL)
    return os.path.join(folder, name + ".dvi")


def best(command, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("moxrender")
    parser.add_argument("makepk")
    parser.add_argument("pk")
    parser.add_argument("source")
    parser.add_argument("--dpi", type=int, default=600)
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    pk = os.path.abspath(args.pk)
    with open(args.source) as source:
        text = source.read()
    plain = re.sub(r"\\usepackage(\[[^]]*\])?\{(fontenc|mathptmx|helvet|courier)\}\n", "", text)
    with tempfile.TemporaryDirectory() as work:
        documents = {"virtual": typeset(args.source, work, "virtual", text),
                     "cm": typeset(args.source, work, "cm", plain)}
        results = {}
        for name, dvi in documents.items():
            subprocess.run([args.makepk, "-E", "-Q", f"-R{args.dpi}x{args.dpi}", f"-P{pk}/dpi$d/",
                            dvi], check=True, stdout=subprocess.DEVNULL)
            results[name] = best([args.moxrender, "--info", f"-R{args.dpi}", f"-P{pk}/dpi$d", dvi],
                                 args.runs)
            print(f"{name:<8} {args.dpi} dpi: open {results[name] * 1000:.1f} ms", flush=True)
        print(f"virtual fonts / Computer Modern: {results['virtual'] / results['cm']:.2f}")


if __name__ == "__main__":
    main()
