#!/usr/bin/python3
"""The accurate gamma, log gamma and zeta of typed functions against mpmath.

Bounds, over pseudo-random points (fixed seed) of the domains the functions
promise, denser where they are delicate (near the real axis, around the
origin, the critical strip, |s| near 0 and 1):
  - gamma: relative error below 1e-13 on |Re z|, |Im z| <= 50 away from
    the poles;
  - log gamma, the continuation that mpmath's loggamma is (imaginary part
    not folded, the value from above on the negative real axis): error below
    1e-13 * max(1, |exact|) on the same square;
  - zeta: error below 1e-13 * max(1, |exact|) on -40 <= Re s <= 40,
    |Im s| <= 1000, away from the pole.

usage: check_accurate.py PATH-TO-ACCURATE_EVAL
"""
import random
import subprocess
import sys

import mpmath

mpmath.mp.dps = 30
LIMIT = 1e-13


def evaluate(program, name, points):
    text = "".join("%s %r %r\n" % (name, x, y) for x, y in points)
    run = subprocess.run([program], input=text, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        sys.exit("%s failed: %s" % (program, run.stderr))
    values = [complex(*map(float, line.split())) for line in run.stdout.splitlines()]
    if len(values) != len(points):
        sys.exit("%d values for %d points" % (len(values), len(points)))
    return values


def square_points(rng, count):
    """|Re z|, |Im z| <= 50, a third near the real axis, a fifth near the
    origin; nothing within 1e-3 of a pole."""
    points = []
    while len(points) < count:
        x, y = rng.uniform(-50, 50), rng.uniform(-50, 50)
        if rng.random() < 0.3:
            y = rng.uniform(-1, 1)
        if rng.random() < 0.2:
            x = rng.uniform(-3, 12)
        if x <= 0.5 and abs(y) < 1e-3 and abs(x - round(x)) < 1e-3:
            continue
        points.append((x, y))
    # The negative real axis, where log gamma takes its value from above.
    points += [(-k / 8.0 - 1 / 16.0, 0.0) for k in range(0, 400, 7)]
    points += [(k / 4.0, 0.0) for k in range(1, 200, 3)]
    return points


def zeta_points(rng, count):
    points = []
    while len(points) < count:
        x, y = rng.uniform(-40, 40), rng.uniform(-1000, 1000)
        r = rng.random()
        if r < 0.3:
            x = rng.uniform(-1, 2)
        elif r < 0.5:
            y = rng.uniform(-30, 30)
        elif r < 0.55:
            x, y = rng.uniform(-0.6, 0.6), rng.uniform(-0.6, 0.6)
        if abs(complex(x, y) - 1) < 1e-3:
            continue
        points.append((x, y))
    points += [(0.5, 14.134725141734693), (-2.0 + 1e-9, 0.0), (1e-12, 0.0), (1 + 1e-9, 0.0),
               (-39.5, 0.0), (40.0, 0.0), (0.5, -999.9)]
    return points


def check(program, name, exact, relative, points):
    worst = (0.0,)
    for (x, y), w in zip(points, evaluate(program, name, points)):
        e = complex(exact(mpmath.mpc(x, y)))
        scale = abs(e) if relative else max(1.0, abs(e))
        d = abs(w - e) / scale
        if not d <= worst[0]:
            worst = (d, x, y, w, e)
    d, x, y, w, e = worst
    ok = d <= LIMIT
    print("%-9s %5d points, worst %.3g at (%r, %r): %s" % (name, len(points), d, x, y,
                                                           "ok" if ok else "FAIL"))
    if not ok:
        print("  gives %r, mpmath %r" % (w, e))
    return ok


def main():
    program = sys.argv[1]
    rng = random.Random(7)
    square = square_points(rng, 1200)
    results = [
        check(program, "gamma", mpmath.gamma, True, square),
        check(program, "loggamma", mpmath.loggamma, False, square),
        check(program, "zeta", mpmath.zeta, False, zeta_points(rng, 450)),
    ]
    if not all(results):
        sys.exit(1)


if __name__ == "__main__":
    main()
