#!/bin/bash
# threads.sh - how much faster `lumo render` is on two threads than on one,
# for the whole command (start, render, save with its fsync and rename):
# formula 3 at 2000 x 2000 by default.  One and two threads run in turns,
# ROUNDS times, so that both meet the same disturbance on a shared
# machine; prints min / median / max of the times and of the ratio of each
# round's pair.  Given a second build (e.g. the previous commit built in a
# scratch folder), it runs in the same turns and is printed beside.
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

# seconds BUILD THREADS: the wall time of one whole command.
seconds() {
  [ "$REPLACE" = 1 ] || rm -f "$WORK/out.tif"
  local start end
  start=$(date +%s%N)
  # shellcheck disable=SC2086
  "$1/cli/lumo" render $ARGS --threads "$2" -o "$WORK/out.tif" >/dev/null
  end=$(date +%s%N)
  echo $(( end - start ))
}

for round in $(seq "$ROUNDS"); do
  for k in "${!BUILDS[@]}"; do
    one=$(seconds "${BUILDS[$k]}" 1)
    two=$(seconds "${BUILDS[$k]}" 2)
    echo "$k $one $two"
  done
done >"$WORK/times"

echo "== lumo render $ARGS: one thread against two, $ROUNDS rounds$([ "$REPLACE" = 1 ] && echo ", replacing the file")"
/usr/bin/python3 - "$WORK/times" "${BUILDS[@]}" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
def mmm(values, unit=""):
    return "%.3f / %.3f / %.3f%s" % (min(values), statistics.median(values), max(values), unit)
for k, build in enumerate(sys.argv[2:]):
    mine = [(int(a) / 1e9, int(b) / 1e9) for key, a, b in rows if int(key) == k]
    print("%s" % build)
    print("  one thread   %s s" % mmm([a for a, b in mine]))
    print("  two threads  %s s" % mmm([b for a, b in mine]))
    print("  speed-up     %s (min / median / max of each round's ratio; target >= 1.85)"
          % mmm([a / b for a, b in mine]))
PY
