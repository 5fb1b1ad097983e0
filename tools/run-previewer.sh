#!/usr/bin/env bash
# Sets everything up and starts the previewer under Wine on the bundled
# sample document: installs the missing packages, builds the Windows x86_64
# program and runs it. With a display it opens there; without one it runs on
# a virtual screen, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

tools/install-packages.sh build windows wine
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target moxwin32 makepk

program="$root/build/win64/previewer/shell/moxwin32.exe"
program_dir=$(dirname "$program")

# The Chinese outline fonts in the folder the previewer looks in by default
# (HZFONTS beside the program), those of the program folder: every GB 2312
# character from Debian's AR PL UMing and the characters beyond it from Noto
# Serif CJK SC, compiled once by the project's font compiler.
if [[ ! -f "$program_dir/HZFONTS/ucfonts.def" ]]; then
  echo "Compiling the Chinese fonts (once) ..."
  cmake -S . -B build/tools -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build build/tools --target mkhzfont >/dev/null
  MKHZFONT="$root/build/tools/tools/mkhzfont/mkhzfont" \
    packaging/make-chinese-fonts.sh "$program_dir/HZFONTS" >/dev/null
fi
# The bundled sample with the fonts it needs: its PK fonts from samples/pk
# ("$d" stands for the resolution) and the Chinese fonts just compiled, named
# as Windows paths (under Wine, drive Z: is the root of this file system).
windows_path() { local path=$1; printf 'Z:%s' "${path//\//\\}"; }
document=()
if [[ -f "$root/samples/sample.dvi" ]]; then
  document=("-P$(windows_path "$root/samples/pk/dpi")\$d"
            "-I$(windows_path "$program_dir/HZFONTS")"
            "$(windows_path "$root/samples/sample.dvi")")
fi

export MOX_WINE_STATE="$root/build/win64/wine-demo"
env_script="$root/tests/wine/wine-env"

if [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  # A real display: keep the prefix of the demo, start the program there.
  mkdir -p "$MOX_WINE_STATE"
  export WINEPREFIX="$MOX_WINE_STATE/prefix" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  exec /usr/lib/wine/wine64 "$program" "${document[@]}"
fi

# No display: a virtual screen of our own, a screenshot, then close.
"$env_script" start >/dev/null
trap '"$env_script" stop >/dev/null 2>&1 || true' EXIT
shot="$root/build/win64/moxwin32-screenshot.png"
"$env_script" shell python3 "$root/tests/wine/screenshot.py" "$shot" "$program" "${document[@]}"
echo "No display here: moxwin32 ran on a virtual screen; its window is in $shot"
