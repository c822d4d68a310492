"""The command a PNG saved by the window program carries in its Comment,
run with lumo into a reference TIFF: prints the Comment.

    commentref.py FILE.png OUT.tif LUMO
"""
import shlex
import subprocess
import sys

from PIL import Image


def main():
    path, out, lumo = sys.argv[1:4]
    comment = Image.open(path).info.get("Comment", "")
    words = shlex.split(comment)
    if words[:2] != ["lumo", "render"] or "-o" not in words:
        print("no lumo render command in the Comment of %s: %r" % (path, comment))
        return 1
    words[words.index("-o") + 1] = out
    r = subprocess.run([lumo] + words[1:], capture_output=True, text=True)
    if r.returncode != 0:
        print("the Comment failed: %s: %s" % (comment, r.stderr.strip()))
        return 1
    print(comment)
    return 0


if __name__ == "__main__":
    sys.exit(main())
