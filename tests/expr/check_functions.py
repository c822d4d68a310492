#!/usr/bin/python3
"""The elementary functions of typed text, through `lumo eval --expr`,
against mpmath: on a grid of the plane and on the branch cuts.

A point on a cut with a zero of + sign belongs to the side the README
names: sqrt, log, asin, acos on the real axis take the value from above
(Im z > 0); atan on the imaginary axis the value from the right (Re z > 0).
mpmath is asked for the limit there, one step of 1e-30 into that side.
Differences must stay below 1e-12 of max(1, |exact value|).

usage: check_functions.py PATH-TO-LUMO
"""
import subprocess
import sys

import mpmath

mpmath.mp.dps = 30
TOLERANCE = 1e-12
TINY = mpmath.mpf("1e-30")

FUNCTIONS = {
    "exp": mpmath.exp, "log": mpmath.log, "sqrt": mpmath.sqrt,
    "sin": mpmath.sin, "cos": mpmath.cos, "tan": mpmath.tan,
    "sinh": mpmath.sinh, "cosh": mpmath.cosh, "tanh": mpmath.tanh,
    "asin": mpmath.asin, "acos": mpmath.acos, "atan": mpmath.atan,
}

# Where each cut lies, as the side a + zero takes: "up" for a cut on the
# real axis (x in the cut's range), "right" for one on the imaginary axis.
CUTS = {
    "log": ("up", lambda x: x < 0), "sqrt": ("up", lambda x: x < 0),
    "asin": ("up", lambda x: abs(x) > 1), "acos": ("up", lambda x: abs(x) > 1),
    "atan": ("right", lambda y: abs(y) > 1),
}


def evaluate(lumo, text, points):
    data = "".join("%r %r\n" % p for p in points)
    run = subprocess.run([lumo, "eval", "--expr", text], input=data,
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        sys.exit("lumo eval failed: " + run.stderr)
    return [complex(float(a), float(b)) for a, b, _ in
            (line.split() for line in run.stdout.splitlines())]


def main(lumo):
    grid = [(x / 4.0, y / 4.0) for x in range(-14, 15) for y in range(-14, 15)]
    grid += [(3.0, 40.0), (-3.0, -40.0), (25.0, 0.5), (-25.0, -0.5), (1e-8, 1e-9)]
    cutvalues = [-7.5, -2.0, -1.5, -0.5, 0.5, 1.5, 2.0, 7.5]
    failures = 0
    for name, exact in sorted(FUNCTIONS.items()):
        points = list(grid)
        side, oncut = CUTS.get(name, (None, None))
        if side == "up":
            points += [(x, 0.0) for x in cutvalues]
        elif side == "right":
            points += [(0.0, y) for y in cutvalues]
        values = evaluate(lumo, name + "(z)", points)
        worst = (0.0, None)
        for (x, y), w in zip(points, values):
            z = mpmath.mpc(x, y)
            if side == "up" and y == 0.0 and oncut(x):
                z = mpmath.mpc(x, TINY)
            if side == "right" and x == 0.0 and oncut(y):
                z = mpmath.mpc(TINY, y)
            e = complex(exact(z))
            d = abs(w - e) / max(1.0, abs(e))
            if d > worst[0]:
                worst = (d, (x, y, w, e))
        verdict = "ok" if worst[0] <= TOLERANCE else "FAIL"
        print("%-5s %-4s worst %.2e %s" % (name, verdict, worst[0], worst[1] or ""))
        failures += verdict == "FAIL"
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
