#!/usr/bin/env bash
# Makes Varelo's tutorial frontend/data/tutor.dvi from
# frontend/data/tutorial/tutor.ctx: mox (find-mox.sh) and plain TeX with
# the macros of tex/mox/. The DVI comment carries a fixed date, so the
# output is the same bytes on every run. The tutorial uses only the PK
# fonts that ship with the sample (samples/pk/dpi600): the script checks
# that each font the DVI file names is one of them or a Chinese ccfnt font.
#
# Usage: tools/make-tutorial.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
src=$root/frontend/data/tutorial
for tool in tex python3; do
  command -v "$tool" >/dev/null || { echo "make-tutorial: $tool is missing" >&2; exit 1; }
done
source "$root/tools/fixtures/find-mox.sh"

export TZ=UTC LC_ALL=C MKTEXTFM=0 MKTEXPK=0
export TEXINPUTS=".:$root/tex/mox:"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/mox/make-ccfnt-tfm.py" --package "$work" >/dev/null
cp "$src/tutor.ctx" "$work/"
"$mox" "$work/tutor.ctx" >/dev/null
if ! (cd "$work" && tex -interaction=batchmode -halt-on-error tutor.tex >/dev/null 2>&1); then
  tail -n 30 "$work/tutor.log" >&2
  echo "make-tutorial: tex failed" >&2
  exit 1
fi
if grep -q '^Overfull' "$work/tutor.log"; then
  grep -A2 '^Overfull' "$work/tutor.log" >&2
  echo "make-tutorial: overfull boxes" >&2
  exit 1
fi
python3 "$root/tools/fixtures/set-dvi-comment.py" "$work/tutor.dvi" \
  "$root/frontend/data/tutor.dvi" " TeX output 2000.01.01:0000"

# Every non-Chinese font must be one whose PK file ships.
python3 - "$root/frontend/data/tutor.dvi" "$root/samples/pk/dpi600" <<'PY'
import os, struct, sys
data = open(sys.argv[1], "rb").read()
end = len(data) - 1
while data[end] == 223:
    end -= 1
at = struct.unpack_from(">I", data, end - 4)[0] + 29
shipped = {n[:-3].lower() for n in os.listdir(sys.argv[2])}
bad = []
while data[at] != 249:
    at += 1 + (data[at] - 242) + 12
    a, l = data[at], data[at + 1]
    name = data[at + 2 + a:at + 2 + a + l].decode("ascii")
    at += 2 + a + l
    if not name.startswith("cc") and name not in shipped:
        bad.append(name)
if bad:
    sys.exit("make-tutorial: no shipped PK font for " + ", ".join(bad))
PY
pages=$(grep -o '[0-9]* page' "$work/tutor.log" | tail -1)
echo "$(wc -c <"$root/frontend/data/tutor.dvi") bytes  frontend/data/tutor.dvi ($pages)"
