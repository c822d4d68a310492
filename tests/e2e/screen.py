"""Pixel checks of the e2e tests: screenshots and saved TIFF files of the
window program against the TIFF files that `lumo render` writes for the
same settings.  Run with /usr/bin/python3 (PIL and numpy).

    screen.py locate SHOT REF             -> "X Y" of the client origin
    screen.py image SHOT REF X Y W H      image area (W x H) equal
    screen.py strip SHOT REF X Y RIGHT    graph strip, tolerance for the lines
    screen.py tiff FILE REF W raw|lzw     a saved file (image width W)
    screen.py find SHOT PICTURE           the picture is on the screen 1:1
    screen.py waitfor PICTURE SECS        until the live screen shows it
    screen.py watch REF X Y W H TEST N SECS
        watches the live screen until the rows drawn so far satisfy TEST:
        "atleast" N rows equal REF, or "fewer" than N with the rest grey,
        or "settled" (the rest grey); prints "DONE GREY"

The image area must match exactly.  In the graph strip (x >= 697) the
window system draws the axes and the curve with its own wide-pen
rasteriser, so there a pixel may differ where the other picture has a
pixel of the same colour within TOLERANCE pixels.
Exit status 0 when the check holds, 1 with a line saying why when not.
"""
import subprocess
import sys
import time

import numpy as np
from PIL import Image

STRIP_LEFT = 697
TOLERANCE = 2
GREY = (128, 128, 128)


def load(name):
    return np.asarray(Image.open(name).convert("RGB"), dtype=np.uint8)


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


def locate(shot, ref):
    """Finds where the top-left 64 x 64 block of ref sits in the top-left
    corner region of the screen (the client origin)."""
    block = ref[:64, :64]
    for y in range(0, 120):
        for x in range(0, 40):
            if np.array_equal(shot[y:y + 64, x:x + 64], block):
                return x, y
    fail("the picture is not on the screen")


def first_difference(a, b):
    diff = np.any(a != b, axis=2)
    ys, xs = np.nonzero(diff)
    return int(diff.sum()), (int(xs[0]), int(ys[0])) if len(xs) else None


def check_image(shot, ref, x, y, w, h):
    area = shot[y:y + h, x:x + w]
    want = ref[:h, :w]
    if area.shape != want.shape:
        fail("image area %dx%d out of the screen" % (w, h))
    count, where = first_difference(area, want)
    if count:
        fail("%d pixels of the image differ, first at %s: %s instead of %s"
             % (count, where, tuple(area[where[1], where[0]]), tuple(want[where[1], where[0]])))


def near(mask, radius):
    """Pixels within radius (Chebyshev) of a set pixel of mask."""
    out = mask.copy()
    h, w = mask.shape
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            src = mask[max(0, -dy):h - max(0, dy), max(0, -dx):w - max(0, dx)]
            out[max(0, dy):h - max(0, -dy), max(0, dx):w - max(0, -dx)] |= src
    return out


def compare_strip(got, want, what):
    """Every pixel that differs must have its colour near it in the other
    picture, both ways; this lets a line move by up to TOLERANCE pixels
    but finds a missing, extra or wrongly coloured line."""
    diff = np.any(got != want, axis=2)
    if not diff.any():
        return
    bad = np.zeros_like(diff)
    for a, b in ((got, want), (want, got)):
        colours = np.unique(a[diff].reshape(-1, 3), axis=0)
        for c in colours:
            in_a = np.all(a == c, axis=2) & diff
            in_b = near(np.all(b == c, axis=2), TOLERANCE)
            bad |= in_a & ~in_b
    if bad.any():
        ys, xs = np.nonzero(bad)
        fail("%s: %d pixels of the graph strip have no match within %d pixels, first at (%d, %d)"
             % (what, int(bad.sum()), TOLERANCE, int(xs[0]) + STRIP_LEFT, int(ys[0])))


def check_strip(shot, ref, x, y, right):
    h = ref.shape[0]
    got = shot[y:y + h, x + STRIP_LEFT:x + right]
    want = ref[:, STRIP_LEFT:right]
    compare_strip(got, want, "screen")


def count_rows(shot, ref, x, y, w, h):
    """The number of leading rows equal to ref, and whether all rows after
    them are the grey of an image not yet rendered."""
    area = shot[y:y + h, x:x + w]
    same = np.all(np.all(area == ref[:h, :w], axis=2), axis=1)
    done = int(np.argmin(same)) if not same.all() else h
    grey = bool(np.all(area[done:] == np.array(GREY, dtype=np.uint8)))
    return done, grey


def grab():
    """The live screen, read as a raw PPM (much quicker than a PNG)."""
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                          check=True, stdout=subprocess.PIPE).stdout
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    pixels = np.frombuffer(fields[4], dtype=np.uint8, count=width * height * 3)
    return pixels.reshape(height, width, 3)


def watch(ref, x, y, w, h, test, n, seconds):
    tests = {
        "atleast": lambda done, grey: done >= n,
        "fewer": lambda done, grey: done < n and grey,
        "settled": lambda done, grey: grey,
    }
    end = time.monotonic() + seconds
    while True:
        done, grey = count_rows(grab(), ref, x, y, w, h)
        if tests[test](done, grey):
            print(done, 1 if grey else 0)
            return
        if time.monotonic() > end:
            fail("after %d s: %d rows done, rest %s" % (seconds, done, "grey" if grey else "not grey"))


def check_tiff(name, ref, w, compression):
    with Image.open(name) as im:
        found = im.info.get("compression")
    want = {"raw": "raw", "lzw": "tiff_lzw"}[compression]
    if found != want:
        fail("%s is compressed as %s, expected %s" % (name, found, want))
    got = load(name)
    if got.shape != ref.shape:
        fail("%s is %dx%d, expected %dx%d" % (name, got.shape[1], got.shape[0], ref.shape[1], ref.shape[0]))
    left = min(w, STRIP_LEFT)
    count, where = first_difference(got[:, :left], ref[:, :left])
    if count:
        fail("%s: %d pixels differ, first at %s" % (name, count, where))
    if ref.shape[1] > STRIP_LEFT:
        compare_strip(got[:, STRIP_LEFT:], ref[:, STRIP_LEFT:], name)


def find(shot, picture):
    """Where the picture appears pixel for pixel on the screen, or None."""
    h, w = picture.shape[:2]
    ys, xs = np.nonzero(np.all(shot[:shot.shape[0] - h + 1, :shot.shape[1] - w + 1]
                               == picture[0, 0], axis=2))
    for y, x in zip(ys, xs):
        if np.array_equal(shot[y:y + h, x:x + w], picture):
            return int(x), int(y)
    return None


def main(argv):
    command = argv[1]
    if command == "locate":
        x, y = locate(load(argv[2]), load(argv[3]))
        print(x, y)
    elif command == "image":
        check_image(load(argv[2]), load(argv[3]), *map(int, argv[4:8]))
    elif command == "strip":
        check_strip(load(argv[2]), load(argv[3]), *map(int, argv[4:7]))
    elif command == "tiff":
        check_tiff(argv[2], load(argv[3]), int(argv[4]), argv[5])
    elif command == "watch":
        x, y, w, h = map(int, argv[3:7])
        watch(load(argv[2]), x, y, w, h, argv[7], int(argv[8]), float(argv[9]))
    elif command == "waitfor":
        picture, end = load(argv[2]), time.monotonic() + float(argv[3])
        while (where := find(grab(), picture)) is None:
            if time.monotonic() > end:
                fail("%s did not show within %s s" % (argv[2], argv[3]))
        print(*where)
    elif command == "find":
        where = find(load(argv[2]), load(argv[3]))
        if where is None:
            fail("%s is not on the screen" % argv[3])
        print(*where)
    else:
        fail("unknown command " + command)


if __name__ == "__main__":
    main(sys.argv)
