"""Figures from lumo figure, checked with readers we did not write.

- The SVG parses (Python's XML parser); for views that cross zero and
  views that do not, tiny and wide, the ticks lie at multiples of a 1-2-5
  step inside the view, each label reads back as its tick's value with no
  more decimals than the step has, and each tick sits over the pixel whose
  centre has that value.
- Rendered back by tools of others (rsvg-convert for SVG, pdftoppm for PDF,
  PIL for PNG), the picture region equals lumo render's picture.
- The key's colours equal lumo render's colours of the same w: the ring
  against a render of z/|z| (times the ring's modulus) centred on the ring,
  each tick of the modulus bar against a render of the tick's |w|.
- A PNG figure's Comment, run by a shell, makes the same file again.
- The PDF embeds its fonts (pdffonts) and is --dpi's size (pdfinfo); a
  name of no known format exits 2
  naming the formats; a save that fails leaves the old file.

    check_figure.py LUMO WORKDIR
"""
import base64
import io
import os
import re
import resource
import shutil
import signal
import subprocess
import sys
import xml.etree.ElementTree as ET
from fractions import Fraction

from PIL import Image

SVGNS = "{http://www.w3.org/2000/svg}"
XLINK = "{http://www.w3.org/1999/xlink}href"
RINGMODULUS = "1.00000095367431640625"   # 1 + 2^-20, the ring's |w|
failures = []


def check(ok, text):
    if not ok:
        failures.append(text)


def lumo(command, args, limit=None):
    def limited():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
    return subprocess.run([LUMO, command] + args, capture_output=True, text=True,
                          preexec_fn=limited if limit else None)


def make(command, args, name):
    path = os.path.join(WORK, name)
    run = lumo(command, args + ["-o", path])
    if run.returncode != 0:
        raise SystemExit(f"lumo {command} {args} failed: {run.stderr}")
    return path


def group(root, name):
    for g in root.iter(SVGNS + "g"):
        if g.get("id") == name:
            return g
    raise SystemExit(f"no group {name}")


def embedded(image):
    href = image.get(XLINK)
    assert href.startswith("data:image/png;base64,")
    png = Image.open(io.BytesIO(base64.b64decode(href.split(",", 1)[1])))
    return png.convert("RGB"), float(image.get("x")), float(image.get("y"))


def number(label):
    return float(label.replace("\u2212", "-"))


def decimals(text):
    text = text.replace("\u2212", "-")
    return len(text.split(".")[1]) if "." in text else 0


def check_axis(name, ticks, low, high, place, fewest):
    """ticks: (line position, text position, label); place(v) the pixel
    centre's position of value v."""
    where = f"{name} of {low}..{high}"
    check(len(ticks) >= fewest, f"{where}: fewer than {fewest} ticks")
    if len(ticks) < 2:
        return
    values = [Fraction(t[2].replace("\u2212", "-")) for t in ticks]
    values.sort()
    step = values[1] - values[0]
    steps = {values[k + 1] - values[k] for k in range(len(values) - 1)}
    check(steps == {step}, f"{where}: uneven steps {steps}")
    m = step
    e = 0
    while m >= 10:
        m, e = m / 10, e + 1
    while m < 1:
        m, e = m * 10, e - 1
    check(m in (1, 2, 5), f"{where}: step {step} is not 1, 2 or 5 times a power of ten")
    check(all(v % step == 0 for v in values), f"{where}: ticks off the multiples of {step}")
    check(values[0] >= Fraction(low) and values[-1] <= Fraction(high), f"{where}: a tick outside")
    check(values[0] - step < Fraction(low) and values[-1] + step > Fraction(high),
          f"{where}: a multiple of the step inside the view has no tick")
    for line, text, label in ticks:
        check(abs(line - text) < 1e-6, f"{where}: label {label} is not at its tick")
        check(abs(line - place(number(label))) < 1e-6, f"{where}: tick {label} at {line}, "
              f"not over the pixel of its value ({place(number(label))})")
        check(decimals(label) <= max(0, -e), f"{where}: label {label} has more decimals than "
              f"the step {step} needs")
    check("0" in [t[2] for t in ticks] or not (float(low) < 0 < float(high)), f"{where}: zero has no tick")


VIEWS = [
    (["--view", "-2", "2", "-2", "2"], 600, 600),              # crosses zero
    (["--view", "0.3", "0.9", "1.25", "1.5"], 400, 300),       # does not
    (["--view", "-30", "20", "-20", "20"], 700, 500),          # the widest allowed
    (["--view", "1.00000001", "1.00000004", "-3e-8", "-1e-8"], 300, 200),  # tiny
    (["--view", "-1e-7", "2e-7", "-20", "-19.9"], 64, 600),    # tiny and narrow
]


def check_ticks():
    for view, w, h in VIEWS:
        args = ["--formula", "27"] + view + ["--size", str(w), str(h)]
        root = ET.parse(make("figure", args, "ticks.svg")).getroot()
        image = group(root, "picture").find(SVGNS + "image")
        x0, y0 = float(image.get("x")), float(image.get("y"))
        check((float(image.get("width")), float(image.get("height"))) == (w, h),
              f"{view}: the picture is not {w} x {h}")
        xmin, xmax, ymin, ymax = (float(v) for v in view[1:5])
        dx, dy = (xmax - xmin) / (w - 1), (ymax - ymin) / (h - 1)
        g = group(root, "xticks")
        lines = [float(l.get("x1")) for l in g.iter(SVGNS + "line")]
        texts = [(float(t.get("x")), t.text) for t in g.iter(SVGNS + "text")]
        check(len(lines) == len(texts), f"{view}: x ticks and labels differ in number")
        check_axis("x", [(l, x, s) for l, (x, s) in zip(lines, texts)], view[1], view[2],
                   lambda v: x0 + 0.5 + (v - xmin) / dx, 2 if w >= 150 else 1)
        g = group(root, "yticks")
        lines = [float(l.get("y1")) for l in g.iter(SVGNS + "line")]
        texts = [t.text for t in g.iter(SVGNS + "text")]
        check(len(lines) == len(texts), f"{view}: y ticks and labels differ in number")
        check_axis("y", [(l, l, s) for l, s in zip(lines, texts)], view[3], view[4],
                   lambda v: y0 + 0.5 + (ymax - v) / dy, 2 if h >= 150 else 1)
        titles = [t.text for t in group(root, "axistitles").iter(SVGNS + "text")]
        check(titles == ["Re z", "Im z"], f"axis titles {titles}")
    # A member of a family says which: the typed text and its values.
    root = ET.parse(make("figure", ["--expr", "sin(a z)+b", "--param", "a=2", "--param", "b=0.5+1i",
                                    "--size", "160", "120"], "family.svg")).getroot()
    title = group(root, "title").find(SVGNS + "text").text
    check(title == "w = sin(a z)+b,  a = 2, b = 0.5+1i", f"the family's title reads {title!r}")


def crop(image, x, y, w, h):
    return image.convert("RGB").crop((x, y, x + w, y + h))


def check_pictures():
    cases = [["--formula", "27", "--size", "300", "240"],
             ["--expr", "(z^2 - 1)(z - 2 - i)^2 / (z^2 + 2 + 2i)", "--map", "perceptual",
              "--size", "211", "173", "--grid", "both"],
             ["--formula", "0", "--map", "abs-colour", "--size", "64", "64"]]
    for args in cases:
        plain = Image.open(make("render", args, "plain.png")).convert("RGB")
        w, h = plain.size
        svg = make("figure", args, "fig.svg")
        root = ET.parse(svg).getroot()
        picture, x, y = embedded(group(root, "picture").find(SVGNS + "image"))
        check(picture.tobytes() == plain.tobytes(), f"{args}: the SVG's picture is not lumo render's")
        x, y = int(x), int(y)
        subprocess.run(["rsvg-convert", svg, "-o", os.path.join(WORK, "svg.png")], check=True)
        drawn = Image.open(os.path.join(WORK, "svg.png"))
        check(crop(drawn, x, y, w, h).tobytes() == plain.tobytes(),
              f"{args}: rsvg-convert's picture region differs from lumo render's")
        pdf = make("figure", args, "fig.pdf")
        # pdftoppm smooths images it draws at less than 4 times their size
        # (poppler's Splash), /Interpolate false or not: at 4 x 96 dpi each
        # pixel is a 4 x 4 block, whose centre is the pixel.
        subprocess.run(["pdftoppm", "-r", "384", "-png", "-singlefile", pdf,
                        os.path.join(WORK, "pdf")], check=True)
        drawn = crop(Image.open(os.path.join(WORK, "pdf.png")), 4 * x, 4 * y, 4 * w, 4 * h)
        check(drawn.resize((w, h), Image.NEAREST).tobytes() == plain.tobytes(),
              f"{args}: pdftoppm's picture region differs from lumo render's")
        png = Image.open(make("figure", args, "fig.png"))
        check(crop(png, x, y, w, h).tobytes() == plain.tobytes(),
              f"{args}: the PNG figure's picture region differs from lumo render's")
        comment = png.info.get("Comment", "")
        check(comment.startswith("lumo render ") and "--figure" in comment and
              comment.endswith(" -o fig.png"), f"{args}: the PNG's Comment {comment}")
        # The Comment, run by a shell in an empty folder, makes the same file.
        again = os.path.join(WORK, "again")
        shutil.rmtree(again, ignore_errors=True)
        os.makedirs(again)
        env = dict(os.environ, PATH=os.path.dirname(os.path.abspath(LUMO)) + ":" + os.environ["PATH"])
        subprocess.run(["/bin/sh", "-c", comment], cwd=again, env=env, check=True)
        same = open(os.path.join(again, "fig.png"), "rb").read() == \
            open(os.path.join(WORK, "fig.png"), "rb").read()
        check(same, f"{args}: the Comment does not make the same PNG figure")
        fonts = subprocess.run(["pdffonts", pdf], capture_output=True, text=True, check=True).stdout
        rows = fonts.splitlines()[2:]
        check(rows and all("DejaVuSans" in r and r.split()[-5] == "yes" for r in rows),
              f"{args}: the PDF does not embed DejaVu Sans:\n{fonts}")


def colour_of(args, expr, size=32):
    png = make("render", ["--expr", expr] + args + ["--grid", "none", "--size", str(size), str(size)],
               "colour.png")
    return Image.open(png).convert("RGB")


def check_key(maps):
    for args in maps:
        root = ET.parse(make("figure", ["--expr", "z"] + args, "key.svg")).getroot()
        showsphase = "abs" not in args[1]
        if showsphase:
            ring, _, _ = embedded(group(root, "phasekey").find(SVGNS + "image"))
            d = ring.size[0]
            c = d // 2
            expect = colour_of(args + ["--view", str(-c), str(c), str(-c), str(c)],
                               f"z / abs(z) * {RINGMODULUS}", d)
            bad = 0
            for j in range(d):
                for i in range(d):
                    r = ((i - c) ** 2 + (j - c) ** 2) ** 0.5
                    if 38.0 <= r <= 60.5 and ring.getpixel((i, j)) != expect.getpixel((i, j)):
                        bad += 1
            check(bad == 0, f"{args}: {bad} pixels of the ring differ from lumo render's z/|z|")
        else:
            check(not [g for g in root.iter(SVGNS + "g") if g.get("id") == "phasekey"],
                  f"{args}: a phase key for a map of |w| alone")
        g = group(root, "moduluskey")
        bar, bx, by = embedded(g.find(SVGNS + "image"))
        lines = [float(l.get("y1")) for l in g.iter(SVGNS + "line")]
        labels = [t.text for t in g.iter(SVGNS + "text")][1:]
        check(len(lines) == len(labels) >= 2, f"{args}: modulus ticks {labels}")
        for y, label in zip(lines, labels):
            expr = {"\u221e": "1/0", "e\u00b2": "e^2", "e\u00b3": "e^3"}.get(label, label)
            row = int(y - by)
            got = bar.getpixel((bar.size[0] // 2, row))
            want = colour_of(args, expr).getpixel((0, 0))
            check(got == want, f"{args}: the bar at tick {label} is {got}, lumo render's "
                  f"|w| = {expr} is {want}")


def check_dpi():
    """--dpi sets the PDF's size: the figure's units (the picture's pixels)
    at that many to the inch, 72 points an inch."""
    args = ["--formula", "6", "--size", "120", "90"]
    root = ET.parse(make("figure", args, "dpi.svg")).getroot()
    width, height = float(root.get("width")), float(root.get("height"))
    for dpi in ("96", "300", "72"):
        pdf = make("figure", args + ["--dpi", dpi], "dpi.pdf")
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
        size = re.search(r"^Page size:\s+([0-9.]+) x ([0-9.]+) pts", info, re.M)
        want = (width * 72 / float(dpi), height * 72 / float(dpi))
        check(size and abs(float(size.group(1)) - want[0]) < 0.01 and
              abs(float(size.group(2)) - want[1]) < 0.01,
              f"--dpi {dpi}: page {size.groups() if size else info}, not {want}")


def check_bad_input():
    run = lumo("figure", ["--size", "32", "32", "-o", os.path.join(WORK, "fig.tif")])
    check(run.returncode == 2 and all(f in run.stderr for f in (".svg", ".pdf", ".png")),
          f"an unknown extension: {run.returncode} {run.stderr}")
    for name in ("fig.svg", "fig.pdf", "fig.png"):
        path = os.path.join(WORK, "keep" + name[-3:], name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"old")
        run = subprocess.run([LUMO, "figure", "--size", "300", "300", "-o", path],
                             capture_output=True, text=True,
                             preexec_fn=lambda: (signal.signal(signal.SIGXFSZ, signal.SIG_IGN),
                                                 resource.setrlimit(resource.RLIMIT_FSIZE,
                                                                    (20000, 20000))))
        check(run.returncode == 1 and "cannot write" in run.stderr, f"{name}: a failed save: "
              f"{run.returncode} {run.stderr}")
        check(open(path, "rb").read() == b"old", f"{name}: a failed save changed the file")
        check(os.listdir(os.path.dirname(path)) == [name], f"{name}: a failed save left a file")
    # A title of any bytes: broken UTF-8, control characters, markup.
    title = b"Latin-1 \xe9t\xe9, cut \xe2\x88, nul-less \x01\x1f <b>&amp;</b> \xed\xa0\x80 \xf4\x90\x80\x80 \xe2\x88\x92\xcf\x80"
    for name in ("title.svg", "title.pdf", "title.png"):
        path = os.path.join(WORK, name)
        run = subprocess.run([LUMO.encode(), b"figure", b"--size", b"640", b"40", b"--title", title,
                              b"-o", path.encode()], capture_output=True)
        check(run.returncode == 0, f"{name} with a title of odd bytes: {run.stderr}")
    shown = group(ET.parse(os.path.join(WORK, "title.svg")).getroot(), "title").find(SVGNS + "text").text
    check(shown.startswith("Latin-1 \ufffdt\ufffd, cut \ufffd\ufffd, nul-less") and
          "<b>&amp;</b>" in shown and shown.endswith("\u2212\u03c0"), f"the title reads {shown!r}")
    # The smallest picture still gets its figure.
    small = Image.open(make("figure", ["--size", "32", "32"], "small.png"))
    check(small.size[0] > 32 and small.size[1] > 32, "a 32 x 32 figure")


LUMO, WORK = sys.argv[1], sys.argv[2]
shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
check_ticks()
check_pictures()
check_key([["--map", m, "--brightness", b] for m, b in
           [("continuous", "2"), ("modular", "2"), ("both", "2"), ("3d", "2"), ("abs-grey", "2"),
            ("perceptual", "1"), ("perceptual", "3"), ("colour-blind-safe", "2"),
            ("enhanced", "3")]] +
          [["--map", "abs-colour", "--abs-limit", "1000"],
           ["--map", "angular", "--grid", "both"]])
check_dpi()
check_bad_input()
for f in failures:
    print("FAIL:", f)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
