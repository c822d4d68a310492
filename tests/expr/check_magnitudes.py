#!/usr/bin/python3
"""Typed functions at huge and tiny arguments, through `lumo eval --expr`,
against mpmath: moduli from 1e-300 to 1e300 in several directions, where
x^2 + y^2 overflows or underflows although every value is finite.  Values
beyond 1e-300 .. 1e300 in size are left out: no double holds them.

Differences must stay below 1e-12 of |exact value|; those of the inverse
trigonometric functions and tanh below 1e-12 of max(1, |exact value|), as
their tiny values come from differences near 0 (a loss of relative
accuracy that no modulus causes).

usage: check_magnitudes.py PATH-TO-LUMO
"""
import math
import subprocess
import sys

import mpmath

mpmath.mp.dps = 40
TOLERANCE = 1e-12
THIRD = mpmath.mpf(1.0 / 3.0)     # the double the text 1/3 folds to

# text, exact function of z, whether the scale is max(1, |w|)
CASES = [
    ("abs(z)", abs, False),
    ("log(z)", mpmath.log, False),
    ("sqrt(z)", mpmath.sqrt, False),
    ("z^0.5", lambda z: mpmath.power(z, 0.5), False),
    ("z^(1/3)", lambda z: mpmath.power(z, THIRD), False),
    ("z^i", lambda z: mpmath.power(z, 1j), False),
    ("z/z", lambda z: mpmath.mpf(1), False),
    ("1/z", lambda z: 1 / z, False),
    ("(1+2i)/z", lambda z: mpmath.mpc(1, 2) / z, False),
    ("z/(3e200-4e200i)", lambda z: z / mpmath.mpc(3e200, -4e200), False),
    ("atan(z)", mpmath.atan, True),
    ("asin(z)", mpmath.asin, True),
    ("acos(z)", mpmath.acos, True),
    ("tanh(z)", mpmath.tanh, True),
]
# On the real axis beyond 1 asin and acos take the value from above (see
# check_functions.py): mpmath is asked one step of 1e-30 into that side.
ABOVE = ("asin(z)", "acos(z)")


def points():
    """Moduli 10^k for k from -300 to 300, in six directions, and points
    whose parts differ hugely in size."""
    result = []
    for k in range(-300, 301, 15):
        r = 10.0 ** k
        for angle in (0.0, 0.4, 1.3, math.pi / 2, 2.6, -2.2):
            result.append((r * math.cos(angle), r * math.sin(angle)))
    result += [(1e300, 1e-300), (-1e-300, 1e300), (1e-300, -3e-310), (2e154, 0.0), (-2e154, 1e153)]
    return result


def evaluate(lumo, text, pts):
    data = "".join("%r %r\n" % p for p in pts)
    run = subprocess.run([lumo, "eval", "--expr", text], input=data,
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        sys.exit("lumo eval failed: " + run.stderr)
    return [complex(float(a), float(b)) for a, b, _ in
            (line.split() for line in run.stdout.splitlines())]


def worst(lumo, text, exact, unitscale, pts):
    values = evaluate(lumo, text, pts)
    bad = (0.0, None)
    for (x, y), w in zip(pts, values):
        z = mpmath.mpc(x, y)
        if text in ABOVE and y == 0.0 and abs(x) > 1:
            z = mpmath.mpc(x, mpmath.mpf("1e-30"))
        e = exact(z)
        if e != 0 and not 1e-300 <= abs(e) <= 1e300:
            continue    # no double holds it
        scale = max(mpmath.mpf(1), abs(e)) if unitscale else (abs(e) or mpmath.mpf(1))
        d = float(abs(mpmath.mpc(w.real, w.imag) - e) / scale)
        if not d <= bad[0]:
            bad = (d, (x, y, w, complex(e)))
    return bad


def main(lumo):
    failures = 0
    pts = points()
    for text, exact, unitscale in CASES:
        d, where = worst(lumo, text, exact, unitscale, pts)
        verdict = "ok" if d <= TOLERANCE else "FAIL"
        print("%-15s %-4s worst %.2e %s" % (text, verdict, d, where or ""))
        failures += verdict == "FAIL"
    # A finite exp whose modulus squared overflows: log(exp(z^2)) is z^2
    # up to a multiple of 2 pi i.
    near = [(x / 2.0, 0.01 * x) for x in range(24, 53)]
    d, where = worst(lumo, "log(exp(z^2))", lambda z: mpmath.log(mpmath.exp(z * z)), False, near)
    verdict = "ok" if d <= TOLERANCE else "FAIL"
    print("%-15s %-4s worst %.2e %s" % ("log(exp(z^2))", verdict, d, where or ""))
    failures += verdict == "FAIL"
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
