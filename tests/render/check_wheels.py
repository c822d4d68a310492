"""Measures the OKLab colour maps on rendered pictures of w = z (formula 3),
with the colour science written here from the published constants, not
taken from the renderer:

- Perceptual (7): on every circle |w| = r the wheel's OKLab lightness stays
  within 0.01 of its mean, equal phase steps are equal steps of colour
  (neighbour delta E within 10 % of the mean), no channel is pinned at 0 or
  255 (nothing clipped), and lightness rises from black at the zero.
  One step of an 8-bit channel moves OKLab lightness by up to 0.07 near
  black, so lightness is held to 0.01 from L = 0.15 up, and the neighbour
  steps, whose size falls with the chroma toward black and white, are
  measured where L is 0.3 to 0.9 (they are 0.026 to 0.06 there).
- Colour-Blind Safe (8): phases 90 degrees apart stay at least 0.1 apart in
  OKLab delta E under the protanopia and deuteranopia simulations (Machado
  et al. 2009, severity 1); tritanopia is reported.
- Enhanced Portrait (9): colour steps down across |w| = 2^k and across
  every 30 degrees of phase.

    check_wheels.py LUMO WORKDIR
"""
import math
import os
import subprocess
import sys

from PIL import Image

# Linear sRGB -> LMS, cube root, -> OKLab (Ottosson 2020).
M1 = [[0.4122214708, 0.5363325363, 0.0514459929],
      [0.2119034982, 0.6806995451, 0.1073969566],
      [0.0883024619, 0.2817188376, 0.6299787005]]
M2 = [[0.2104542553, 0.7936177850, -0.0040720468],
      [1.9779984951, -2.4285922050, 0.4505937099],
      [0.0259040371, 0.7827717662, -0.8086757660]]
# Machado, Oliveira & Fernandes 2009, severity 1.0, on linear sRGB.
CVD = {
    "protanopia": [[0.152286, 1.052583, -0.204868], [0.114503, 0.786281, 0.099216],
                   [-0.003882, -0.048116, 1.051998]],
    "deuteranopia": [[0.367322, 0.860646, -0.227968], [0.280085, 0.672501, 0.047413],
                     [-0.011820, 0.042940, 0.968881]],
    "tritanopia": [[1.255528, -0.076749, -0.178779], [-0.078411, 0.930809, 0.147602],
                   [0.004733, 0.691367, 0.303900]],
}

SIZE = 801                  # pixel 400 is w = 0
HALF = 4.0                  # view -4..4, 0.01 per pixel
failures = []


def check(ok, text):
    if not ok:
        failures.append(text)


def apply(m, v):
    return [sum(m[i][k] * v[k] for k in range(3)) for i in range(3)]


def decode(byte):
    c = byte / 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def linear(pixel):
    return [decode(c) for c in pixel]


def oklab(lin):
    lms = apply(M1, lin)
    return apply(M2, [math.copysign(abs(x) ** (1.0 / 3.0), x) for x in lms])


def simulate(name, lin):
    return [min(1.0, max(0.0, x)) for x in apply(CVD[name], lin)]


def render(lumo, work, name, *options):
    path = os.path.join(work, name + ".tif")
    subprocess.run([lumo, "render", "--formula", "3", "--view", str(-HALF), str(HALF),
                    str(-HALF), str(HALF), "--size", str(SIZE), str(SIZE), "--grid", "none",
                    "-o", path] + list(options), check=True)
    return Image.open(path).convert("RGB")


def at(image, r, degrees):
    """The pixel nearest to w = r e^(i degrees) (row 0 is the top)."""
    t = math.radians(degrees)
    step = 2 * HALF / (SIZE - 1)
    col = round((r * math.cos(t) + HALF) / step)
    row = round((HALF - r * math.sin(t)) / step)
    return image.getpixel((col, row))


def perceptual(lumo, work):
    for level in (1, 2, 3):
        image = render(lumo, work, "perceptual%d" % level, "--map", "perceptual",
                       "--brightness", str(level))
        check(image.getpixel((400, 400)) == (0, 0, 0), "perceptual: the zero is not black")
        previous = 0.0
        for r in (0.1, 0.3, 0.6, 1.0, 1.7, 2.5, 3.9):
            pixels = [at(image, r, 15.0 * k) for k in range(24)]
            labs = [oklab(linear(p)) for p in pixels]
            lights = [c[0] for c in labs]
            mean = sum(lights) / len(lights)
            spread = max(abs(x - mean) for x in lights)
            check(spread <= 0.01 or mean < 0.15, "perceptual level %d |w| %g: lightness %.4f +- %.4f"
                  % (level, r, mean, spread))
            check(mean > previous, "perceptual level %d: lightness falls at |w| %g" % (level, r))
            previous = mean
            if 0.3 < mean < 0.9:
                check(all(0 < c < 255 for p in pixels for c in p),
                      "perceptual level %d |w| %g: a channel is clipped" % (level, r))
                # Neighbours 30 degrees apart: two interleaved rings.
                steps = [math.dist(labs[k], labs[(k + 2) % 24]) for k in range(24)]
                avg = sum(steps) / len(steps)
                worst = max(abs(s - avg) / avg for s in steps)
                check(worst <= 0.10, "perceptual level %d |w| %g: neighbour delta E %.4f varies %.0f %%"
                      % (level, r, avg, 100 * worst))
    # Hue order: red at phase 0, then yellow, green, blue counter-clockwise.
    image = render(lumo, work, "perceptual2", "--map", "7")
    hues = [math.degrees(math.atan2(c[2], c[1])) % 360
            for c in (oklab(linear(at(image, 2.0, d))) for d in (0, 60, 120, 240))]
    check(abs(hues[0] - 29.23) < 2, "perceptual: phase 0 is not red (hue %.1f)" % hues[0])
    check(hues[0] < hues[1] < hues[2] < hues[3], "perceptual: hues not in wheel order %s" % hues)


def colourblindsafe(lumo, work):
    for level in (1, 2, 3):
        image = render(lumo, work, "cbsafe%d" % level, "--map", "8", "--brightness", str(level))
        for r in (0.2, 0.75, 1.0, 1.45, 3.0):
            lins = [linear(at(image, r, 5.0 * k)) for k in range(72)]
            for name in ("protanopia", "deuteranopia", "tritanopia"):
                seen = [oklab(simulate(name, lin)) for lin in lins]
                least = min(math.dist(seen[k], seen[(k + 18) % 72]) for k in range(72))
                if name == "tritanopia":
                    print("colour-blind safe level %d |w| %g: %s, 90 degrees apart >= %.3f"
                          % (level, r, name, least))
                else:
                    check(least >= 0.1, "colour-blind safe level %d |w| %g: %s, 90 degrees apart "
                          "only %.3f" % (level, r, name, least))


def enhanced(lumo, work):
    image = render(lumo, work, "enhanced", "--map", "enhanced")
    light = lambda r, d: oklab(linear(at(image, r, d)))[0]
    for r in (0.5, 1.0, 2.0):
        for d in (10.0, 100.0, 200.0):
            check(light(r - 0.03, d) - light(r + 0.03, d) > 0.05,
                  "enhanced: no step down across |w| = %g at %g degrees" % (r, d))
    for d in (30.0, 90.0, 150.0, 210.0, 300.0):
        for r in (1.4, 2.8):
            check(light(r, d - 2.0) - light(r, d + 2.0) > 0.05,
                  "enhanced: no step down across phase %g at |w| %g" % (d, r))


def main():
    lumo, work = sys.argv[1], sys.argv[2]
    os.makedirs(work, exist_ok=True)
    perceptual(lumo, work)
    colourblindsafe(lumo, work)
    enhanced(lumo, work)
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
