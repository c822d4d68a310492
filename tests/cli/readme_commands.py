#!/usr/bin/python3
"""Runs every `lumo` command the README shows, as printed, in a fresh
folder, and fails when one of them fails or a file it names is not a
picture that PIL reads (an SVG: XML that parses; a PDF: one page to
pdfinfo; numbered frames: frame 0).  The `parallel` and `ffmpeg` lines
run too, by the shell, with this lumo first on the PATH, after the lumo
lines; a line of a script (one with a $) is left out.

Usage: readme_commands.py README LUMO
"""
import os
import re
import shlex
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

from PIL import Image


def commands(readme, program="lumo "):
    """The `lumo ...` lines of the README's indented code blocks, without
    their trailing comments."""
    found = []
    for line in open(readme, encoding="utf-8"):
        if not line.startswith("    "):
            continue
        text = line.strip()
        if not text.startswith(program) or "$" in text or text.endswith("\\"):
            continue
        found.append(text.split("  #")[0].strip())
    return found


def main():
    readme, lumo = sys.argv[1], os.path.abspath(sys.argv[2])
    found = commands(readme)
    if not found:
        print("FAIL: no lumo commands found in", readme)
        return 1
    failed = 0
    with tempfile.TemporaryDirectory() as work:
        # What the README's eval example reads.
        with open(os.path.join(work, "points.txt"), "w") as points:
            points.write("0.5 14.134725\n2 0\n-1 1\n")
        for command in found:
            words = shlex.split(command)
            stdin = None
            if "<" in words:
                at = words.index("<")
                stdin = open(os.path.join(work, words[at + 1]))
                words = words[:at] + words[at + 2:]
            run = subprocess.run([lumo] + words[1:], cwd=work, stdin=stdin,
                                 capture_output=True, text=True, timeout=300)
            if run.returncode != 0:
                print("FAIL: %s: exit status %d: %s" % (command, run.returncode, run.stderr.strip()))
                failed = 1
                continue
            if "-o" in words and words[words.index("-o") + 1].endswith((".svg", ".pdf")):
                path = os.path.join(work, words[words.index("-o") + 1])
                if path.endswith(".svg"):
                    root = ET.parse(path).getroot()
                    print("ok  %s: SVG %s x %s" % (command, root.get("width"), root.get("height")))
                else:
                    pages = subprocess.run(["pdfinfo", path], capture_output=True, text=True)
                    ok = pages.returncode == 0 and re.search(r"^Pages:\s+1$", pages.stdout, re.M)
                    print("%s  %s: PDF" % ("ok" if ok else "FAIL:", command))
                    failed |= not ok
            elif "-o" in words:
                path = os.path.join(work, words[words.index("-o") + 1])
                if "%" in path:
                    path = path.replace("%04d", "0000")
                if path.endswith((".mp4", ".webm")):
                    # a video is ffprobe's to read (tests/cli/check_animate.py)
                    size = os.path.getsize(path) if os.path.exists(path) else 0
                    print("%s  %s: %d bytes" % ("ok " if size else "FAIL:", command, size))
                    failed = failed or not size
                    continue
                with Image.open(path) as image:
                    image.load()
                    print("ok  %s: %s %dx%d" % (command, image.format, image.size[0], image.size[1]))
            else:
                print("ok  %s: %d lines out" % (command, len(run.stdout.splitlines())))
        env = dict(os.environ, PATH=os.path.dirname(lumo) + os.pathsep + os.environ.get("PATH", ""))
        for command in commands(readme, "parallel ") + commands(readme, "ffmpeg "):
            run = subprocess.run(command, shell=True, cwd=work, env=env, capture_output=True, text=True,
                                 timeout=300)
            made = os.path.join(work, shlex.split(command)[-1])
            if run.returncode != 0 or (command.startswith("ffmpeg") and not os.path.exists(made)):
                print("FAIL: %s: exit status %d: %s" % (command, run.returncode, run.stderr.strip()))
                failed = 1
            else:
                print("ok  %s" % command)
    return failed


if __name__ == "__main__":
    sys.exit(main())
