#!/bin/sh
# Builds the page into build/web/site: emscripten's optimiser needs the
# acorn of Debian's Node modules; its system-library cache is Debian's own
# (EM_CACHE stays unset).
set -e
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs
unset EM_CACHE
[ -f build/web/CMakeCache.txt ] || emcmake cmake -S . -B build/web -G Ninja -DLUMO_WERROR=ON >/dev/null
cmake --build build/web
