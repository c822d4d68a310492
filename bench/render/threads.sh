#!/bin/bash
# threads.sh - how much faster `lumo render` is on two threads than on one,
# for the whole command (start, render, save with its fsync and rename):
# formula 3 at 2000 x 2000 by default.  One and two threads run in turns,
# ROUNDS times, so that both meet the same disturbance on a shared
# machine; prints min / median / max of the times and of the ratio of each
# round's pair, and the ratio of the best times (bench.sh too takes the
# best run: on a shared virtual machine a single thread's runs are often
# bimodal, some half again as slow, which the pairs' ratios carry).  Given
# a second build (e.g. the previous commit built in a scratch folder), it
# runs in the same turns and is printed beside.
#
# Each save writes a new file (the old one is removed before the timing),
# or with REPLACE=1 replaces the file of the run before, which adds the
# freeing of the old file's blocks to every save.
#
# usage: bench/render/threads.sh [BUILD [OLD_BUILD]]   (default build/native)
#        ROUNDS=15 ARGS="--formula 3 --size 2000 2000" REPLACE=0
set -eu

cd "$(dirname "$0")/../.."
BUILDS=("${1:-build/native}")
[ $# -ge 2 ] && BUILDS+=("$2")
ROUNDS=${ROUNDS:-15}
ARGS=${ARGS:-"--formula 3 --size 2000 2000"}
REPLACE=${REPLACE:-0}
for b in "${BUILDS[@]}"; do
  [ -x "$b/cli/lumo" ] || { echo "threads.sh: no $b/cli/lumo" >&2; exit 2; }
done

WORK=$(mktemp -d /tmp/lumo-threads-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# The rounds, timed from Python: a shell's own process starts around each
# command would add milliseconds to both sides of the ratio.
/usr/bin/python3 - "$WORK" "$ROUNDS" "$REPLACE" "$ARGS" "${BUILDS[@]}" >"$WORK/times" <<'PY'
import os, subprocess, sys, time
work, rounds, replace, args = sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1", sys.argv[4].split()
out = os.path.join(work, "out.tif")
def seconds(build, threads):
    if not replace and os.path.exists(out):
        os.unlink(out)
    command = [os.path.join(build, "cli", "lumo"), "render"] + args + ["--threads", str(threads), "-o", out]
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start
for _ in range(rounds):
    for k, build in enumerate(sys.argv[5:]):
        one, two = seconds(build, 1), seconds(build, 2)
        print(k, one, two)
PY

echo "== lumo render $ARGS: one thread against two, $ROUNDS rounds$([ "$REPLACE" = 1 ] && echo ", replacing the file")"
/usr/bin/python3 - "$WORK/times" "${BUILDS[@]}" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def mmm(values, unit=""):
    return "%.3f / %.3f / %.3f%s" % (min(values), statistics.median(values), max(values), unit)
for k, build in enumerate(sys.argv[2:]):
    mine = [(float(a), float(b)) for key, a, b in rows if int(key) == k]
    print("%s" % build)
    print("  one thread   %s s" % mmm([a for a, b in mine]))
    print("  two threads  %s s" % mmm([b for a, b in mine]))
    print("  speed-up     %s (min / median / max of each round's ratio)" % mmm([a / b for a, b in mine]))
    best = min(a for a, b in mine) / min(b for a, b in mine)
    print("  best against best  %.2f (the runs least disturbed by other work; target >= 1.85)" % best)
PY
