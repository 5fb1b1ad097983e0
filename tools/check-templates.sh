#!/usr/bin/env bash
# Checks that every template of Varelo's templates menu (frontend/data/
# Template) compiles: Chinese .ctx sources through mox and the macros of
# tex/mox/, plain TeX sources (ending in \bye) with tex, the others with
# latex; latex.tex also through BibTeX on bibtex.bib. Needs TeX
# (tools/install-packages.sh tex) and mox (find-mox.sh: $MOX or the native
# build's).
#
# Usage: tools/check-templates.sh
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
templates=$root/frontend/data/Template
source "$root/tools/fixtures/find-mox.sh"
for tool in tex latex bibtex python3; do
  command -v "$tool" >/dev/null || { echo "check-templates: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$root/tools/mox/make-ccfnt-tfm.py" --package "$work" >/dev/null
cp "$templates"/* "$work"/
export TEXINPUTS=".:$root/tex/mox:" MKTEXTFM=0 MKTEXPK=0

failed=0
run() {  # run NAME PROGRAM...: a failure shows the end of the log
  local name=$1; shift
  if ! (cd "$work" && "$@" >/dev/null 2>&1); then
    echo "FAILED $name: $*" >&2
    [[ -f $work/${name%.*}.log ]] && tail -n 15 "$work/${name%.*}.log" >&2
    failed=1
    return 1
  fi
}
for path in "$templates"/*.ctx "$templates"/*.tex; do
  name=$(basename "$path")
  base=${name%.*}
  if [[ $name == *.ctx ]]; then
    run "$name" "$mox" "$base" || continue
  fi
  engine=latex
  grep -q '^\\bye' "$path" && engine=tex
  run "$name" "$engine" -interaction=batchmode -halt-on-error "$base.tex" || continue
  if [[ $name == latex.tex ]]; then
    run "$name" bibtex "$base" && run "$name" latex -interaction=batchmode "$base.tex" &&
      grep -q 'TeX}book' "$work/$base.bbl" || { echo "FAILED $name: no reference from bibtex.bib" >&2; failed=1; }
  fi
  [[ -s $work/$base.dvi ]] || { echo "FAILED $name: no DVI file" >&2; failed=1; continue; }
  echo "ok $name"
done
exit $failed
