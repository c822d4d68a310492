"""The progress line of lumo render: on a terminal (a pseudo-terminal
here), a render that takes more than a second shows a bar with the rows
done, the time taken and the time left, and ends it at 100 % on a line of
its own; with standard error not a terminal nothing extra is printed.
Ctrl+C on the terminal still ends a render cleanly: by SIGINT, the old
file as it was, no temporary file, and the line ended.

    check_progress.py LUMO WORKDIR
"""
import os
import pty
import re
import select
import shutil
import signal
import subprocess
import sys

LINE = re.compile(rb"\[([#-]{20})\] +(\d+) %  (\d+)/(\d+) rows  (\d+:\d\d) elapsed(?:, (\d+:\d\d|--:--) left)? *$")
failures = []


def check(ok, text):
    if not ok:
        failures.append(text)


def onterminal(args, until=None):
    """Runs lumo with a pseudo-terminal as its terminal (standard input and
    error) and standard output into a file; returns the wait status and what
    reached the terminal.  With until, Ctrl+C is typed once that shows."""
    pid, master = pty.fork()
    if pid == 0:
        out = os.open(os.path.join(WORK, "stdout"), os.O_WRONLY | os.O_CREAT | os.O_TRUNC)
        os.dup2(out, 1)
        os.execv(LUMO, [LUMO] + args)
    seen, typed = b"", False
    while True:
        ready, _, _ = select.select([master], [], [], 120)
        if not ready:
            os.kill(pid, signal.SIGKILL)
            break
        try:
            chunk = os.read(master, 4096)
        except OSError:     # the child has ended
            break
        if not chunk:
            break
        seen += chunk
        if until is not None and not typed and until(seen):
            os.write(master, b"\x03")
            typed = True
    _, status = os.waitpid(pid, 0)
    os.close(master)
    return status, seen


def seconds(text):
    m = re.search(rb"Rendered \d+ x \d+ in ([0-9.]+) s", text)
    return float(m.group(1)) if m else None


def lines(seen):
    """The progress lines drawn, in order, as match objects."""
    return [LINE.match(part) for part in re.split(rb"[\r\n]+", seen) if part.startswith(b"[")]


def completed():
    args = ["render", "--formula", "27", "--size", "800", "800", "--threads", "1", "--time",
            "-o", os.path.join(WORK, "z.tif")]
    status, seen = onterminal(args)
    check(os.WIFEXITED(status) and os.WEXITSTATUS(status) == 0, "terminal render: status %r" % status)
    took = seconds(seen)
    drawn = lines(seen)
    check(all(drawn), "lines that are not progress lines: %r" % seen[-300:])
    if took is not None and took >= 1.3:
        check(len(drawn) >= 2, "a %.1f s render drew %d progress lines" % (took, len(drawn)))
        done = [int(m.group(3)) for m in drawn if m]
        check(done == sorted(done), "rows done went back: %r" % done)
        last = drawn[-1]
        check(last and last.group(2) == b"100" and last.group(3) == last.group(4) == b"800"
              and last.group(6) is None, "the last line is not the end: %r" % seen[-200:])
        check(all(m.group(6) is not None for m in drawn[:-1] if m), "a line without the time left")
        check(re.search(rb"elapsed *\r\nRendered", seen) is not None, "the bar's line is not ended")
    elif took is not None and took < 0.9:
        check(not drawn, "a %.2f s render drew a progress line" % took)

    # Standard error a pipe: only the --time line.
    r = subprocess.run([LUMO] + args, capture_output=True)
    took = seconds(r.stderr)
    check(r.returncode == 0 and took is not None and re.fullmatch(
        rb"Rendered 800 x 800 in [0-9.]+ s on 1 thread\n", r.stderr) is not None,
        "not a terminal: standard error %r" % r.stderr)


def interrupted():
    target = os.path.join(WORK, "keep.tif")
    with open(target, "wb") as f:
        f.write(b"last week's picture")
    args = ["render", "--formula", "27", "--size", "9600", "9600", "--threads", "2", "-o", target]
    status, seen = onterminal(args, until=lambda s: b" left" in s)
    check(os.WIFSIGNALED(status) and os.WTERMSIG(status) == signal.SIGINT,
          "Ctrl+C: status %r, %r" % (status, seen[-200:]))
    check(open(target, "rb").read() == b"last week's picture", "Ctrl+C changed the file")
    check(sorted(os.listdir(WORK)) == ["keep.tif", "stdout"], "Ctrl+C left %r" % os.listdir(WORK))
    check(seen.endswith(b"\n"), "Ctrl+C left the progress line open: %r" % seen[-100:])


def main():
    global LUMO, WORK
    LUMO, WORK = (os.path.abspath(a) for a in sys.argv[1:3])
    shutil.rmtree(WORK, ignore_errors=True)
    os.makedirs(WORK)
    completed()
    shutil.rmtree(WORK)
    os.makedirs(WORK)
    interrupted()
    for f in failures:
        print("FAIL:", f)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
