#!/bin/sh
# libm.sh - how often the WebAssembly build's maths functions give other
# bits than glibc's: libmdump.cpp built natively (glibc), with em++ against
# musl, and with em++ against the core's routing (common/crtmath_wasm.cpp,
# linked from an archive as the page's build links lumocore), each run on
# the same 2^20 arguments per function; then the counts that differ.
# Prints a SKIPPED line and exits 0 where emscripten or Node is missing.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v em++ >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
    echo "SKIPPED: em++ or node not installed (apt-get install emscripten node-acorn)"
    exit 0
fi
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
out=$root/build/wasmlibm
mkdir -p "$out"
flags="-std=c++17 -O2 -ffp-contract=off -I$root"
g++ $flags -o "$out/libmdump" "$root/bench/wasm/libmdump.cpp"
node="-sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1"
em++ $flags $node -o "$out/musl.js" "$root/bench/wasm/libmdump.cpp"
rm -f "$out/libsteady.a"
for s in steadyexp steadyexp_tables steadytrig steadytrig_tables crtmath_wasm; do
    em++ $flags -c "$root/common/$s.cpp" -o "$out/$s.o"
done
emar rcs "$out/libsteady.a" "$out"/steady*.o "$out/crtmath_wasm.o"
em++ $flags $node -o "$out/steady.js" "$root/bench/wasm/libmdump.cpp" "$out/libsteady.a"
"$out/libmdump" "$out/glibc.bin"
node --no-experimental-fetch "$out/musl.js" "$out/musl.bin"
node --no-experimental-fetch "$out/steady.js" "$out/steady.bin"
echo "== glibc against musl (WebAssembly)"
"$out/libmdump" --compare "$out/glibc.bin" "$out/musl.bin"
echo "== glibc against the WebAssembly build's routing"
"$out/libmdump" --compare "$out/glibc.bin" "$out/steady.bin"
