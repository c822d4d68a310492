"""The Comment of a PNG from lumo render, run by /bin/sh in an empty
folder, writes the same file again byte for byte, whatever its name: one
that lumo does not take for a PNG by itself (--format png), one that starts
with '-', backslashes (a POSIX name's own characters), shell syntax, control
characters and bytes that are not UTF-8.  The Comment itself stays UTF-8:
readers drop a text chunk that is not.

    check_comment_names.py LUMO WORKDIR
"""
import os
import shutil
import subprocess
import sys
import zlib

NAMES = [
    b"plain.png", b"UPPER.PNG", b"no extension", b"picture.tif", b"-x.png", b"-", b"--format",
    b"back\\slash.png", b"\\", b"it's $HOME & `id` *.png", b"100% \\n %s.png", b"~tilde=x.png",
    b"caf\xc3\xa9 \xe2\x82\xac.png", b"tab\t.png", b"new\nline.png", b"ends in a line end\n",
    b"\xff\xfe.png", b"\xe9t\xe9", b"-\xe9.png", b"\xed\xa0\x80 surrogate.png", b"\xc0\xaf overlong.png",
    b"\x7f\x1b[31m.png", b"\xc2\x85 next line.png", b"\xff 100% \\n it's.png",
]


def comment(path):
    """The Comment's text, from its tEXt or iTXt chunk, as UTF-8."""
    data = open(path, "rb").read()
    pos = 8
    while pos < len(data):
        n = int.from_bytes(data[pos:pos + 4], "big")
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + n]
        if zlib.crc32(data[pos + 4:pos + 8 + n]) != int.from_bytes(data[pos + 8 + n:pos + 12 + n], "big"):
            raise ValueError("bad CRC in %r" % kind)
        pos += 12 + n
        if kind == b"tEXt" and body.startswith(b"Comment\0"):
            return body[8:].decode("ascii")
        if kind == b"iTXt" and body.startswith(b"Comment\0"):
            rest = body[8:]
            if rest[0] != 0:
                raise ValueError("compressed iTXt")
            rest = rest[2:]
            rest = rest[rest.index(b"\0") + 1:]     # language tag
            rest = rest[rest.index(b"\0") + 1:]     # translated keyword
            return rest.decode("utf-8")
    raise ValueError("no Comment")


def main():
    lumo, work = (os.path.abspath(a) for a in sys.argv[1:3])
    shutil.rmtree(work, ignore_errors=True)
    made, again = os.path.join(work, "made"), os.path.join(work, "again")
    os.makedirs(os.path.join(work, "bin"))
    os.symlink(lumo, os.path.join(work, "bin", "lumo"))
    env = dict(os.environ, PATH=os.path.join(work, "bin") + os.pathsep + os.environ["PATH"])
    failures = 0
    for name in NAMES:
        for folder in (made, again):
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        path = os.path.join(made.encode(), name)
        r = subprocess.run([lumo.encode(), b"render", b"--size", b"40", b"32", b"--format", b"png",
                            b"-o", path], capture_output=True)
        try:
            if r.returncode != 0:
                raise ValueError("lumo render: " + r.stderr.decode(errors="replace"))
            text = comment(path)
            r = subprocess.run(["/bin/sh", "-c", text], cwd=again, env=env, capture_output=True)
            if r.returncode != 0:
                raise ValueError("the Comment failed: " + r.stderr.decode(errors="replace"))
            if os.listdir(again.encode()) != [name]:
                raise ValueError("the Comment made %r" % os.listdir(again.encode()))
            if open(os.path.join(again.encode(), name), "rb").read() != open(path, "rb").read():
                raise ValueError("the Comment made another file")
            print("ok   %-32r %s" % (name, text[text.index(" -o ") - 13:] if " -o " in text else text))
        except (ValueError, UnicodeDecodeError) as e:
            print("FAIL %-32r %s" % (name, e))
            failures += 1
    print("%d names, %d failures" % (len(NAMES), failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
