#!/usr/bin/env bash
# Sets everything up and starts the installed suite under Wine on the bundled
# sample: installs the missing packages, builds the Windows x86_64 programs
# and their program folder, makes the installer package, installs it for the
# Wine user (into %LOCALAPPDATA%\Programs\Varelo of the demo prefix) and
# starts the installed Varelo on the sample's source samples/src/sample.ctx
# and the installed previewer on samples/sample.dvi, which finds its fonts
# in the installed folder. With a display both open there; without one they
# run on a virtual screen, a screenshot of each is saved and the script says
# where. MOX_SUITE_BUILD names another build folder than build/win64.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${MOX_SUITE_BUILD:-$root/build/win64}

tools/install-packages.sh build windows wine package
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" --target moxwin32 Varelo makepk mox texlog program_folder_fonts mox_texmf
package=$(tools/make-msi.sh --out "$build/packages" "$build" | tail -n 1)

windows_path() { local path=$1; printf 'Z:%s' "${path//\//\\}"; }
source_file=$(windows_path "$root/samples/src/sample.ctx")
document=$(windows_path "$root/samples/sample.dvi")

export MOX_WINE_STATE="$build/wine-demo"
env_script="$root/tests/wine/wine-env"

# msiexec of the package into the demo prefix, then the installed folder as
# a Unix path. A package installed by an earlier run is removed first: a
# rebuild has the same version, which an installer package does not replace.
install_suite() {
  local installed=$MOX_WINE_STATE/installed.msi
  if [[ -f $installed ]]; then
    /usr/lib/wine/wine64 msiexec /x "$(windows_path "$installed")" /qn </dev/null >/dev/null || true
  fi
  /usr/lib/wine/wine64 msiexec /i "$(windows_path "$package")" /qn </dev/null >/dev/null
  cp "$package" "$installed"
  local folder
  folder=$(/usr/lib/wine/wine64 cmd /c 'echo %LOCALAPPDATA%' </dev/null | tr -d '\r')
  folder=$(/usr/lib/wine/wine64 winepath -u "$folder\\Programs\\Varelo" </dev/null | tr -d '\r')
  [[ -f $folder/Varelo.exe ]] || { echo "run-suite: the package did not install" >&2; exit 1; }
  folder=$(readlink -f "$folder")
  printf '%s' "$folder"
}

if [[ -n "${DISPLAY:-}" ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  # A real display: keep the demo prefix, start both programs there.
  mkdir -p "$MOX_WINE_STATE"
  export WINEPREFIX="$MOX_WINE_STATE/prefix" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  folder=$(install_suite)
  /usr/lib/wine/wine64 "$folder/Varelo.exe" "$source_file" &
  exec /usr/lib/wine/wine64 "$folder/moxwin32.exe" "$document"
fi

# No display: a virtual screen of our own, a screenshot of each, then close.
"$env_script" start >/dev/null
trap '"$env_script" stop >/dev/null 2>&1 || true' EXIT
folder=$("$env_script" shell bash -c "$(declare -f windows_path install_suite); root='$root' package='$package' install_suite")
shots="$build"
"$env_script" shell python3 "$root/packaging/suite_screenshots.py" "$folder" "$shots" \
  "$source_file" "$document"
echo "No display here: the suite installed in $folder ran on a virtual screen;"
echo "Varelo's window is in $shots/varelo-screenshot.png, the previewer's in $shots/moxwin32-screenshot.png"
