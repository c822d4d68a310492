#!/bin/bash
# bench.sh - speed and memory of `lumo render`, printed side by side:
#   1. megapixels per second for formulas 3, 9, 20, 27 and 0 at 2000 x 2000
#      with all hardware threads (wall time of the whole command, so the
#      uncompressed save of 12 MB is included);
#   2. one thread against two for formula 27 at 500 x 500 (target: two at
#      least 1.8 times as fast);
#   3. peak resident memory of a 9600 x 9600 uncompressed render and save
#      (target: below 1.2 x the raw image plus 50 MB);
#   4. the LZW save against libtiff's `tiffcp -c lzw` (bench/tiff's
#      tiffbench, when it is built).
# Each timing is the best of RUNS runs (default 3): the machine is shared,
# and the best run is the one least disturbed by other work.
#
# usage: bench/render/bench.sh [BUILD_DIR]    (default: build/native)
set -eu

cd "$(dirname "$0")/../.."
BUILD=${1:-build/native}
RUNS=${RUNS:-3}
LUMO=$BUILD/cli/lumo
TIFFBENCH=$BUILD/bench/tiff/tiffbench
[ -x "$LUMO" ] || { echo "bench.sh: no $LUMO; build the lumo target first" >&2; exit 2; }

WORK=$(mktemp -d /tmp/lumo-bench-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# Best wall time in seconds of RUNS runs of lumo render with the arguments
# (run under $PIN, e.g. "taskset -c 0", when that is set).
PIN=""
best() {
    local best="" start end t
    for _ in $(seq "$RUNS"); do
        start=$(date +%s%N)
        $PIN "$LUMO" render -o "$WORK/bench.tif" "$@" >/dev/null
        end=$(date +%s%N)
        t=$(( end - start ))
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
    done
    rm -f "$WORK/bench.tif"
    awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

THREADS=$(nproc)
echo "== lumo render, 2000 x 2000, $THREADS threads, best of $RUNS (save included)"
printf "%-8s %10s %12s\n" formula seconds "Mpixel/s"
for f in 3 9 20 27 0; do
    s=$(best --formula "$f" --size 2000 2000)
    printf "%-8s %10s %12s\n" "$f" "$s" "$(awk -v s="$s" 'BEGIN { printf "%.2f", 4.0 / s }')"
done

echo
echo "== formula 27, 500 x 500: one thread against two, best of $RUNS"
one=$(best --formula 27 --size 500 500 --threads 1)
two=$(best --formula 27 --size 500 500 --threads 2)
ratio=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", a / b }')
printf "%-10s %10s\n" threads seconds
printf "%-10s %10s\n" 1 "$one" 2 "$two"
echo "speed-up $ratio (target >= 1.8)"
# The two processors of a virtual machine need not be equally fast; one
# thread pinned to each shows it, and the best two threads can do is to
# share the rows in proportion to the speeds: 1 / (1 / t0 + 1 / t1).
if command -v taskset >/dev/null && [ "$(nproc)" -ge 2 ]; then
    t0=$(PIN="taskset -c 0" best --formula 27 --size 500 500 --threads 1)
    t1=$(PIN="taskset -c 1" best --formula 27 --size 500 500 --threads 1)
    awk -v a="$t0" -v b="$t1" -v two="$two" 'BEGIN {
        ideal = 1 / (1 / a + 1 / b);
        printf "one thread on processor 0: %.3f s, on processor 1: %.3f s\n", a, b;
        printf "two threads at best %.3f s; measured %.3f s: %.0f %% of the best\n", ideal, two, 100 * ideal / two;
        printf "speed-up over the mean of the two processors: %.2f\n", (a + b) / 2 / two;
    }'
fi

echo
echo "== 9600 x 9600 uncompressed, formula 3: peak resident memory"
/usr/bin/time -v "$LUMO" render -o "$WORK/big.tif" --size 9600 9600 2>"$WORK/time.txt" >/dev/null
rm -f "$WORK/big.tif"
peak=$(awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }' "$WORK/time.txt")
awk -v kb="$peak" 'BEGIN {
    raw = 9600 * 9600 * 3 / 1e6; peak = kb * 1024 / 1e6; limit = 1.2 * raw + 50;
    printf "peak %.1f MB, raw image %.1f MB, limit %.1f MB: %s\n", peak, raw, limit,
           peak < limit ? "within" : "OVER";
}'

echo
echo "== LZW save of a 1300 x 600 render against tiffcp -c lzw"
if [ -x "$TIFFBENCH" ]; then
    "$TIFFBENCH" --dir "$WORK"
else
    echo "(no $TIFFBENCH: build the tiffbench target to compare)"
fi
