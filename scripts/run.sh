#!/bin/sh
# Builds the program and starts it.
#   With a display ($DISPLAY set): the 64-bit Windows build of the window
#   program, run under wine64 (/usr/lib/wine/wine64) on that display.
#   Without one: renders the start picture (formula 3, the colour wheel,
#   600 x 600 with the real-axis graph) with the command-line renderer and
#   says where the file is.
# Installs missing Debian packages first (as root).
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh

cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native

if [ -n "${DISPLAY:-}" ]; then
  cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DLUMO_HOST_BUILD="$PWD/build/native" >/dev/null
  cmake --build build/win64 --target LumoDomainColoring
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
  echo "starting the window program under wine on display $DISPLAY"
  exec /usr/lib/wine/wine64 build/win64/app/LumoDomainColoring.exe
fi

out="$PWD/build/lumo-start.tif"
build/native/cli/lumo render --graph -o "$out"
echo "no display: rendered the start picture (formula 3, the colour wheel) to $out"
