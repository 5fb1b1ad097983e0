#!/usr/bin/env bash
# The Chinese outline fonts of the program folder: every GB 2312 character
# of AR PL UMing, compiled by mkhzfont (tools/fixtures/make-outline-fixtures.sh
# --full), and a ccfonts.def that gives every ziti letter A to Z a font, so
# that a document in any face draws instead of failing on a missing one:
# slot 1 the symbols, slots 2n and 2n+1 the first and second level of the
# n-th letter (K keeps the other two file types the compiler makes, A to J
# and L to Z share the first pair). Slot 0 stays empty: the user font comes
# from the document's .PZ file. The characters beyond GB 2312 come from the
# files of Unicode ranges that tools/fixtures/make-unicode-outline-fonts.sh
# compiles from Noto Serif CJK SC, named by ucfonts.def for every letter.
#
# Usage: MKHZFONT=path/to/mkhzfont packaging/make-chinese-fonts.sh DIR
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[[ $# -eq 1 && -n ${MKHZFONT:-} ]] ||
  { echo "usage: MKHZFONT=mkhzfont make-chinese-fonts.sh DIR" >&2; exit 2; }
"$root/tools/fixtures/make-outline-fixtures.sh" --full "$1" >/dev/null

slots=(1=umsym2.hzf)
for letter in {1..26}; do
  if ((letter == 11)); then
    slots+=("$((2 * letter))=uml1t3.hzf" "$((2 * letter + 1))=uml2t1.hzf")
  else
    slots+=("$((2 * letter))=uml1t1.hzf" "$((2 * letter + 1))=uml2t3.hzf")
  fi
done
"$MKHZFONT" --definitions "$1/ccfonts.def" --scale 1.0 "${slots[@]}"
"$root/tools/fixtures/make-unicode-outline-fonts.sh" "$1" >/dev/null
