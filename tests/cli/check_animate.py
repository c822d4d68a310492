#!/usr/bin/python3
"""lumo animate against lumo render and against readers we did not write:
every frame is the file `lumo render` makes from the command in its
Comment; a --frame-range gives the same files as the whole run, also when
GNU parallel runs the ranges as separate jobs; the animated WebP (PIL) has
the frames, the size and, losslessly, the pixels of the PNG frames; MP4 and
WebM (ffprobe) have the frame count and size; a frame that cannot be
written is named and the frames before it stay; SIGINT leaves no partial
file; errors exit 2.

Usage: check_animate.py LUMO
"""
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from PIL import Image

FAILED = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        FAILED.append(what)


def run(lumo, args, cwd, env=None):
    return subprocess.run([lumo] + args, cwd=cwd, capture_output=True, text=True, timeout=600, env=env)


def slurp(path):
    with open(path, "rb") as f:
        return f.read()


ANIM = ["--expr", "zeta(z + t i) + c", "--param", "t=0:30", "--param", "c=0.5:-0.5+0.25i",
        "--view", "-2", "3", "-2", "2", "--size", "64", "48", "--frames", "6"]


def frames_match_their_comments(lumo, work):
    os.mkdir(os.path.join(work, "whole"))
    r = run(lumo, ["animate"] + ANIM + ["-o", "whole/z-%04d.png"], work)
    check(r.returncode == 0, "animate into PNG frames: " + r.stderr.strip())
    names = sorted(os.listdir(os.path.join(work, "whole")))
    check(names == ["z-%04d.png" % k for k in range(6)], "six frames named by their place: %s" % names)
    alone = os.path.join(work, "alone")
    os.mkdir(alone)
    for name in names:
        path = os.path.join(work, "whole", name)
        with Image.open(path) as image:
            comment = image.info["Comment"]
        words = shlex.split(comment)
        r = run(lumo, words[1:], alone)
        check(r.returncode == 0 and slurp(path) == slurp(os.path.join(alone, name)),
              "%s is the file of its Comment: %s" % (name, comment))
    with Image.open(os.path.join(work, "whole", names[0])) as a, \
            Image.open(os.path.join(work, "whole", names[5])) as b:
        check(a.tobytes() != b.tobytes(), "the first and last frames differ")


def ranges_match_the_whole(lumo, work):
    os.mkdir(os.path.join(work, "part"))
    r = run(lumo, ["animate"] + ANIM + ["--frame-range", "2-3", "-o", "part/z-%04d.png"], work)
    check(r.returncode == 0, "--frame-range 2-3: " + r.stderr.strip())
    names = sorted(os.listdir(os.path.join(work, "part")))
    check(names == ["z-0002.png", "z-0003.png"], "a range writes its frames only: %s" % names)
    for name in names:
        check(slurp(os.path.join(work, "part", name)) == slurp(os.path.join(work, "whole", name)),
              "range frame %s is the whole run's" % name)
    if shutil.which("parallel") is None:
        check(False, "GNU parallel is installed (scripts/deps.sh)")
        return
    os.mkdir(os.path.join(work, "jobs"))
    line = " ".join(shlex.quote(w) for w in [lumo, "animate"] + ANIM) + \
        " --threads 1 --frame-range {} -o jobs/z-%04d.png"
    r = subprocess.run(["parallel", "-j", "3", line, ":::", "0-1", "2-3", "4-5"], cwd=work,
                       capture_output=True, text=True, timeout=600)
    check(r.returncode == 0, "GNU parallel ran three ranges: " + r.stderr.strip())
    same = all(slurp(os.path.join(work, "jobs", "z-%04d.png" % k)) ==
               slurp(os.path.join(work, "whole", "z-%04d.png" % k)) for k in range(6))
    check(same, "the jobs' frames are the whole run's")


def webp_and_video(lumo, work):
    r = run(lumo, ["animate"] + ANIM + ["-o", "z.webp"], work)
    check(r.returncode == 0, "animated WebP: " + r.stderr.strip())
    with Image.open(os.path.join(work, "z.webp")) as image:
        check(image.n_frames == 6 and image.size == (64, 48),
              "PIL reads 6 frames of 64x48 in the WebP: %d %s" % (image.n_frames, image.size))
        same = True
        for k in range(6):
            image.seek(k)
            with Image.open(os.path.join(work, "whole", "z-%04d.png" % k)) as png:
                same = same and image.convert("RGB").tobytes() == png.convert("RGB").tobytes()
        check(same, "the lossless WebP's frames are the PNG frames' pixels")
    for name in ["z.mp4", "z.webm"]:
        r = run(lumo, ["animate"] + ANIM + ["-o", name], work)
        check(r.returncode == 0, name + ": " + r.stderr.strip())
        probe = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0",
                                "-show_entries", "stream=nb_read_frames,width,height", "-of", "csv=p=0",
                                os.path.join(work, name)], capture_output=True, text=True)
        check(probe.stdout.strip() == "64,48,6", "ffprobe reads 64x48, 6 frames in %s: %s"
              % (name, probe.stdout.strip()))
    r = run(lumo, ["animate"] + ANIM + ["-o", "none.mp4"], work, env={"PATH": "/nonexistent"})
    check(r.returncode == 1 and "need the ffmpeg program" in r.stderr
          and not os.path.exists(os.path.join(work, "none.mp4")),
          "without ffmpeg a video is refused with a clear message: " + r.stderr.strip())


def failures(lumo, work):
    os.mkdir(os.path.join(work, "fail"))
    # A folder where frame 3 should go makes that frame's save fail.
    os.mkdir(os.path.join(work, "fail", "z-0003.png"))
    r = run(lumo, ["animate"] + ANIM + ["-o", "fail/z-%04d.png"], work)
    names = sorted(os.listdir(os.path.join(work, "fail")))
    check(r.returncode == 1 and "frame 3 (t=18, c=-0.09999999999999998+0.15i)" in r.stderr
          and names == ["z-0000.png", "z-0001.png", "z-0002.png", "z-0003.png"],
          "a failed frame is named, the frames before it stay: %s %s" % (r.stderr.strip(), names))
    bad = [
        (["--frames", "4", "-o", "x-%d.png", "--expr", "z + a", "--param", "b=0:1"], "no parameter \"b\""),
        (["--frames", "4", "-o", "x-%d.png", "--expr", "z + a", "--param", "a=0:z"], "does not read"),
        (["--frames", "4", "-o", "x.png", "--expr", "z"], "numbered frames"),
        (["--frames", "4", "-o", "x-%d-%d.png", "--expr", "z"], "one %d"),
        (["--frames", "4", "-o", "x.webp", "--frame-range", "0-1", "--expr", "z"], "--frame-range writes"),
        (["--frames", "4", "-o", "x-%d.png", "--frame-range", "2-4", "--expr", "z"], "past the last frame"),
        (["--frames", "4", "-o", "x.mp4", "--size", "65", "48", "--expr", "z"], "even width"),
        (["-o", "x-%d.png", "--expr", "z"], "--frames N is required"),
    ]
    for args, text in bad:
        r = run(lumo, ["animate"] + args, work)
        check(r.returncode == 2 and text in r.stderr, "%s: %s" % (" ".join(args), r.stderr.strip()))


def interrupted(lumo, work):
    folder = os.path.join(work, "stop")
    os.mkdir(folder)
    args = ["animate", "--expr", "zeta(z + t i)", "--param", "t=0:100", "--size", "1200", "1200",
            "--frames", "40", "--threads", "1", "-o", "z-%04d.png"]
    child = subprocess.Popen([lumo] + args, cwd=folder, stderr=subprocess.DEVNULL)
    deadline = time.time() + 120
    while time.time() < deadline and not os.path.exists(os.path.join(folder, "z-0001.png")):
        time.sleep(0.01)
    child.send_signal(signal.SIGINT)
    child.wait(timeout=120)
    names = sorted(os.listdir(folder))
    complete = True
    for name in names:
        try:
            with Image.open(os.path.join(folder, name)) as image:
                image.load()
        except Exception:
            complete = False
    check(child.returncode != 0 and names and all(n.startswith("z-") and n.endswith(".png") for n in names)
          and complete, "SIGINT leaves whole frames only: %s" % names)


def main():
    lumo = os.path.abspath(sys.argv[1])
    with tempfile.TemporaryDirectory() as work:
        frames_match_their_comments(lumo, work)
        ranges_match_the_whole(lumo, work)
        webp_and_video(lumo, work)
        failures(lumo, work)
        interrupted(lumo, work)
    print("%d failed" % len(FAILED))
    return 1 if FAILED else 0


if __name__ == "__main__":
    sys.exit(main())
