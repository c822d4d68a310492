"""A PNG saved by the window program: 8-bit RGB with an sRGB chunk, the
pixels of lumo's render of the same settings (as PIL and, when given,
libpng read them), Software = "Lumo Domain Coloring", and a Comment that,
run by /bin/sh with lumo on the PATH, makes a picture with the same pixels.

    checkpng.py FILE.png REFERENCE.tif LUMO [PNGPIXELS]
"""
import os
import shutil
import subprocess
import sys
import tempfile

from PIL import Image


def main():
    path, reference, lumo = sys.argv[1:4]
    pngpixels = sys.argv[4] if len(sys.argv) > 4 else None
    problems = []
    image = Image.open(path)
    pixels = image.convert("RGB").tobytes()
    expected = Image.open(reference).convert("RGB")
    if image.format != "PNG" or image.mode != "RGB":
        problems.append("not an 8-bit RGB PNG: %s %s" % (image.format, image.mode))
    if "srgb" not in image.info:
        problems.append("no sRGB chunk")
    if image.size != expected.size or pixels != expected.tobytes():
        problems.append("pixels differ from %s" % reference)
    if pngpixels and os.path.exists(pngpixels):
        ppm = subprocess.run([pngpixels, path], capture_output=True, check=True).stdout
        if not ppm.endswith(expected.tobytes()):
            problems.append("libpng reads other pixels")
    if image.info.get("Software") != "Lumo Domain Coloring":
        problems.append("Software is %r" % image.info.get("Software"))
    comment = image.info.get("Comment", "")
    if not comment.startswith("lumo render "):
        problems.append("Comment is %r" % comment)
    else:
        folder = tempfile.mkdtemp()
        try:
            os.mkdir(os.path.join(folder, "bin"))
            os.symlink(os.path.abspath(lumo), os.path.join(folder, "bin", "lumo"))
            env = dict(os.environ, PATH=os.path.join(folder, "bin") + os.pathsep + os.environ["PATH"])
            r = subprocess.run(["/bin/sh", "-c", comment], cwd=folder, env=env,
                               capture_output=True, text=True)
            made = os.path.join(folder, os.path.basename(path))
            if r.returncode != 0 or not os.path.exists(made):
                problems.append("the Comment failed: %s: %s" % (comment, r.stderr))
            elif Image.open(made).convert("RGB").tobytes() != pixels:
                problems.append("the Comment makes other pixels: %s" % comment)
        finally:
            shutil.rmtree(folder)
    for p in problems:
        print("    %s: %s" % (os.path.basename(path), p))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
