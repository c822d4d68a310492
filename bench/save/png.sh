#!/bin/bash
# png.sh - lumo's PNG save against its TIFF save and against libpng's own
# defaults, with the targets beside the figures:
#   time    the whole command (start, render, save with its fsync and
#           rename) to a PNG and to an uncompressed TIFF on two threads,
#           taking turns for ROUNDS rounds: formula 3 at 2000 x 2000 and
#           9600 x 9600 (target PNG <= 1.25 x TIFF), formula 27 at
#           2000 x 2000 (<= 1.05 x); min / median / max of the times, of
#           each round's ratio, and the best against the best; also the
#           processor time (user + system) of each, steadier than the wall
#           clock on a shared machine; LEVELS="1 6" adds PNGs at those
#           levels;
#   size    bench/save/pngsizes: the image data of the 31 formulas'
#           default pictures at every level against libpng's defaults
#           (target: total <= 1.15 x at the default level);
#   memory  peak resident memory of a 9600 x 9600 save of formula 3 to
#           PNG and to TIFF (/usr/bin/time -v; target PNG <= 1.1 x TIFF).
#
# usage: bench/save/png.sh [BUILD]      (default build/native)
#        PARTS="time size memory" ROUNDS=7 LEVELS=""
set -eu

cd "$(dirname "$0")/../.."
BUILD=${1:-build/native}
PARTS=${PARTS:-"time size memory"}
ROUNDS=${ROUNDS:-7}
LEVELS=${LEVELS:-}
LUMO=$BUILD/cli/lumo
cmake --build "$BUILD" --target lumo pngsizes >/dev/null

WORK=$(mktemp -d /tmp/lumo-pngbench-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

for part in $PARTS; do case $part in
time)
    for job in "3 2000 1.25" "3 9600 1.25" "27 2000 1.05"; do
        set -- $job
        rounds=$ROUNDS
        [ "$2" = 9600 ] && rounds=$(( (ROUNDS + 1) / 2 ))
        echo "== lumo render --formula $1 --size $2 $2 --threads 2: PNG against TIFF, $rounds rounds"
        /usr/bin/python3 - "$LUMO" "$WORK" "$rounds" "$3" "--formula $1 --size $2 $2 --threads 2" $LEVELS <<'PY'
import os, resource, statistics, subprocess, sys, time
lumo, work, rounds, target, args = sys.argv[1], sys.argv[2], int(sys.argv[3]), float(sys.argv[4]), sys.argv[5].split()
kinds = [("TIFF", "out.tif", []), ("PNG", "out.png", [])]
kinds += [("PNG level " + l, "out%s.png" % l, ["--png-level", l]) for l in sys.argv[6:]]
wall = {k: [] for k, _, _ in kinds}
cpu = {k: [] for k, _, _ in kinds}
def child_cpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime
for _ in range(rounds):
    for kind, name, extra in kinds:
        out = os.path.join(work, name)
        if os.path.exists(out):
            os.unlink(out)
        c, start = child_cpu(), time.perf_counter()
        subprocess.run([lumo, "render"] + args + extra + ["-o", out], stdout=subprocess.DEVNULL, check=True)
        wall[kind].append(time.perf_counter() - start)
        cpu[kind].append(child_cpu() - c)
def mmm(v):
    return "%.3f / %.3f / %.3f" % (min(v), statistics.median(v), max(v))
for kind, name, _ in kinds:
    print("  %-12s wall %s s   cpu %s s   %d bytes" % (kind, mmm(wall[kind]), mmm(cpu[kind]),
                                                       os.path.getsize(os.path.join(work, name))))
for kind, _, _ in kinds[1:]:
    ratios = [p / t for p, t in zip(wall[kind], wall["TIFF"])]
    best = min(wall[kind]) / min(wall["TIFF"])
    print("  %s / TIFF: each round %s, best against best %.2f (target <= %.2f); cpu median %.2f" % (
        kind, mmm(ratios), best, target, statistics.median(cpu[kind]) / statistics.median(cpu["TIFF"])))
PY
    done ;;
size)
    echo "== the image data of the formulas' default pictures against libpng's defaults"
    "$BUILD/bench/save/pngsizes" | tail -12 ;;
memory)
    echo "== peak resident memory of lumo render --formula 3 --size 9600 9600"
    peak() {   # kilobytes
        /usr/bin/time -v "$LUMO" render --formula 3 --size 9600 9600 -o "$1" 2>&1 >/dev/null |
            awk '/Maximum resident set size/ { print $NF }'
    }
    t=$(peak "$WORK/big.tif")
    rm -f "$WORK/big.tif"
    p=$(peak "$WORK/big.png")
    awk -v t="$t" -v p="$p" 'BEGIN {
        printf "TIFF %.1f MB, PNG %.1f MB: PNG / TIFF %.3f (target <= 1.10)\n", t / 1024, p / 1024, p / t }' ;;
*)
    echo "png.sh: unknown part $part" >&2; exit 2 ;;
esac; done
