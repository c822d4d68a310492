"""Checks the status bar's readout at a pixel: z is the point the renderer
maps the pixel to, w what `lumo eval` computes there, |w| and arg w follow.

    readout.py TEXT FORMULA XMIN XMAX YMIN YMAX XRES YRES X Y LUMO

Exit status 0 when it holds, 1 with a line saying why.
"""
import math
import re
import subprocess
import sys

NUMBER = r"([-+]?(?:inf|nan|[0-9.]+(?:e[-+]?[0-9]+)?))"


def close(a, b):
    if math.isnan(a) or math.isnan(b):
        return math.isnan(a) and math.isnan(b)
    return a == b or abs(a - b) <= 2e-9 * max(abs(a), abs(b), 1e-300)


def main(argv):
    text, formula = argv[1], argv[2]
    x0, x1, y0, y1 = (float(v) for v in argv[3:7])
    xres, yres, px, py = (int(v) for v in argv[7:11])
    lumo = argv[11]
    pattern = (r"^%d, %d:\s+z = %s %si\s+w = %s %si\s+\|w\| = %s\s+arg w = %s$"
               % (px, py, NUMBER, NUMBER, NUMBER, NUMBER, NUMBER, NUMBER))
    m = re.match(pattern, text)
    if not m:
        print("FAIL: cannot read the readout: %r" % text)
        return 1
    zx, zy, wx, wy, modulus, argument = (float(v) for v in m.groups())
    # The renderer's own mapping (the same double arithmetic).
    want_zx = px * (x1 - x0) / (xres - 1) + x0
    want_zy = (yres - py - 1) * (y1 - y0) / (yres - 1) + y0
    if not (close(zx, want_zx) and close(zy, want_zy)):
        print("FAIL: z = %r %r, the pixel is at %r %r" % (zx, zy, want_zx, want_zy))
        return 1
    out = subprocess.run([lumo, "eval", "--formula", formula], input="%r %r\n" % (want_zx, want_zy),
                         capture_output=True, text=True, check=True).stdout.split()
    ex, ey = float(out[0]), float(out[1])
    if not (close(wx, ex) and close(wy, ey)):
        print("FAIL: w = %r %r, lumo eval gives %r %r" % (wx, wy, ex, ey))
        return 1
    if not (close(modulus, math.hypot(ex, ey)) and close(argument, math.atan2(ey, ex))):
        print("FAIL: |w| = %r, arg w = %r for w = %r %r" % (modulus, argument, ex, ey))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
