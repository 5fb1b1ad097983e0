#!/usr/bin/env bash
# Makes the documents of the real-LaTeX benchmarks from the long fixture
# article (tests/fixtures/dvi/src/long.tex) into a folder: long-psnfss.dvi
# (every font a virtual font over a Type 1 font: mathptmx, helvet),
# long-colour.dvi (xcolor: every paragraph in a colour of its own, the
# colours over page breaks) and long-200.dvi (the article's own fonts, its
# lines further apart: over 200 pages, for scrolling a long document end to
# end).
#   make-latex-bench-documents.sh OUT_FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source=$root/tests/fixtures/dvi/src/long.tex
make() {  # make NAME PREAMBLE-LINES BODY-FILTER
  {
    sed -n '1,/^\\documentclass/p' "$source"
    printf '%s\n' "$2"
    sed '1,/^\\documentclass/d' "$source" | sed "$3"
  } >"$work/$1.tex"
  (cd "$work" && latex -interaction=batchmode "$1.tex" >/dev/null 2>&1 &&
    latex -interaction=batchmode "$1.tex" >/dev/null 2>&1) ||
    { tail -n 20 "$work/$1.log" >&2; exit 1; }
  cp "$work/$1.dvi" "$out/$1.dvi"
  echo "$out/$1.dvi"
}
make long-psnfss '\usepackage[T1]{fontenc}\usepackage{mathptmx}\usepackage[scaled=0.92]{helvet}' 's/^//'
# Each paragraph in a colour that follows its number.
make long-colour '\usepackage[dvipsnames]{xcolor}' \
  's/^  \\sentence{\\paragraphno} /  \\textcolor[hsb]{0.\\the\\paragraphno,1,0.6}{\\sentence{\\paragraphno}} /'
make long-200 '' 's/^\\linespread{2}/\\linespread{2.6}/'
