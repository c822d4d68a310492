#!/bin/sh
# speed.sh - ns per call of the steady exp, log, pow, hypot, atan2 and
# sine/cosine beside musl's, in WebAssembly under Node: steadyexpbench.cpp
# and steadybench.cpp (bench/trig/) built with em++ -O2 without the routing,
# so that "C library" is musl's.  Prints a SKIPPED line and exits 0 where
# emscripten or Node is missing.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v em++ >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
    echo "SKIPPED: em++ or node not installed (apt-get install emscripten node-acorn)"
    exit 0
fi
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
out=$root/build/wasmspeed
mkdir -p "$out"
flags="-std=c++17 -O2 -ffp-contract=off -I$root -sENVIRONMENT=node"
steady="$root/common/steadyexp.cpp $root/common/steadyexp_tables.cpp
        $root/common/steadytrig.cpp $root/common/steadytrig_tables.cpp"
for b in steadyexpbench steadybench; do
    # shellcheck disable=SC2086
    em++ $flags -o "$out/$b.js" "$root/bench/trig/$b.cpp" $steady
    echo "== $b (WebAssembly, Node)"
    node --no-experimental-fetch "$out/$b.js"
done
