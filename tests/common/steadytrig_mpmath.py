#!/usr/bin/python3
"""steady_atan2 and steady_sincos against mpmath on a few thousand inputs.

Runs `steadycheck list N` and rounds mpmath's value of each function, at 160
bits, to the nearest double.  Every result must be within one ulp of that,
and at most one in a thousand may differ from it (the design error is about
2^-70 relative, so a miss should be a rare near-tie).

  steadytrig_mpmath.py STEADYCHECK [N]
"""
import struct
import subprocess
import sys

import mpmath

mpmath.mp.prec = 160
SUBNORMAL = mpmath.mpf(2) ** -1022
QUANTUM = mpmath.mpf(2) ** -1074


def double(hexbits):
    return struct.unpack("<d", struct.pack("<Q", int(hexbits, 16)))[0]


def nearest(value):
    """The double nearest to value, rounding subnormals only once."""
    if abs(value) < SUBNORMAL:
        return float(mpmath.nint(value / QUANTUM) * QUANTUM)
    return float(value)


def ulp_steps(a, b):
    """How many doubles apart a and b are (both finite, same sign)."""
    ia = struct.unpack("<q", struct.pack("<d", a))[0]
    ib = struct.unpack("<q", struct.pack("<d", b))[0]
    return abs(ia - ib)


def main():
    tool = sys.argv[1]
    count = sys.argv[2] if len(sys.argv) > 2 else "3000"
    out = subprocess.run([tool, "list", count], check=True,
                         capture_output=True, text=True).stdout
    results = {"atan2": [0, 0], "sin": [0, 0], "cos": [0, 0]}
    failures = []
    for line in out.splitlines():
        name, *words = line.split()
        values = [double(w) for w in words]
        if name == "atan2":
            y, x, got = values
            checks = [("atan2", got, mpmath.atan2(y, x), (y, x))]
        else:
            x, s, c = values
            checks = [("sin", s, mpmath.sin(x), x), ("cos", c, mpmath.cos(x), x)]
        for fn, got, exact, arg in checks:
            want = nearest(exact)
            results[fn][0] += 1
            if got != want or (got == 0 and str(got) != str(want)):
                results[fn][1] += 1
                if got == 0 or want == 0 or (got < 0) != (want < 0) or ulp_steps(got, want) > 1:
                    failures.append("%s%r = %r, mpmath %r" % (fn, arg, got, want))
    ok = not failures
    for fn, (total, missed) in results.items():
        print("%s: %d of %d not correctly rounded" % (fn, missed, total))
        ok = ok and total > 0 and missed * 1000 <= total
    for text in failures[:10]:
        print("more than an ulp off:", text)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
