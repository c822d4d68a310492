#!/bin/bash
# projections.sh - the sphere and the landscape against the plane render of
# the same size and function (targets: sphere <= 1.1 x plane, landscape
# <= 3 x the plane of its grid).  The three run in turns, ROUNDS times, so
# that all meet the same disturbance on a shared machine; the time is the
# render's own as `lumo render --time` reports it (a PNG is written after
# the render, outside the time).  Prints min / median / max of each and of
# each round's ratio, and the ratio of the best times.
#
# usage: bench/render/projections.sh [BUILD_DIR]   (default build/native)
#        ROUNDS=5 SIZES="600 2000" FORMULAS="3 9 20"
set -eu

cd "$(dirname "$0")/../.."
BUILD=${1:-build/native}
ROUNDS=${ROUNDS:-5}
SIZES=${SIZES:-"600 2000"}
FORMULAS=${FORMULAS:-"3 9 20"}
[ -x "$BUILD/cli/lumo" ] || { echo "projections.sh: no $BUILD/cli/lumo" >&2; exit 2; }

WORK=$(mktemp -d /tmp/lumo-projections-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

/usr/bin/python3 - "$BUILD/cli/lumo" "$WORK" "$ROUNDS" "$SIZES" "$FORMULAS" <<'PY'
import re, statistics, subprocess, sys
lumo, work, rounds = sys.argv[1], sys.argv[2], int(sys.argv[3])
sizes, formulas = sys.argv[4].split(), sys.argv[5].split()
views = {"plane": [], "sphere": ["--projection", "sphere"], "landscape": ["--projection", "landscape"]}

def seconds(formula, size, view):
    command = [lumo, "render", "--formula", formula, "--size", size, size, "--time",
               "-o", work + "/out.png"] + views[view]
    err = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=True,
                         text=True).stderr
    return float(re.search(r"in ([0-9.]+) s", err).group(1))

def mmm(values):
    return "%.3f / %.3f / %.3f" % (min(values), statistics.median(values), max(values))

targets = {"sphere": 1.1, "landscape": 3.0}
for size in sizes:
    for formula in formulas:
        times = {view: [] for view in views}
        for _ in range(rounds):
            for view in views:
                times[view].append(seconds(formula, size, view))
        print("== formula %s, %s x %s, %d rounds (seconds min / median / max)" % (formula, size, size, rounds))
        for view in views:
            print("  %-10s %s s" % (view, mmm(times[view])))
        for view in ("sphere", "landscape"):
            ratios = [a / b for a, b in zip(times[view], times["plane"])]
            best = min(times[view]) / min(times["plane"])
            print("  %-10s / plane: rounds %s, best against best %.2f (target <= %.1f)%s"
                  % (view, mmm(ratios), best, targets[view], "" if best <= targets[view] else "  OVER"))
        sys.stdout.flush()
PY
