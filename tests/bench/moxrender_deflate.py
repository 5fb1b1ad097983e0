"""moxrender's own page compressor against zlib, side by side in one run:
the benchmark build's moxrender draws every page of each document at 300 and
600 dpi into PNG files, once with its own encoder and once with zlib at each
setting that suits pages (Z_RLE and Z_DEFAULT_STRATEGY, levels 1 to 3; the
rows keep the filter "none" either way), chosen by MOXRENDER_DEFLATE. For
each it prints the time a page (best of several runs of the whole document),
the PNG bytes a page, and both against the own encoder's.

    moxrender_deflate.py MOXRENDER MAKEPK PK_DIR DVI... [--dpi 300,600] [--runs 3]
"""

import os
import subprocess
import tempfile

from moxrender_vs_dvipng import best_of, document_arguments, page_count, png_bytes

SETTINGS = ["own", "rle1", "rle2", "rle3", "default1", "default2", "default3"]


def main():
    args, pk = document_arguments()

    print(f"{'document':<16} {'dpi':>4} {'setting':<9} {'pages':>5} {'ms/page':>8} "
          f"{'B/page':>9} {'time/own':>8} {'size/own':>8}")
    for dpi in [int(d) for d in args.dpi.split(",")]:
        for dvi in args.dvi:
            subprocess.run([args.makepk, "-E", "-Q", f"-R{dpi}x{dpi}", f"-P{pk}/dpi$d/", dvi],
                           check=True, stdout=subprocess.DEVNULL)
            pages = page_count(args.moxrender, dvi, pk, dpi)
            own = None
            for setting in SETTINGS:
                with tempfile.TemporaryDirectory() as work:
                    command = [args.moxrender, f"-R{dpi}", "-B1in:1in", f"-P{pk}/dpi$d",
                               "--out", os.path.join(work, "page%d.png"), dvi]
                    elapsed, _ = best_of(command, args.runs,
                                         dict(os.environ, MOXRENDER_DEFLATE=setting))
                    size = png_bytes(work, "page")
                own = own or (elapsed, size)
                print(f"{os.path.basename(dvi):<16} {dpi:>4} {setting:<9} {pages:>5} "
                      f"{elapsed / pages * 1000:>8.1f} {size // pages:>9} "
                      f"{elapsed / own[0]:>8.2f} {size / own[1]:>8.2f}", flush=True)


if __name__ == "__main__":
    main()
