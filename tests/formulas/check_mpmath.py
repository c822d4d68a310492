#!/usr/bin/python3
"""gamma and zeta of `lumo eval` against mpmath.

The tolerances are the accuracies the methods are built for, not what the
code happens to reach:
  - gamma agrees with the gamma function to about six significant digits on
    -3.5 <= s <= 10 of the real axis (relative difference below 5e-6) and to
    about four near s = 50 (below 5e-4);
  - zeta's Laurent series about 1 (used for Re z <= 2) is accurate to nearly
    full double precision around the seam at Re z = 2 and inside the disk
    |z - 1| <= 2 (difference below 1e-13 of max(1, |zeta|));
  - right of the seam the 19-term alternating series is off by about 0.003.

usage: check_mpmath.py PATH-TO-LUMO
"""
import subprocess
import sys

import mpmath

mpmath.mp.dps = 30
failures = []


def evaluate(lumo, formula, points):
    """w for each point, through lumo eval."""
    text = "".join("%r %r\n" % (x, y) for x, y in points)
    run = subprocess.run([lumo, "eval", "--formula", str(formula)], input=text,
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        sys.exit("lumo eval failed: " + run.stderr)
    values = []
    for line in run.stdout.splitlines():
        wx, wy, result = line.split()
        values.append(complex(float(wx), float(wy)))
    if len(values) != len(points):
        sys.exit("lumo eval printed %d lines for %d points" % (len(values), len(points)))
    return values


def check(name, points, values, exact, tolerance, scale):
    """Records the worst point when a difference exceeds tolerance * scale."""
    worst = None
    for (x, y), w in zip(points, values):
        e = complex(exact(x, y))
        d = abs(w - e) / scale(e)
        if worst is None or d > worst[0]:
            worst = (d, x, y, w, e)
    d, x, y, w, e = worst
    verdict = "ok" if d <= tolerance else "FAIL"
    print("%-40s worst %.3g at (%r, %r), limit %.0e: %s" % (name, d, x, y, tolerance, verdict))
    if d > tolerance:
        failures.append("%s: %r + %ri gives %r, mpmath %r" % (name, x, y, w, e))


def main():
    lumo = sys.argv[1]

    def gamma(x, y):
        return mpmath.gamma(mpmath.mpc(x, y))

    def zeta(x, y):
        return mpmath.zeta(mpmath.mpc(x, y))

    def relative(e):
        return abs(e)

    def relative_or_absolute(e):
        return max(1.0, abs(e))

    # gamma on -3.5 .. 10 in steps of 1/128 (exact binary fractions), leaving
    # out the poles 0, -1, -2, -3 where both sides are infinite.
    points = [(k / 128.0, 0.0) for k in range(-448, 1281) if not (k <= 0 and k % 128 == 0)]
    check("gamma, real axis -3.5..10", points, evaluate(lumo, 20, points), gamma, 5e-6, relative)
    points = [(48.0 + k / 64.0, 0.0) for k in range(257)]
    check("gamma, real axis 48..52", points, evaluate(lumo, 20, points), gamma, 5e-4, relative)

    # zeta by the Laurent series: the disk |z - 1| <= 2 (left of the seam),
    # and the seam line Re z = 2 near the axis.
    points = []
    for a in range(-20, 11):
        for b in range(-20, 21):
            x, y = 1.0 + a / 10.0, b / 10.0
            if (x - 1.0) ** 2 + y * y <= 4.0 and (x, y) != (1.0, 0.0):
                points.append((x, y))
    points += [(2.0, k / 16.0) for k in range(-16, 17)]
    check("zeta, Laurent series, |z - 1| <= 2", points, evaluate(lumo, 27, points), zeta,
          1e-13, relative_or_absolute)

    # Just right of the seam: off by about 0.003.
    points = [(2.0001, 0.0)]
    w = evaluate(lumo, 27, points)[0]
    d = abs(w - complex(zeta(2.0001, 0.0)))
    verdict = "ok" if 0.002 <= d <= 0.004 else "FAIL"
    print("%-40s %.3g (about 0.003): %s" % ("zeta, alternating series at 2.0001", d, verdict))
    if verdict != "ok":
        failures.append("zeta at 2.0001 differs from mpmath by %g, not about 0.003" % d)

    if failures:
        print("\n".join(failures))
        sys.exit(1)


if __name__ == "__main__":
    main()
