#!/bin/bash
# speed.sh - formula 27 rendered at 2000 x 2000 on one thread by two builds
# of lumo taking turns, ROUNDS rounds (default 5): the previous code (a build
# of an earlier commit, e.g. main in a scratch worktree) and this one.
# Prints each round's CPU and wall times and the ratios new / old with
# min/median/max (target: at most 0.6).  The files of every round must be
# the same, and are compared too.
#
# usage: bench/zeta/speed.sh OLD_LUMO NEW_LUMO [FORMULA [SIZE]]
set -eu
[ $# -ge 2 ] || { echo "usage: $0 OLD_LUMO NEW_LUMO [FORMULA [SIZE]]" >&2; exit 2; }
OLD=$1
NEW=$2
FORMULA=${3:-27}
SIZE=${4:-2000}
ROUNDS=${ROUNDS:-5}
WORK=$(mktemp -d /tmp/lumo-zetaspeed-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# "user+sys wall" seconds of one render to $WORK/$2.tif by lumo $1.
timed() {
    /usr/bin/time -f "%U %S %e" -o "$WORK/time" "$1" render -o "$WORK/$2.tif" \
        --formula "$FORMULA" --size "$SIZE" "$SIZE" --threads 1 >/dev/null
    awk '{ printf "%.2f %.2f\n", $1 + $2, $3 }' "$WORK/time"
}

echo "== formula $FORMULA, $SIZE x $SIZE, one thread, $ROUNDS rounds taking turns"
printf "%-6s %9s %9s %9s %9s %8s %8s\n" round "old cpu" "new cpu" "old wall" "new wall" "cpu" "wall"
: >"$WORK/ratios"
for k in $(seq "$ROUNDS"); do
    if [ $((k % 2)) -eq 1 ]; then
        read -r oc ow < <(timed "$OLD" old); read -r nc nw < <(timed "$NEW" new)
    else
        read -r nc nw < <(timed "$NEW" new); read -r oc ow < <(timed "$OLD" old)
    fi
    cmp -s "$WORK/old.tif" "$WORK/new.tif" || { echo "round $k: the files differ" >&2; exit 1; }
    awk -v k="$k" -v oc="$oc" -v nc="$nc" -v ow="$ow" -v nw="$nw" 'BEGIN {
        printf "%-6s %9.2f %9.2f %9.2f %9.2f %8.3f %8.3f\n", k, oc, nc, ow, nw, nc / oc, nw / ow }'
    awk -v oc="$oc" -v nc="$nc" -v ow="$ow" -v nw="$nw" 'BEGIN { print nc / oc, nw / ow }' >>"$WORK/ratios"
done
for column in 1 2; do
    sort -g -k$column,$column "$WORK/ratios" | awk -v c="$column" '{ r[NR] = $c } END {
        printf "new / old %s time: min %.3f median %.3f max %.3f (target <= 0.6)\n",
               c == 1 ? "CPU" : "wall", r[1], r[int((NR + 1) / 2)], r[NR] }'
done
echo "files of every round identical"
