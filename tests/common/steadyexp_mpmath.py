#!/usr/bin/python3
"""steady_exp, steady_log, steady_pow and steady_hypot against mpmath.

Runs `steadyexpcheck N` and rounds mpmath's value of each function, at 200
bits, to the nearest double (subnormals rounded once, on their own grid).
Every result must be within one ulp of that, zeros and infinities exact, and
at most one in a thousand may differ from it (the design error is about
2^-70 relative, so a miss should be a rare near-tie).

  steadyexp_mpmath.py STEADYEXPCHECK [N]
"""
import struct
import subprocess
import sys

import mpmath

mpmath.mp.prec = 200
SUBNORMAL = mpmath.mpf(2) ** -1022
QUANTUM = mpmath.mpf(2) ** -1074
LARGEST = mpmath.mpf(2) ** 1024 * (1 - mpmath.mpf(2) ** -54)   # rounds to inf from here


def double(hexbits):
    return struct.unpack("<d", struct.pack("<Q", int(hexbits, 16)))[0]


def nearest(value):
    if abs(value) >= LARGEST:
        return float("inf") if value > 0 else float("-inf")
    if abs(value) < SUBNORMAL:
        return float(mpmath.nint(value / QUANTUM) * QUANTUM)
    return float(value)


def ulp_steps(a, b):
    ia = struct.unpack("<q", struct.pack("<d", a))[0]
    ib = struct.unpack("<q", struct.pack("<d", b))[0]
    return abs(ia - ib)


def exact(name, args):
    if name == "exp":
        return mpmath.exp(args[0])
    if name == "log":
        return mpmath.log(args[0])
    x, y = args
    if name == "hypot":
        return mpmath.hypot(x, y)
    value = mpmath.power(abs(mpmath.mpf(x)), y)
    return -value if x < 0 and y % 2 == 1 else value


def main():
    tool = sys.argv[1]
    count = sys.argv[2] if len(sys.argv) > 2 else "3000"
    out = subprocess.run([tool, count], check=True, capture_output=True, text=True).stdout
    results = {"exp": [0, 0], "log": [0, 0], "pow": [0, 0], "hypot": [0, 0]}
    failures = []
    for line in out.splitlines():
        name, *words = line.split()
        *args, got = [double(w) for w in words]
        want = nearest(exact(name, args))
        results[name][0] += 1
        if got == want:
            continue
        results[name][1] += 1
        finite = abs(got) < float("inf") and abs(want) < float("inf")
        if not finite or got == 0 or want == 0 or (got < 0) != (want < 0) or ulp_steps(got, want) > 1:
            failures.append("%s%r = %r, mpmath %r" % (name, tuple(args), got, want))
    ok = not failures
    for name, (total, missed) in results.items():
        print("%s: %d of %d not correctly rounded" % (name, missed, total))
        ok = ok and total > 0 and missed * 1000 <= total
    for text in failures[:10]:
        print("more than an ulp off:", text)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
