#!/bin/bash
# bench.sh - lumo animate against lumo render once per frame: frames per
# second for z^2 + c (c moving) and zeta(z + t i) (t moving) at 600 x 600,
# PNG frames.  The two ways run in turns, ROUNDS times, so that both meet
# the same disturbance on a shared machine; the render side runs the very
# commands the frames carry in their Comment.  Prints min / median / max of
# frames per second for each, and of each round's ratio of times
# (animate / renders; the target is at most 1.1), and of the ratio of
# processor time, which a busy shared machine disturbs less.
#
# usage: bench/animate/bench.sh [BUILD]   (default build/native)
#        ROUNDS=5 FRAMES="24 6" (frames of each case)
set -eu

cd "$(dirname "$0")/../.."
BUILD=${1:-build/native}
ROUNDS=${ROUNDS:-5}
FRAMES=${FRAMES:-"24 6"}
[ -x "$BUILD/cli/lumo" ] || { echo "bench.sh: no $BUILD/cli/lumo" >&2; exit 2; }
WORK=$(mktemp -d /tmp/lumo-animate-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

/usr/bin/python3 - "$WORK" "$ROUNDS" "$BUILD/cli/lumo" $FRAMES <<'PY'
import os, resource, shlex, statistics, subprocess, sys, time
from PIL import Image
work, rounds, lumo = sys.argv[1], int(sys.argv[2]), os.path.abspath(sys.argv[3])
frames = [int(n) for n in sys.argv[4:6]]
cases = [("z^2 + c", ["--param", "c=-1:0.25+0.5i"]), ("zeta(z + t i)", ["--param", "t=0:40"])]

def cpu():
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime

def timed(runs):
    """Wall and processor seconds of the commands, run one after another."""
    start, startcpu = time.perf_counter(), cpu()
    for command, folder in runs:
        subprocess.run(command, cwd=folder, check=True)
    return time.perf_counter() - start, cpu() - startcpu

def animate(text, params, n, folder):
    os.makedirs(folder, exist_ok=True)
    return timed([([lumo, "animate", "--expr", text] + params + ["--frames", str(n), "--size", "600", "600",
                   "-o", os.path.join(folder, "f-%04d.png")], folder)])

def renders(commands, folder):
    return timed([([lumo] + words[1:], folder) for words in commands])

def mmm(values):
    return "%.2f / %.2f / %.2f" % (min(values), statistics.median(values), max(values))

for (text, params), n in zip(cases, frames):
    folder = os.path.join(work, "a")
    animate(text, params, n, folder)
    commands = []
    for k in range(n):
        with Image.open(os.path.join(folder, "f-%04d.png" % k)) as image:
            commands.append(shlex.split(image.info["Comment"]))
    alone = os.path.join(work, "r")
    os.makedirs(alone, exist_ok=True)
    a, r = [], []
    for _ in range(rounds):
        a.append(animate(text, params, n, folder))
        r.append(renders(commands, alone))
    print("== %s, %d frames of 600 x 600, %d rounds (load %.1f)" % (text, n, rounds, os.getloadavg()[0]))
    print("   lumo animate          %s frames/s" % mmm([n / t for t, c in a]))
    print("   lumo render x %-3d     %s frames/s" % (n, mmm([n / t for t, c in r])))
    print("   time ratio animate / renders: %s (best against best %.2f; target <= 1.1)"
          % (mmm([x[0] / y[0] for x, y in zip(a, r)]), min(a)[0] / min(r)[0]))
    print("   processor time ratio:         %s" % mmm([x[1] / y[1] for x, y in zip(a, r)]))
PY
