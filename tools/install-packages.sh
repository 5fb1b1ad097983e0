#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing,
# without questions. Usage: install-packages.sh GROUP...
#   build    native compiler, CMake, Ninja, GoogleTest; FreeType, fontconfig
#            and a Chinese TrueType font for the native TrueType glyphs; the
#            Chinese faces the outline fonts are compiled from; Pillow, with
#            which the tool-bar, icon and palette pictures are drawn and checked
#   windows  the mingw-w64 cross compilers for x86_64 and i686
#   wine     Wine, an X server without a screen, and the tools that drive and
#            photograph Windows programs
#   fuzz     clang with its libFuzzer and sanitizer runtimes
#   tex      TeX Live's plain TeX, LaTeX, pltotf/tftopl, dvitype, Metafont with
#            the Computer Modern sources, and dvipng: the real TeX that makes
#            the DVI test fixtures (tools/fixtures/make-dvi-fixtures.sh)
#   package  msitools with wixl, which build the Windows installer packages
#            (tools/make-msi.sh)
set -euo pipefail

packages=()
for group in "$@"; do
  case "$group" in
    build) packages+=(g++ cmake ninja-build googletest libgtest-dev libgmock-dev libbenchmark-dev python3
                      python3-pil pkg-config libfreetype-dev libfontconfig-dev zlib1g-dev
                      fonts-arphic-uming fonts-noto-cjk) ;;
    windows) packages+=(g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev
                        mingw-w64-i686-dev binutils-mingw-w64-x86-64 binutils-mingw-w64-i686) ;;
    wine) packages+=(wine wine64 xvfb xdotool imagemagick xclip fonts-wine fonts-arphic-uming locales) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    tex) packages+=(texlive-binaries texlive-base texlive-latex-base texlive-latex-recommended
                    texlive-fonts-recommended ghostscript dvipng python3) ;;
    package) packages+=(msitools wixl) ;;
    *) echo "install-packages: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
((${#missing[@]} == 0)) && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
