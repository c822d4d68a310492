#!/bin/sh
# pixels.sh - lumo render compiled to WebAssembly (em++, run by Node) against
# the native lumo render, pixel by pixel: the 31 formulas' own pictures and
# a set of typed functions.  Prints one line per picture with the count of
# differing pixels, then the total; exits 1 when any picture differs or
# fails to render and LUMO_WASM_STRICT=1 is set.  Prints a SKIPPED line and exits 0 where
# emscripten or Node is not installed.
#
#   bench/wasm/pixels.sh [NATIVE_LUMO]     (default build/native/cli/lumo)
#
# LUMO_WASM_MATH=musl links musl's maths functions instead of the steady
# routing (common/crtmath_wasm.cpp), to see what the routing buys.
# LUMO_WASM_SIZE="W H" renders smaller pictures (default: lumo's 600 x 600).
# LUMO_WASM_ONLY="F3 T1" renders only the named pictures.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
native=${1:-$root/build/native/cli/lumo}
math=${LUMO_WASM_MATH:-steady}
if ! command -v em++ >/dev/null 2>&1 || ! command -v node >/dev/null 2>&1; then
    echo "SKIPPED: em++ or node not installed (apt-get install emscripten node-acorn)"
    exit 0
fi
if [ ! -x "$native" ]; then
    echo "pixels.sh: no native lumo at $native" >&2
    exit 2
fi
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}   # its optimiser needs acorn
build=$root/build/wasmpixels/$math
out=$build/pictures
mkdir -p "$build/obj" "$out"

# The core, the in-memory platform layer and lumo's own files, as the
# native build has them; lumo render --threads 1 needs no thread.
sources=$(cd "$root" && ls common/*.cpp formulas/*.cpp expr/*.cpp render/*.cpp tiff/*.cpp \
    | grep -v crtmath_)
sources="$sources headless/surface.cpp headless/savefile.cpp bench/wasm/earlyflush_none.cpp
    cli/main.cpp cli/eval.cpp cli/evalline.cpp cli/options.cpp cli/render.cpp
    cli/parallel.cpp cli/system_posix.cpp cli/pngsave_none.cpp"
[ "$math" = steady ] && sources="$sources common/crtmath_wasm.cpp"

flags="-std=c++17 -O2 -ffp-contract=off -Wall -Wextra -I$root"
newest_header=$(ls -t "$root"/*/*.h | head -n 1)
compile() {
    obj=$build/obj/$(echo "$1" | tr / _).o
    if [ ! -f "$obj" ] || [ "$root/$1" -nt "$obj" ] || [ "$newest_header" -nt "$obj" ]; then
        extra=""
        # the toolchain's libc++ has no floating-point from_chars
        [ "$1" = expr/parse.cpp ] && extra="-include $root/bench/wasm/fromchars_shim.h"
        em++ $flags $extra -c "$root/$1" -o "$obj"
    fi
    echo "$obj"
}
export build root flags newest_header
objects=""
for s in $sources; do objects="$objects $(compile "$s")"; done
em++ -O2 -ffp-contract=off -sENVIRONMENT=node -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 \
    -sEXIT_RUNTIME=1 $objects -o "$build/lumo.js"

# name and lumo render options of each picture
pictures() {
    n=0
    while [ $n -le 30 ]; do echo "F$n|--formula $n"; n=$((n + 1)); done
    cat <<'LIST'
T1|--expr zeta(z) --view -20 10 -15 15
T2|--expr gamma(z)*loggamma(z)
T3|--expr sin(z)*cos(z)/tan(z)+sinh(z)-cosh(z)*tanh(z)
T4|--expr exp(z)^z-log(z)*z^2.5
T5|--expr pow(z,1/3)+asin(z)-acos(z)*atan(z) --map perceptual
T6|--expr exp(1/z)*pow(abs(z),arg(z)) --map 3d
T7|--expr sqrt(z^2-1)+exp(-z^2)*log(1+z) --map enhanced
T8|--expr z^z^z --view -3 3 -3 3
T9|--expr exp(z^3)-exp(-z^2)*log(z) --view -3 3 -3 3 --map abs-grey
T10|--expr cosh(z)^sinh(z)/atan(z) --map modular --grid phase
T11|--expr log(log(z))*exp(sin(z)) --map colour-blind-safe
T12|--formula 22 --map abs-colour --grid square
T13|--expr sqrt(z)*abs(z)^z+pow(z,2.5i) --map abs-grey
T14|--expr tan(z)*tanh(1/z) --view -4 4 -4 4
T15|--expr sinh(z^2)/cosh(z)-tanh(z)*asin(z) --map enhanced
T16|--formula 27 --map perceptual
T17|--formula 16 --map modular --grid both
T18|--formula 13 --brightness 3 --map colour-blind-safe
T19|--formula 20 --map abs-colour --escape 2
T20|--formula 0 --maxiter 500 --view -0.75 -0.73 0.1 0.12
LIST
}

size=${LUMO_WASM_SIZE:-}
total=0
pictures | while IFS='|' read -r name options; do
    case " ${LUMO_WASM_ONLY:-$name} " in *" $name "*) ;; *) continue ;; esac
    sizeopt=""
    [ -n "$size" ] && sizeopt="--size $size"
    rm -f "$out/$name.native.tiff" "$out/$name.wasm.tiff"
    # shellcheck disable=SC2086
    if ! "$native" render -o "$out/$name.native.tiff" --threads 1 $sizeopt $options \
            2>>"$build/render.log" ||
       ! node --no-experimental-fetch "$build/lumo.js" render -o "$out/$name.wasm.tiff" \
            --threads 1 $sizeopt $options 2>>"$build/render.log"; then
        echo "$name FAILED to render ($options; see $build/render.log)"
        continue
    fi
    differ=$(/usr/bin/python3 - "$out/$name.native.tiff" "$out/$name.wasm.tiff" <<'PY'
import sys
from PIL import Image, ImageChops
a = Image.open(sys.argv[1]).convert("RGB")
b = Image.open(sys.argv[2]).convert("RGB")
if a.size != b.size:
    print(a.size[0] * a.size[1])
else:
    diff = ImageChops.difference(a, b).convert("L").point(lambda v: 255 if v else 0)
    print(diff.histogram()[255])
PY
)
    echo "$name $differ differing pixels ($options)"
done | tee "$build/report.txt"
awk '$2 == "FAILED" { f++ } $2 != "FAILED" { s += $2; n++ }
     END { print "total", s, "differing pixels in", n, "pictures;", f + 0, "failed to render" }' \
    "$build/report.txt"
if [ "${LUMO_WASM_STRICT:-0}" = 1 ]; then
    awk '$2 != 0 { bad = 1 } END { exit bad }' "$build/report.txt"
fi
