"""A PNG saved by the window program: 8-bit RGB with an sRGB chunk; as PIL
and libpng read it, exactly the pixels of the window's own TIFF save of the
same picture; Software = "Lumo Domain Coloring"; and a Comment that, run by
/bin/sh with lumo on the PATH, makes the same picture (the image area
exactly, the graph strip within the tolerance screen.py allows for the
window system's wide-pen lines).

    checkpng.py FILE.png WINDOWTIFF LUMO [PNGPIXELS]
"""
import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image

import screen


def main():
    path, windowtiff, lumo = sys.argv[1:4]
    pngpixels = sys.argv[4] if len(sys.argv) > 4 else None
    image = Image.open(path)
    if image.format != "PNG" or image.mode != "RGB":
        screen.fail("%s is not an 8-bit RGB PNG: %s %s" % (path, image.format, image.mode))
    if "srgb" not in image.info:
        screen.fail("%s has no sRGB chunk" % path)
    got = screen.load(path)
    same = screen.load(windowtiff)
    if got.shape != same.shape or (got != same).any():
        screen.fail("%s: other pixels than the TIFF save %s" % (path, windowtiff))
    if pngpixels and os.path.exists(pngpixels):
        ppm = subprocess.run([pngpixels, path], capture_output=True, check=True).stdout
        if not ppm.endswith(same.tobytes()):
            screen.fail("%s: libpng reads other pixels than PIL" % path)
    if image.info.get("Software") != "Lumo Domain Coloring":
        screen.fail("%s: Software is %r" % (path, image.info.get("Software")))
    comment = image.info.get("Comment", "")
    if not comment.startswith("lumo render "):
        screen.fail("%s: Comment is %r" % (path, comment))

    folder = tempfile.mkdtemp()
    try:
        os.mkdir(os.path.join(folder, "bin"))
        os.symlink(os.path.abspath(lumo), os.path.join(folder, "bin", "lumo"))
        env = dict(os.environ, PATH=os.path.join(folder, "bin") + os.pathsep + os.environ["PATH"])
        r = subprocess.run(["/bin/sh", "-c", comment], cwd=folder, env=env,
                           capture_output=True, text=True)
        made = os.path.join(folder, os.path.basename(path))
        if r.returncode != 0 or not os.path.exists(made):
            screen.fail("the Comment failed: %s: %s" % (comment, r.stderr))
        again = screen.load(made)
    finally:
        shutil.rmtree(folder)
    if again.shape != got.shape:
        screen.fail("the Comment makes a %dx%d picture: %s" % (again.shape[1], again.shape[0], comment))
    left = min(got.shape[1], screen.STRIP_LEFT)
    count, where = screen.first_difference(again[:, :left], got[:, :left])
    if count:
        screen.fail("the Comment makes %d other pixels, first at %s: %s" % (count, where, comment))
    if got.shape[1] > screen.STRIP_LEFT:
        screen.compare_strip(again[:, screen.STRIP_LEFT:], got[:, screen.STRIP_LEFT:], "the Comment's graph")


if __name__ == "__main__":
    main()
