"""Checks the files the TIFF writer makes with code we did not write:
libtiff's tiffinfo and tiffdump must accept them and show the expected
tags, and PIL must decode them to exactly the saved surface bytes.  Renders
saved by the command-line tool must decode to the same surface bytes.

    check_tiff_tools.py TIFFSAMPLE WORKDIR [LUMO]
"""
import os
import re
import shutil
import subprocess
import sys

from PIL import Image

# Bits one string table can hold at most before a Clear: 254 codes of 9
# bits, 512 of 10, 1024 of 11 and 2046 of 12.
MOST_BITS_PER_TABLE = 254 * 9 + 512 * 10 + 1024 * 11 + 2046 * 12

WARNING = ("LZW compression ineffective for this image.\n"
           "Please save in uncompressed format.")

# kind, width, height, options, codes of the uncompressed and LZW saves,
# saved width, least number of Clear codes in mid-stream
CASES = [
    ("black", 32, 32, [], (0, 0), 32, 0),
    ("smooth", 1300, 600, [], (0, 0), 1300, 1),
    ("palette", 1300, 600, [], (0, 0), 1300, 20),
    ("smooth", 9600, 32, [], (0, 0), 9600, 1),
    ("palette", 9600, 32, [], (0, 0), 9600, 20),
    ("noise", 64, 64, [], (0, 4), 64, 0),
    # every byte coded on its own: widths 9 to 12 and a Clear mid-stream
    ("distinct", 48, 32, ["--unlimited"], (0, 0), 48, 1),
    # the final code's table step widens End of Information to 10 bits
    ("distinct", 85, 1, ["--unlimited"], (0, 0), 85, 0),
    # the final code's table step puts a Clear before End of Information
    ("distinct", 1279, 1, ["--unlimited"], (0, 0), 1279, 0),
    # real renders with the real-axis graph: saved 1300 wide
    ("render:27", 600, 600, ["--graph"], (0, 0), 1300, 20),
    ("render:3", 600, 600, ["--graph"], (0, 0), 1300, 20),
    ("render:0", 400, 300, [], (0, 0), 400, 0),
    ("render:9", 9600, 32, [], (0, 0), 9600, 1),
]

# The same renders saved by `lumo render`: kind, width, height, its options
LUMO_CASES = [
    ("render:3", 600, 600, ["--formula", "3", "--graph"]),
    ("render:0", 400, 300, ["--formula", "0", "--size", "400", "300"]),
    ("render:9", 9600, 32, ["--formula", "9", "--size", "9600", "32"]),
]


def run(args):
    return subprocess.run(args, capture_output=True, text=True)


def check_tiffdump(path, width, height, compression, strip):
    out = run(["tiffdump", path])
    assert out.returncode == 0 and out.stderr == "", out.stderr
    tags = {}
    for line in out.stdout.splitlines():
        m = re.match(r"\s*\w+ \((\d+)\) (\w+) \((\d+)\) (\d+)<([^>]*)>", line)
        if m:
            tags[int(m.group(1))] = (m.group(2), int(m.group(4)), m.group(5).split())
    want = {
        256: ("SHORT", 1, [str(width)]),
        257: ("SHORT", 1, [str(height)]),
        258: ("SHORT", 3, ["8", "8", "8"]),
        259: ("SHORT", 1, [str(compression)]),
        262: ("SHORT", 1, ["2"]),
        273: ("LONG", 1, ["180"]),
        277: ("SHORT", 1, ["3"]),
        278: ("SHORT", 1, [str(height)]),
        279: ("LONG", 1, [str(strip)]),
        282: ("RATIONAL", 1, ["300"]),
        283: ("RATIONAL", 1, ["300"]),
        296: ("SHORT", 1, ["2"]),
    }
    assert tags == want, "tiffdump shows %s" % tags
    assert "Directory 0: offset 8 (0x8) next 0 (0)" in out.stdout, out.stdout


def check_tiffinfo(path, width, height, compression):
    # -D reads and decodes the image data too
    out = run(["tiffinfo", "-D", path])
    assert out.returncode == 0 and out.stderr == "", out.stderr
    for text in ("Image Width: %d Image Length: %d" % (width, height),
                 "Resolution: 300, 300 pixels/inch",
                 "Bits/Sample: 8",
                 "Compression Scheme: %s" % ("LZW" if compression == 5 else "None"),
                 "Photometric Interpretation: RGB color",
                 "Samples/Pixel: 3",
                 "Rows/Strip: %d" % height,
                 "Planar Configuration: single image plane"):
        assert text in out.stdout, "tiffinfo lacks %r:\n%s" % (text, out.stdout)


def check_pil(path, width, height, raw):
    with Image.open(path) as im:
        assert im.mode == "RGB" and im.size == (width, height), (im.mode, im.size)
        assert im.tobytes() == raw, "decoded pixels differ from the surface"


def sample_base(work, kind, width, height):
    return os.path.join(work, kind.replace(":", "") + "-%dx%d" % (width, height))


def check_lumo(lumo, work, kind, width, height, options):
    raw = open(sample_base(work, kind, width, height) + ".rgb", "rb").read()
    savedwidth = len(raw) // (3 * height)
    for compression, extra in ((1, []), (5, ["--lzw"])):
        path = os.path.join(work, "lumo-%s-%d.tif" % (kind.replace(":", ""), compression))
        out = run([lumo, "render"] + options + extra + ["-o", path])
        assert out.returncode == 0, out.stderr
        strip = os.path.getsize(path) - 180
        check_tiffdump(path, savedwidth, height, compression, strip)
        check_tiffinfo(path, savedwidth, height, compression)
        check_pil(path, savedwidth, height, raw)


def main():
    sample, work = sys.argv[1], sys.argv[2]
    lumo = sys.argv[3] if len(sys.argv) > 3 else None
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    failures = 0
    for kind, width, height, options, codes, savedwidth, clears in CASES:
        name = "%s %dx%d %s" % (kind, width, height, " ".join(options))
        base = sample_base(work, kind, width, height)
        try:
            out = run([sample, kind, str(width), str(height), base] + options)
            assert out.returncode == 0, out.stderr
            got = out.stdout.split(" ", 2)
            assert (int(got[0]), int(got[1])) == codes, "codes %s" % got[:2]
            raw = open(base + ".rgb", "rb").read()
            assert len(raw) == savedwidth * height * 3
            for compression, code in zip((1, 5), codes):
                path = "%s-%d.tif" % (base, compression)
                if code != 0:
                    assert not os.path.exists(path), "failed save left a file"
                    assert got[2].rstrip("\n") == WARNING, got[2]
                    continue
                strip = os.path.getsize(path) - 180
                if compression == 1:
                    assert strip == len(raw)
                else:
                    assert strip * 8 > clears * MOST_BITS_PER_TABLE, "too few Clear codes"
                check_tiffdump(path, savedwidth, height, compression, strip)
                check_tiffinfo(path, savedwidth, height, compression)
                check_pil(path, savedwidth, height, raw)
            print("ok   %s" % name)
        except AssertionError as e:
            failures += 1
            print("FAIL %s: %s" % (name, e))
    for kind, width, height, options in LUMO_CASES if lumo else []:
        name = "lumo render " + " ".join(options)
        try:
            check_lumo(lumo, work, kind, width, height, options)
            print("ok   %s" % name)
        except AssertionError as e:
            failures += 1
            print("FAIL %s: %s" % (name, e))
    if failures == 0:
        shutil.rmtree(work, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
