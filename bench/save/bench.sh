#!/bin/bash
# bench.sh - the save path beside an older version of it, built from git:
#   1. one TIFF save of a rendered picture already in memory (formula 3,
#      SIZE x SIZE, default 2000), uncompressed and LZW, the old build and
#      this one taking turns for ROUNDS rounds (default 7): the ratio
#      new / old of each round, min / median / max;
#   2. peak resident memory of `lumo render --formula 3 --size 9600 9600
#      --lzw` for both, against the raw image of 9600 * 9600 * 3 bytes
#      (target: at most 1.1 x raw);
#   3. the files both wrote, compared byte for byte.
# The new saves include flushing the file to the disk (fsync) before the
# rename, which the old ones never did: with DIR on a tmpfs that costs
# nothing and the ratio shows the writer alone.
#
# usage: bench/save/bench.sh [OLD_COMMIT [BUILD_DIR]]
#   OLD_COMMIT defaults to the commit before the save sink came in.
set -eu

cd "$(dirname "$0")/../.."
ROOT=$PWD
OLD=${1:-$(git log --format=%H --diff-filter=A -1 -- tiff/savesink.h)^}
BUILD=${2:-build/native}
ROUNDS=${ROUNDS:-7}
SIZE=${SIZE:-2000}
DIR=${DIR:-/tmp}

cmake --build "$BUILD" --target lumo savebench >/dev/null
WORK=$(mktemp -d "$DIR/lumo-savebench-XXXXXX")
OLDTREE=$WORK/old
cleanup() { git -C "$ROOT" worktree remove --force "$OLDTREE" 2>/dev/null || true; rm -rf "$WORK"; }
trap cleanup EXIT

echo "== building $(git rev-parse --short "$OLD") in $OLDTREE"
git worktree add --detach "$OLDTREE" "$OLD" >/dev/null 2>&1
mkdir -p "$OLDTREE/bench/save"
cp bench/save/savebench.cpp bench/save/CMakeLists.txt "$OLDTREE/bench/save/"
grep -q 'add_subdirectory(save)' "$OLDTREE/bench/CMakeLists.txt" ||
    echo 'add_subdirectory(save)' >>"$OLDTREE/bench/CMakeLists.txt"
cmake -S "$OLDTREE" -B "$OLDTREE/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$OLDTREE/build" -j2 --target lumo savebench >/dev/null

NEWBENCH=$BUILD/bench/save/savebench
OLDBENCH=$OLDTREE/build/bench/save/savebench

# ratio of each round, then min / median / max
stats() { sort -g | awk '{ v[NR] = $1 } END { printf "min %.2f  median %.2f  max %.2f", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

echo
echo "== one save of formula 3 at $SIZE x $SIZE, $ROUNDS rounds, in $DIR (seconds; ratio new / old)"
for compression in 1 5; do
    ratios=""
    for round in $(seq "$ROUNDS"); do
        o=$("$OLDBENCH" 3 "$SIZE" "$SIZE" "$compression" "$WORK/old.tif")
        n=$("$NEWBENCH" 3 "$SIZE" "$SIZE" "$compression" "$WORK/new.tif")
        cmp -s "$WORK/old.tif" "$WORK/new.tif" || { echo "files differ (compression $compression)"; exit 1; }
        ratios+="$(awk -v o="${o% *}" -v n="${n% *}" 'BEGIN { printf "%.4f", n / o }') "
        printf "  compression %s round %s: old %s  new %s\n" "$compression" "$round" "${o% *}" "${n% *}"
    done
    printf "compression %s: new / old  %s\n" "$compression" "$(echo $ratios | tr ' ' '\n' | stats)"
done

echo
echo "== peak memory of lumo render --formula 3 --size 9600 9600 --lzw"
RAW=$((9600 * 9600 * 3))
peak() {   # peak resident bytes of one render with the given lumo
    /usr/bin/time -f "%M" "$1" render --formula 3 --size 9600 9600 --lzw -o "$2" 2>&1 >/dev/null |
        tail -1 | awk '{ print $1 * 1024 }'
}
o=$(peak "$OLDTREE/build/cli/lumo" "$WORK/old.tif")
n=$(peak "$BUILD/cli/lumo" "$WORK/new.tif")
awk -v o="$o" -v n="$n" -v raw="$RAW" 'BEGIN {
    printf "raw image %.1f MB\n", raw / 1e6
    printf "old: %.1f MB = %.2f x raw\n", o / 1e6, o / raw
    printf "new: %.1f MB = %.2f x raw (target <= 1.10)\n", n / 1e6, n / raw }'
cmp "$WORK/old.tif" "$WORK/new.tif" && echo "the two 9600 x 9600 LZW files are the same, $(stat -c %s "$WORK/new.tif") bytes"
