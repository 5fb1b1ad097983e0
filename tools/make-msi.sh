#!/usr/bin/env bash
# Builds the Windows installer packages of the suite with wixl (msitools):
# for each Windows build folder given (default: build/win64 and build/win32,
# which must have been built), its program folder is installed with
# `cmake --install --strip` into OUT/<arch>/Varelo and packed, from
# packaging/Varelo.wxs and the file list wixl-heat makes of that folder,
# into OUT/Varelo-<version>-<arch>.msi (arch x64 or x86). Each package's
# path is printed.
#
# Usage: tools/make-msi.sh [--out OUT] [BUILD_DIR...]   (OUT: build/packages)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fail() { echo "make-msi: $*" >&2; exit 1; }

out=$root/build/packages
if [[ ${1:-} == --out ]]; then
  (($# >= 2)) || fail "usage: make-msi.sh [--out OUT] [BUILD_DIR...]"
  out=$2
  shift 2
fi
builds=("$@")
((${#builds[@]})) || builds=("$root/build/win64" "$root/build/win32")
for tool in wixl wixl-heat; do
  command -v "$tool" >/dev/null || fail "$tool is missing: tools/install-packages.sh package"
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

cache_value() {  # cache_value BUILD_DIR NAME
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
}

for build in "${builds[@]}"; do
  [[ -f $build/CMakeCache.txt ]] || fail "$build is no configured build folder"
  case $(basename "$(cache_value "$build" CMAKE_TOOLCHAIN_FILE)") in
    toolchain-x86_64-w64-mingw32.cmake) arch=x64 win64=yes heat_options=(--win64) ;;
    toolchain-i686-w64-mingw32.cmake) arch=x86 win64=no heat_options=() ;;
    *) fail "$build is no Windows build (mingw-w64 x86_64 or i686)" ;;
  esac
  version=$(cache_value "$build" CMAKE_PROJECT_VERSION)
  [[ -n $version ]] || fail "$build: no project version in its cache"

  stage=$out/$arch
  folder=$stage/Varelo
  rm -rf "$stage"
  mkdir -p "$stage"
  cmake --install "$build" --prefix "$folder" --strip >/dev/null
  for program in Varelo.exe moxwin32.exe MAKEPK.EXE texlog.exe HZFONTS/ccfonts.def tutor.dvi; do
    [[ -f $folder/$program ]] || fail "$build: the program folder lacks $program (was it built?)"
  done

  (cd "$stage" && find Varelo -type f | LC_ALL=C sort |
     wixl-heat -p Varelo/ --directory-ref INSTALLDIR --component-group ProgramFiles \
       --var var.SourceDir "${heat_options[@]}" \
       >"$stage/files.wxs")
  # The files the programs rewrite with the user's settings (the previewer's
  # options, Varelo's phrases) are not overwritten where they exist and stay
  # when the package is removed or replaced by a newer one: their components
  # get the attributes Permanent (16) and NeverOverwrite (128), which wixl
  # does not write itself.
  kept=$(python3 - "$stage/files.wxs" usermac.txt moxwin32.ini <<'PY'
import re, sys
text = open(sys.argv[1]).read()
for name in sys.argv[2:]:
    found = re.findall(r'<Component [^>]*Id="(\w+)"[^>]*>\s*<File [^>]*Source="\$\(var\.SourceDir\)/'
                       + re.escape(name) + '"', text)
    if len(found) != 1:
        sys.exit(f"make-msi: no single component for {name}")
    print(found[0])
PY
)
  package=$out/Varelo-$version-$arch.msi
  # wixl reads the files by paths relative to where it runs.
  (cd "$stage" && wixl -a "$arch" -D Version="$version" -D Platform="$arch" -D Win64="$win64" \
       -D SourceDir=Varelo -o "$package" "$root/packaging/Varelo.wxs" files.wxs)
  attributes=$((16 + 128))
  [[ $win64 == yes ]] && attributes=$((attributes + 256))
  for component in $kept; do
    msibuild "$package" -q "UPDATE \`Component\` SET \`Attributes\` = $attributes WHERE \`Component\` = '$component'"
  done
  echo "$package"
done
