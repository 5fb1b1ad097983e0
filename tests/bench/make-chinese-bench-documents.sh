#!/usr/bin/env bash
# Makes what the Chinese page benchmark draws, into the benchmark build's
# folder: two pages dense with Chinese characters at 12pt, one of GB 2312's
# first-level hanzi (dense-gb2312.dvi), one of GBK's ideographs beyond
# GB 2312 (dense-gbk.dvi), made by mox and plain TeX with the macros of
# tex/mox/, and the program folder's Chinese fonts they are drawn with
# (full-hzfonts/, as the installer has them).
#   make-chinese-bench-documents.sh [BENCH_BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/bench}
out=$build/chinese
command -v tex >/dev/null || { echo "tex is missing: tools/install-packages.sh tex" >&2; exit 1; }
cmake --build "$build" --target mox mkhzfont >/dev/null
mkdir -p "$out"
MKHZFONT=$build/tools/mkhzfont/mkhzfont "$root/packaging/make-chinese-fonts.sh" "$out/full-hzfonts"
python3 "$root/tools/mox/make-ccfnt-tfm.py" --package "$out/tfm" >/dev/null

# 1500 characters each: a page full at 12pt on the plain format's page.
python3 - "$out" <<'PY'
import sys
gb2312 = [bytes([lead, trail]).decode("gb2312") for lead in range(0xB0, 0xD8)
          for trail in range(0xA1, 0xFF) if (lead, trail) < (0xD7, 0xFA)]
gbk = []
for lead in range(0x81, 0xA0):
    for trail in list(range(0x40, 0x7F)) + list(range(0x80, 0xFF)):
        gbk.append(bytes([lead, trail]).decode("gbk"))
for name, characters in (("dense-gb2312", gb2312), ("dense-gbk", gbk)):
    text = "".join(characters[:1500])
    with open(f"{sys.argv[1]}/{name}.ctx", "w", encoding="utf-8") as f:
        f.write("\\input moxplain\n\\ccsize{12}\\parindent=0pt \\nopagenumbers\n"
                "\\tolerance=10000 \\hbadness=10000 \\vbadness=10000\n" + text + "\n\\bye\n")
PY
for name in dense-gb2312 dense-gbk; do
  (cd "$out" && "$build/tools/mox/mox" "$name" >/dev/null &&
    TEXINPUTS="$root/tex/mox:" TFMFONTS="$out/tfm:" MKTEXTFM=0 \
      tex -interaction=batchmode -halt-on-error "$name.tex" >/dev/null) ||
    { tail -n 20 "$out/$name.log" >&2; exit 1; }
  echo "$out/$name.dvi"
done
