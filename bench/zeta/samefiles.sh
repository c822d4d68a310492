#!/bin/bash
# samefiles.sh - two builds of lumo must write the same files: every formula
# at its own view and three others (a close-up off centre, twice as wide,
# moved), zeta's formulas also around the pole, at the first zero and far
# right, each on one and two threads, uncompressed and LZW.  The views are
# read from render/settings.cpp.  Prints a line per formula and ends with
# the count; exit status 1 if any pair of files (or of refusals, where an
# LZW save does not pay) differs.
#
# usage: bench/zeta/samefiles.sh OLD_LUMO NEW_LUMO [SIZE [FORMULAS...]]
#        (SIZE default 240, FORMULAS default all)
set -eu
[ $# -ge 2 ] || { echo "usage: $0 OLD_LUMO NEW_LUMO [SIZE [FORMULAS...]]" >&2; exit 2; }
cd "$(dirname "$0")/../.."
OLD=$(realpath "$1")
NEW=$(realpath "$2")
SIZE=${3:-240}
shift $(( $# < 3 ? $# : 3 ))
WORK=$(mktemp -d /tmp/lumo-samefiles-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# "N XMIN XMAX YMIN YMAX" for every formula, from the table of views.
awk '/^IMAGE im\[/ { on = 1; next } on && /^};/ { exit }
     on && /\/\* *[0-9]+ / { gsub(/[{},]/, " "); split($0, f, "/\\*");
                             split(f[1], v, " "); split(f[2], n, " ");
                             print n[1], v[1], v[2], v[3], v[4] }' render/settings.cpp >"$WORK/views"
[ "$(wc -l <"$WORK/views")" -eq 31 ] || { echo "samefiles.sh: cannot read the views" >&2; exit 2; }
FORMULAS=${*:-$(seq 0 30)}

compared=0
differ=0
for f in $FORMULAS; do
    read -r _ x0 x1 y0 y1 < <(awk -v f="$f" '$1 == f' "$WORK/views")
    views=$(awk -v a="$x0" -v b="$x1" -v c="$y0" -v d="$y1" 'BEGIN {
        w = b - a; h = d - c;
        printf "%.17g %.17g %.17g %.17g\n", a, b, c, d;
        printf "%.17g %.17g %.17g %.17g\n", a + 0.3 * w, a + 0.55 * w, c + 0.4 * h, c + 0.65 * h;
        printf "%.17g %.17g %.17g %.17g\n", a - 0.5 * w, b + 0.5 * w, c - 0.5 * h, d + 0.5 * h;
        printf "%.17g %.17g %.17g %.17g\n", a + 0.37 * w, b + 0.37 * w, c - 0.21 * h, d - 0.21 * h }')
    if [ "$f" -ge 27 ] && [ "$f" -le 29 ]; then
        views=$(printf "%s\n%s\n" "$views" "0.9 1.1 -0.1 0.1
0.4 0.6 14.0 14.3
12 42 -15 15")
    fi
    n=0
    while read -r a b c d; do
        for threads in 1 2; do
            for lzw in "" --lzw; do
                args=(render --formula "$f" --view "$a" "$b" "$c" "$d" --size "$SIZE" "$SIZE"
                      --threads "$threads" $lzw)
                rm -f "$WORK/old.tif" "$WORK/new.tif"
                old=0; new=0
                "$OLD" "${args[@]}" -o "$WORK/old.tif" >"$WORK/old.out" 2>&1 || old=$?
                "$NEW" "${args[@]}" -o "$WORK/new.tif" >"$WORK/new.out" 2>&1 || new=$?
                # A save both refuse (LZW that does not pay) must be refused alike.
                if [ "$old" -ne "$new" ] || ! cmp -s "$WORK/old.out" "$WORK/new.out" ||
                   { [ "$old" -eq 0 ] && ! cmp -s "$WORK/old.tif" "$WORK/new.tif"; }; then
                    echo "DIFFER: lumo ${args[*]}"
                    differ=$((differ + 1))
                fi
                n=$((n + 1))
            done
        done
    done <<<"$views"
    compared=$((compared + n))
    echo "formula $f: $n pairs compared"
done
echo "$compared pairs of files compared, $differ differ"
[ "$differ" -eq 0 ]
