"""PNG files from lumo render, checked with readers we did not write.

For renders over many settings: the PNG is 8-bit RGB with an sRGB chunk
and the text chunks Software and Comment; pngcheck finds it sound; its
pixels, as PIL, libpng (pngpixels) and ImageMagick read them, equal the
TIFF of the same render; and the Comment, run by /bin/sh in an empty
folder, writes the same file again byte for byte.  Also: the file is the
same bytes on 1, 2 and 5 threads; --format overrides the name; a save that
cannot be finished or is interrupted leaves the file that was there and no
temporary file.

    check_png.py LUMO PNGPIXELS WORKDIR
"""
import os
import resource
import shutil
import signal
import subprocess
import sys
import time

from PIL import Image

CASES = [
    ["--formula", "27", "--graph"],
    ["--formula", "3", "--map", "perceptual", "--view", "0.1", "0.30000000000000004", "-1e-3", "2.5",
     "--size", "123", "77", "--brightness", "3", "--grid", "square", "--grid-width", "0.07",
     "--grid-extent", "7"],
    ["--formula", "1", "--julia", "0.285", "0.01", "--maxiter", "200", "--bailout", "3.3",
     "--escape", "1", "--map", "8", "--size", "300", "200"],
    ["--formula", "0", "--exponent", "3", "--map", "9", "--escape", "0", "--grid", "phase"],
    ["--formula", "5", "--map", "5", "--abs-limit", "12.5", "--grid", "both", "--size", "200", "90"],
    ["--formula", "16", "--map", "enhanced", "--brightness", "1", "--graph"],
    ["--formula", "2", "--size", "64", "48"],
    # a typed function whose text a shell would take apart
    ["--expr", "if(abs(z) >= 1.5, z * i, (z^2 - 1) / (z - 2 - i)^2)", "--size", "48", "40"],
    ["--formula", "30", "--map", "9", "--size", "48", "40"],
    # many bands, at other levels than the default (the Comment keeps them)
    ["--formula", "3", "--size", "1000", "700", "--png-level", "9"],
    ["--formula", "12", "--size", "700", "1000", "--png-level", "0"],
    ["--formula", "0", "--size", "800", "600", "--png-level", "1"],
    # the sphere and the landscape: their options in the Comment, the
    # landscape's TIFF written while its rows are still being made
    ["--formula", "9", "--projection", "sphere", "--center", "inf", "inf", "--shade", "on",
     "--size", "90", "70"],
    ["--expr", "z^2 + 1/z", "--projection", "sphere", "--center", "0.1", "-3e5", "--size", "64", "64"],
    ["--formula", "20", "--projection", "landscape", "--camera", "-30", "25", "--height", "abs",
     "--height-limit", "7.5", "--size", "120", "80"],
]

failures = []


def check(ok, text):
    if not ok:
        failures.append(text)


def lumo(args, cwd=None, limit=None):
    def limited():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
    return subprocess.run([LUMO, "render"] + args, cwd=cwd, capture_output=True, text=True,
                          preexec_fn=limited if limit else None)


def libpngpixels(path):
    ppm = subprocess.run([PNGPIXELS, path], capture_output=True, check=True).stdout
    header, rest = ppm.split(b"\n", 1)
    size, rest = rest.split(b"\n", 1)
    _, pixels = rest.split(b"\n", 1)
    w, h = (int(v) for v in size.split())
    return (w, h), pixels


def chunks(path):
    data = open(path, "rb").read()
    pos, names = 8, []
    while pos < len(data):
        n = int.from_bytes(data[pos:pos + 4], "big")
        names.append(data[pos + 4:pos + 8].decode("ascii"))
        pos += 12 + n
    return names


def roundtrip(k, options):
    png, tif = os.path.join(WORK, "case%d.png" % k), os.path.join(WORK, "case%d.tif" % k)
    plain = options[:]
    if "--png-level" in plain:
        del plain[plain.index("--png-level"):plain.index("--png-level") + 2]
    for path, args in ((png, options), (tif, plain)):
        r = lumo(args + ["-o", path])
        check(r.returncode == 0, "case %d: lumo render -o %s: %s" % (k, path, r.stderr))
    image, reference = Image.open(png), Image.open(tif)
    check(image.format == "PNG" and image.mode == "RGB", "case %d: not an 8-bit RGB PNG" % k)
    check("sRGB" in chunks(png), "case %d: no sRGB chunk" % k)
    check(image.info.get("Software") == "Lumo Domain Coloring", "case %d: Software %r"
          % (k, image.info.get("Software")))
    expected = reference.convert("RGB").tobytes()
    check(image.size == reference.size and image.tobytes() == expected,
          "case %d: PIL reads other pixels from the PNG than from the TIFF" % k)
    size, pixels = libpngpixels(png)
    check(size == reference.size and pixels == expected,
          "case %d: libpng reads other pixels than PIL reads from the TIFF" % k)
    r = subprocess.run(["convert", "png:" + png, "-depth", "8", "rgb:-"], capture_output=True)
    check(r.returncode == 0 and r.stdout == expected,
          "case %d: ImageMagick reads other pixels than PIL reads from the TIFF" % k)
    r = subprocess.run(["pngcheck", "-q", png], capture_output=True, text=True)
    check(r.returncode == 0, "case %d: pngcheck: %s" % (k, r.stdout + r.stderr))

    # The Comment through a shell, with lumo found on the PATH.
    comment = image.info.get("Comment", "")
    check(comment.startswith("lumo render "), "case %d: Comment %r" % (k, comment))
    if "--png-level" in options:
        level = options[options.index("--png-level") + 1]
        check("--png-level " + level in comment,
              "case %d: --png-level %s and the Comment %r" % (k, level, comment))
    again = os.path.join(WORK, "again%d" % k)
    shutil.rmtree(again, ignore_errors=True)
    os.makedirs(os.path.join(again, "bin"))
    os.symlink(LUMO, os.path.join(again, "bin", "lumo"))
    env = dict(os.environ, PATH=os.path.join(again, "bin") + os.pathsep + os.environ["PATH"])
    r = subprocess.run(["/bin/sh", "-c", comment], cwd=again, env=env, capture_output=True, text=True)
    check(r.returncode == 0, "case %d: the Comment failed: %s" % (k, r.stderr))
    made = os.path.join(again, os.path.basename(png))
    check(os.path.exists(made) and open(made, "rb").read() == open(png, "rb").read(),
          "case %d: the Comment does not make the same file: %s" % (k, comment))


def names_and_formats():
    # A name a shell would split and expand, and --format both ways.
    odd = os.path.join(WORK, "it's $HOME & a *.png")
    r = lumo(["--size", "40", "32", "-o", odd])
    check(r.returncode == 0, "odd name: %s" % r.stderr)
    comment = Image.open(odd).info.get("Comment", "")
    check(comment.endswith("-o 'it'\\''s $HOME & a *.png'"), "odd name quoted as %r" % comment)
    for name, fmt, magic in (("f1.tif", "png", b"\x89PNG"), ("f2.png", "tiff", b"II*\x00"),
                             ("f3.PNG", None, b"\x89PNG"), ("f4.tiff", None, b"II*\x00")):
        path = os.path.join(WORK, name)
        r = lumo(["--size", "40", "32", "-o", path] + (["--format", fmt] if fmt else []))
        check(r.returncode == 0 and open(path, "rb").read(4) == magic,
              "%s --format %s: wrong kind of file" % (name, fmt))
    r = lumo(["--size", "40", "32", "--format", "gif", "-o", os.path.join(WORK, "f5.png")])
    check(r.returncode == 2 and "--format" in r.stderr, "--format gif accepted")


def same_on_any_threads():
    # Bands fixed by the picture: the threads never change a byte, saved
    # while rendering or (with the graph) afterwards.
    path = os.path.join(WORK, "threads.png")
    for options in (["--formula", "3", "--size", "1500", "900"], ["--formula", "27", "--graph"]):
        files = []
        for threads in ("1", "2", "5"):
            r = lumo(options + ["--threads", threads, "-o", path])
            check(r.returncode == 0, "%s on %s threads: %s" % (options, threads, r.stderr))
            files.append(open(path, "rb").read())
        check(files[0] == files[1] == files[2], "%s: other bytes on 1, 2 and 5 threads" % options)


def interrupted_save():
    # The signal must come while the temporary file exists: lumo is stopped
    # as soon as it shows, and signalled while stopped.
    folder = os.path.join(WORK, "interrupted")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    keep = os.path.join(folder, "big.png")
    caught = 0
    for attempt in range(5):
        open(keep, "wb").write(b"the picture that was there")
        child = subprocess.Popen([LUMO, "render", "--formula", "5", "--size", "2500", "2500",
                                  "--threads", "2", "-o", keep], stdout=subprocess.DEVNULL)
        temp = []
        while not temp and child.poll() is None:
            temp = [n for n in os.listdir(folder) if n.startswith(".big.png.lumo-save-")]
            if not temp:
                time.sleep(0.0005)
        if not temp:
            continue
        child.send_signal(signal.SIGSTOP)
        caught = os.path.exists(os.path.join(folder, temp[0]))
        child.send_signal(signal.SIGTERM)
        child.send_signal(signal.SIGCONT)
        status = child.wait()
        if caught:
            break
    check(caught, "no PNG save was caught in progress")
    now = open(keep, "rb").read()
    # A signal that meets the final rename ends lumo just after it.
    check(status == -signal.SIGTERM and (now == b"the picture that was there" or now[:4] == b"\x89PNG"),
          "an interrupted PNG save: status %s, %d bytes there" % (status, len(now)))
    check(os.listdir(folder) == ["big.png"], "an interrupted save left %s" % os.listdir(folder))


def failed_saves():
    folder = os.path.join(WORK, "fail")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    keep = os.path.join(folder, "keep.png")
    open(keep, "wb").write(b"the picture that was there")
    r = lumo(["--formula", "27", "-o", keep], limit=20000)
    check(r.returncode == 1 and "cannot write %s: File too large" % keep in r.stderr,
          "a write past the file size limit: status %d, %r" % (r.returncode, r.stderr))
    check(open(keep, "rb").read() == b"the picture that was there", "a failed save changed the file")
    check(os.listdir(folder) == ["keep.png"], "a failed save left %s" % os.listdir(folder))
    r = lumo(["-o", os.path.join(folder, "no such folder", "x.png")])
    check(r.returncode == 1 and "No such file or directory" in r.stderr,
          "a save into a missing folder: status %d, %r" % (r.returncode, r.stderr))


def main():
    global LUMO, PNGPIXELS, WORK
    LUMO, PNGPIXELS, WORK = (os.path.abspath(a) for a in sys.argv[1:4])
    os.makedirs(WORK, exist_ok=True)
    for k, options in enumerate(CASES):
        roundtrip(k, options)
    names_and_formats()
    same_on_any_threads()
    failed_saves()
    interrupted_save()
    for f in failures:
        print("FAIL:", f)
    print("%d cases, %d failures" % (len(CASES), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
