"""Prints the window's render times beside lumo render's with the same
thread count: min / median / max of each, the ratio of the medians and
the target (at most 1.3).  The machine is shared and noisy, so this
reports; it does not fail.

    timing.py WHAT "WINDOW SECONDS..." "BASELINE SECONDS..." [BASELINE NAME]
"""
import statistics
import sys

TARGET = 1.3


def figures(values):
    return "min %.3f / median %.3f / max %.3f s (%d)" % (
        min(values), statistics.median(values), max(values), len(values))


def main(argv):
    what = argv[1]
    window = [float(v) for v in argv[2].split()]
    lumo = [float(v) for v in argv[3].split()]
    baseline = argv[4] if len(argv) > 4 else "lumo render"
    if not window or not lumo:
        print("    %s: no figures (window %r, lumo %r)" % (what, argv[2], argv[3]))
        return 0
    ratio = statistics.median(window) / max(statistics.median(lumo), 1e-6)
    print("    %s: window %s; %s %s" % (what, figures(window), baseline, figures(lumo)))
    print("    %s: ratio of medians %.2f (target <= %.1f): %s"
          % (what, ratio, TARGET, "within" if ratio <= TARGET else "OVER the target"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
