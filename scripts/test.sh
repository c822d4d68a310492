#!/bin/sh
# Builds everything and runs the whole test suite:
#   native build + tests, the same tests under AddressSanitizer and
#   UndefinedBehaviorSanitizer, the 32-bit and 64-bit Windows cross builds,
#   the page's WebAssembly build in headless Chromium, and the end-to-end
#   tests of the window program under wine.
# Installs missing Debian packages first (as root).
set -e
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
build() {   # build DIR [cmake options]
  dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DLUMO_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

echo "== native build and tests"
build build/native
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build build/sanitize -DLUMO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -L unit

echo "== Windows cross builds (i686, x86_64)"
build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DLUMO_HOST_BUILD="$PWD/build/native"
build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DLUMO_HOST_BUILD="$PWD/build/native"

echo "== the page (WebAssembly) in headless Chromium against lumo render"
scripts/build-web.sh
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error >/dev/null)
node tests/web/page_test.mjs build/web/site

echo "== end-to-end tests of the window program under wine"
tests/e2e/run.sh build/win64 build/native build/win32
echo "== all tests passed"
