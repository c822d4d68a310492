#!/usr/bin/python3
"""bench.py - the time of `lumo figure` against the plain `lumo render` of the
same picture, for the whole command (start, render, layout, encoding, save
with its fsync and rename), and the start-up of lumo against an older build.

The commands run in turns, ROUNDS times, so that all meet the same
disturbance on a shared machine; prints min / median / max of each and the
target: a figure within 1.3 x the plain PNG render's time plus 20 ms
(compared on the medians, and on the best times).

usage: bench/figure/bench.py [LUMO [OLD_LUMO]]   (default build/native/cli/lumo)
       ROUNDS=15 ARGS="--formula 6 --size 600 600"
"""
import os
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
    ("render .png", [lumo, "render"] + args + ["-o", os.path.join(work, "p.png")]),
    ("render .tif", [lumo, "render"] + args + ["-o", os.path.join(work, "p.tif")]),
    ("figure .svg", [lumo, "figure"] + args + ["-o", os.path.join(work, "f.svg")]),
    ("figure .pdf", [lumo, "figure"] + args + ["-o", os.path.join(work, "f.pdf")]),
    ("figure .png", [lumo, "figure"] + args + ["-o", os.path.join(work, "f.png")]),
    ("start: lumo formulas", [lumo, "formulas"]),
]
if old:
    cases.append(("start: old lumo formulas", [old, "formulas"]))

times = {name: [] for name, _ in cases}
for _ in range(rounds):
    for name, command in cases:
        start = time.perf_counter()
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
        times[name].append(time.perf_counter() - start)

print(f"{rounds} rounds of: lumo ... {' '.join(args)}")
for name, t in times.items():
    print(f"  {name:26s} min {min(t) * 1e3:8.1f} ms  median {statistics.median(t) * 1e3:8.1f} ms"
          f"  max {max(t) * 1e3:8.1f} ms")
# The target is against the PNG render: every figure compresses the
# picture (PNG, or Flate inside the PDF) as that one does; the uncompressed
# TIFF is printed beside for scale.
for fig in ("figure .svg", "figure .pdf", "figure .png"):
    for how, pick in (("median", statistics.median), ("best", min)):
        f, r, t = pick(times[fig]), pick(times["render .png"]), pick(times["render .tif"])
        verdict = "within" if f <= 1.3 * r + 0.020 else "OUTSIDE"
        print(f"  {fig} / render .png ({how:6s}): {f / r:5.2f} x, {verdict} 1.3 x + 20 ms "
              f"({f * 1e3:.1f} against {1.3 * r * 1e3 + 20:.1f} ms); / render .tif {f / t:5.2f} x")
for name in os.listdir(work):
    os.remove(os.path.join(work, name))
os.rmdir(work)
