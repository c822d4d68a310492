#!/usr/bin/python3
"""bench.py - the time of `lumo figure` against the plain `lumo render` of the
same picture, for the whole command (start, render, layout, encoding, save
with its fsync and rename), and the start-up of lumo against an older build.

The commands run in turns, ROUNDS times, so that all meet the same
disturbance on a shared machine.  Prints min / median / max of the wall
time and of the processor time (user + system, all threads: on a machine
shared with other work, the steadier of the two), and the target: a figure
within 1.3 x the plain render's time plus 20 ms, against the plain render
to TIFF (uncompressed, saved while rendering) and to PNG (compressed, as
every figure's picture is), on the medians and on the best times.

usage: bench/figure/bench.py [LUMO [OLD_LUMO]]   (default build/native/cli/lumo)
       ROUNDS=15 ARGS="--formula 6 --size 600 600"
"""
import os
import resource
import statistics
import subprocess
import sys
import tempfile
import time

lumo = sys.argv[1] if len(sys.argv) > 1 else "build/native/cli/lumo"
old = sys.argv[2] if len(sys.argv) > 2 else None
rounds = int(os.environ.get("ROUNDS", "15"))
args = os.environ.get("ARGS", "--formula 6 --size 600 600").split()
work = tempfile.mkdtemp(prefix="lumo-figure-bench-")

cases = [
    ("render .tif", [lumo, "render"] + args + ["-o", os.path.join(work, "p.tif")]),
    ("render .png", [lumo, "render"] + args + ["-o", os.path.join(work, "p.png")]),
    ("figure .svg", [lumo, "figure"] + args + ["-o", os.path.join(work, "f.svg")]),
    ("figure .pdf", [lumo, "figure"] + args + ["-o", os.path.join(work, "f.pdf")]),
    ("figure .png", [lumo, "figure"] + args + ["-o", os.path.join(work, "f.png")]),
    ("start: lumo formulas", [lumo, "formulas"]),
]
if old:
    cases.append(("start: old lumo formulas", [old, "formulas"]))


def childcpu():
    r = resource.getrusage(resource.RUSAGE_CHILDREN)
    return r.ru_utime + r.ru_stime


wall = {name: [] for name, _ in cases}
cpu = {name: [] for name, _ in cases}
for _ in range(rounds):
    for name, command in cases:
        c0, t0 = childcpu(), time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
        wall[name].append(time.perf_counter() - t0)
        cpu[name].append(childcpu() - c0)

print(f"{rounds} rounds of: lumo ... {' '.join(args)}")
for name in wall:
    w, c = wall[name], cpu[name]
    print(f"  {name:25s} wall min {min(w) * 1e3:7.1f}  median {statistics.median(w) * 1e3:7.1f}"
          f"  max {max(w) * 1e3:7.1f} ms;  processor min {min(c) * 1e3:6.1f}"
          f"  median {statistics.median(c) * 1e3:6.1f}  max {max(c) * 1e3:6.1f} ms")
for what, times in (("wall", wall), ("processor", cpu)):
    for base in ("render .tif", "render .png"):
        for fig in ("figure .svg", "figure .pdf", "figure .png"):
            line = f"  {what:9s} {fig} / {base}:"
            for how, pick in (("median", statistics.median), ("best", min)):
                f, r = pick(times[fig]), pick(times[base])
                verdict = "within" if f <= 1.3 * r + 0.020 else "OUTSIDE"
                line += f"  {how} {f / r:5.2f} x ({f * 1e3:.0f} ms, {verdict} {1.3 * r * 1e3 + 20:.0f})"
            print(line)
for name in os.listdir(work):
    os.remove(os.path.join(work, name))
os.rmdir(work)
