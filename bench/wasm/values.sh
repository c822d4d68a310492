#!/bin/sh
# values.sh - lumo eval under Node against the native lumo eval: for each of
# the 31 formulas and a few typed functions, the number of points (of 20 000
# over -4..4 x -4..4) whose w = f(z) differs in any bit.  Far more sensitive
# than the pictures: most last-bit differences never change a pixel.  Both
# WebAssembly builds of bench/wasm/pixels.sh are compared (musl's maths
# functions, and the routing to the steady ones), built or brought up to
# date first.  Prints a SKIPPED line and exits 0 where emscripten or Node is
# not installed.
#
#   bench/wasm/values.sh [NATIVE_LUMO]     (default build/native/cli/lumo)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
native=${1:-$root/build/native/cli/lumo}
if ! command -v em++ >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
    echo "SKIPPED: em++ or node not installed (apt-get install emscripten node-acorn)"
    exit 0
fi
for math in musl steady; do     # (re)builds what changed, renders nothing
    LUMO_WASM_MATH=$math LUMO_WASM_ONLY=none sh "$root/bench/wasm/pixels.sh" "$native" >/dev/null
done
out=$root/build/wasmvalues
mkdir -p "$out"
/usr/bin/python3 - >"$out/points.txt" <<'PY'
import random
random.seed(15)
for _ in range(20000):
    print(repr(random.uniform(-4.0, 4.0)), repr(random.uniform(-4.0, 4.0)))
PY

functions() {
    n=0
    while [ $n -le 30 ]; do echo "F$n|--formula $n"; n=$((n + 1)); done
    cat <<'LIST'
T1|--expr zeta(z)
T2|--expr gamma(z)*loggamma(z)
T3|--expr sin(z)*cos(z)/tan(z)+sinh(z)-cosh(z)*tanh(z)
T4|--expr exp(z)^z-log(z)*z^2.5
T5|--expr pow(z,1/3)+asin(z)-acos(z)*atan(z)
T6|--expr sqrt(z)*abs(z)^z+pow(z,2.5i)
LIST
}

printf "%-5s %8s %8s  %s\n" name musl steady options
functions | while IFS='|' read -r name options; do
    # shellcheck disable=SC2086
    "$native" eval $options <"$out/points.txt" >"$out/$name.native.txt"
    line="$name"
    for math in musl steady; do
        # shellcheck disable=SC2086
        node --no-experimental-fetch "$root/build/wasmpixels/$math/lumo.js" eval $options \
            <"$out/points.txt" >"$out/$name.$math.txt"
        differ=$(paste -d'|' "$out/$name.native.txt" "$out/$name.$math.txt" |
                 awk -F'|' '$1 != $2 { n++ } END { print n + 0 }')
        line="$line $differ"
    done
    echo "$line" | awk -v o="$options" '{ printf "%-5s %8s %8s  %s\n", $1, $2, $3, o }'
done
