#!/bin/bash
# End-to-end tests of the window program: the 64-bit build runs under
# wine64 inside Xvfb (1280 x 1024 x 24, so the first image is 600 x 600
# with the graph) and is driven with xdotool like a person would; what it
# shows and saves is compared with `lumo render` of the same settings.
#
#   tests/e2e/run.sh WIN64BUILD NATIVEBUILD [WIN32BUILD]
#
# Also: only system DLLs are imported (both builds), lumo.exe (both builds)
# saves the same files as lumo, the resources of both
# builds hold the expected menu, accelerators, dialogs and pictures, and the
# off-screen image layer behaves under the window system's own GDI.
# One wine prefix is prepared per run and shared by the sessions; every
# wait has a deadline and the whole run has one too.  On failure (or with
# LUMO_E2E_KEEP=1) the screenshots stay in the work folder named at the end.
set -uo pipefail

WINBUILD=$(cd "${1:?usage: run.sh WIN64BUILD NATIVEBUILD [WIN32BUILD]}" && pwd)
NATIVE=$(cd "${2:?usage: run.sh WIN64BUILD NATIVEBUILD [WIN32BUILD]}" && pwd)
WIN32BUILD=${3:+$(cd "$3" && pwd)}
E2E=$(cd "$(dirname "$0")" && pwd)
export E2E

APP=$WINBUILD/app/LumoDomainColoring.exe
ART=$WINBUILD/app/art
TOOLS=$WINBUILD/tests/app
LUMO=$NATIVE/cli/lumo
PY=/usr/bin/python3
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
for f in "$APP" "$TOOLS/resourcecheck.exe" "$TOOLS/surfacecheck.exe" "$TOOLS/boxtext.exe" \
         "$TOOLS/foreground.exe" "$LUMO" "$WINE"; do
  [ -e "$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done
for t in Xvfb xdotool import convert; do
  command -v "$t" >/dev/null || { echo "FAIL: $t is not installed (scripts/deps.sh)"; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/lumo-e2e.XXXXXX")
REF=$WORK/ref
mkdir -p "$REF"
export WINEPREFIX=$WORK/pfx WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WORK REF APP ART TOOLS PY WINE

XVFB_PID=
WATCHDOG=
cleanup() {
  [ -n "$WATCHDOG" ] && kill "$WATCHDOG" 2>/dev/null
  "$WINESERVER" -k 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
trap 'echo "FAIL: interrupted"; exit 1' INT TERM

# The whole run must end in time, whatever hangs.
(
  trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
  sleep 660 >/dev/null 2>&1 &
  sleeper=$!
  wait "$sleeper"
  echo "FAIL: the end-to-end tests ran out of time"
  "$WINESERVER" -k
  kill -TERM $$
) &
WATCHDOG=$!

now_ms() { date +%s%3N; }
START=$(now_ms)
failed=0
step() { echo "--- $*"; }

# start_display WxHxDEPTH: a fresh Xvfb (the number it took comes on fd 3).
start_display() {
  [ -n "$XVFB_PID" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 400); do [ -s "$WORK/display" ] && break; sleep 0.025; done
  [ -s "$WORK/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=":$(cat "$WORK/display")"
}

# --- 1. imports --------------------------------------------------------------
step "only system DLLs are imported"
allowed='^(KERNEL32|USER32|GDI32|COMCTL32|COMDLG32|ADVAPI32|OLE32|MSVCRT)\.DLL$'
for exe in "$APP" ${WIN32BUILD:+"$WIN32BUILD/app/LumoDomainColoring.exe"} \
           "$WINBUILD/cli/lumo.exe" ${WIN32BUILD:+"$WIN32BUILD/cli/lumo.exe"}; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/.*DLL Name: //p')
  [ -n "$dlls" ] || { echo "FAIL: no imports read from $exe"; failed=1; }
  for d in $dlls; do
    echo "$d" | tr a-z A-Z | grep -Eq "$allowed" || { echo "FAIL: $exe imports $d"; failed=1; }
  done
  echo "    $(basename "$(dirname "$(dirname "$exe")")")/$(basename "$exe"): $(echo $dlls)"
done

# --- 2. reference pictures (in the background) and the wine prefix ------------
step "reference renders and the wine prefix"
. "$E2E/custom.sh"      # its session, and CUSTOMTEXT for its reference
(
  r() { name=$1; shift; "$LUMO" render -o "$REF/$name.tif" "$@" || echo "FAIL: lumo render $*"; }
  r start --graph
  r modular --map 1 --grid none --graph
  r modular-square --map 1 --grid square --graph
  r 3d --map 4 --grid none --graph
  r continuous-phase --map 0 --grid phase --graph
  r both-both --map 3 --grid both --graph
  r perceptual-both --map 7 --grid both --graph
  r cbsafe-both --map colour-blind-safe --grid both --graph
  r enhanced-both --map enhanced --grid both --graph
  r abscolor-both --map 6 --grid both --graph
  r absgrey --map 5 --grid none --graph
  r sine --formula 16 --graph
  r sine-640 --formula 16 --view -2 2 -1.5 1.5 --size 640 480
  r zeta --formula 27 --size 1000 900
  r small --size 572 572
  r custom --expr "$CUSTOMTEXT" --graph
) >"$WORK/ref.log" 2>&1 &
REF_PID=$!
t0=$(now_ms)
DISPLAY= "$WINE" wineboot -i >"$WORK/wineboot.log" 2>&1
DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$WINESERVER" -w
wait "$REF_PID"
if grep -q FAIL "$WORK/ref.log"; then cat "$WORK/ref.log"; exit 1; fi
echo "    prefix and references ready in $(( $(now_ms) - t0 )) ms"

# Headless timing of the first picture, one thread, best of three.
HEADLESS_MS=
for _ in 1 2 3; do
  t0=$(now_ms); "$LUMO" render --graph --threads 1 -o "$WORK/timing.tif"
  HEADLESS_MS="$HEADLESS_MS $(( $(now_ms) - t0 ))"
done

# lumo.exe, 64-bit and (where wine runs 32-bit programs) 32-bit, saves the
# very bytes lumo saves: the OKLab maps, the graph, LZW, fractals, threads.
step "lumo.exe saves the files lumo saves"
EXES="$WINE:$WINBUILD/cli/lumo.exe"
if [ -n "$WIN32BUILD" ]; then
  # wine32 needs a kernel that runs 32-bit programs.
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    EXES="$EXES /usr/lib/wine/wine:$WIN32BUILD/cli/lumo.exe"
  else
    echo "    32-bit lumo.exe not run: this machine runs no 32-bit programs (wine32)"
  fi
fi
mkdir -p "$WORK/exe"
for pair in $EXES; do
  loader=${pair%%:*}; exe=${pair#*:}; k=0
  for args in "--formula 27 --size 300 200 --map 7" "--formula 16 --graph --map 9 --lzw" \
              "--formula 1 --map 8 --size 200 160 --threads 3 --escape 1" \
              "--formula 20 --map 3 --grid both --size 250 250"; do
    k=$((k + 1))
    # shellcheck disable=SC2086
    "$LUMO" render $args -o "$WORK/exe/native$k.tif" || failed=1
    (cd "$WORK/exe" && "$loader" "$exe" render $args -o "exe$k.tif" >"$WORK/exe/out$k" 2>&1) ||
      { echo "FAIL: $(basename "$loader") lumo.exe render $args: $(tr -d '\r' <"$WORK/exe/out$k")"; failed=1; }
    cmp -s "$WORK/exe/native$k.tif" "$WORK/exe/exe$k.tif" ||
      { echo "FAIL: $(basename "$loader") lumo.exe render $args saved another file than lumo"; failed=1; }
  done
  (cd "$WORK/exe" && "$loader" "$exe" render --size 32 32 -o x.png >"$WORK/exe/png" 2>&1)
  status=$?
  { [ "$status" = 2 ] && grep -q "writes TIFF only" "$WORK/exe/png" && [ ! -e "$WORK/exe/x.png" ]; } ||
    { echo "FAIL: $(basename "$loader") lumo.exe -o x.png: status $status, $(tr -d '\r' <"$WORK/exe/png")"; failed=1; }
  echo "    $(basename "$loader") $(basename "$(dirname "$(dirname "$exe")")")/lumo.exe: $k renders compared"
done

start_display 1280x1024x24
"$WINESERVER" -p >/dev/null 2>&1

# --- 3. resources and the off-screen image ------------------------------------
step "resources of the built programs"
# (Wine's output goes to a file: the helper processes wine starts keep a
# pipe open.)
"$WINE" "$TOOLS/resourcecheck.exe" "$APP" ${WIN32BUILD:+"$WIN32BUILD/app/LumoDomainColoring.exe"} \
  >"$WORK/resourcecheck.out" 2>&1 || failed=1
tr -d '\r' <"$WORK/resourcecheck.out" | sed 's/^/    /'
step "the off-screen image under GDI"
"$WINE" "$TOOLS/surfacecheck.exe" >"$WORK/surfacecheck.out" 2>&1 || failed=1
tr -d '\r' <"$WORK/surfacecheck.out" | sed 's/^/    /'

# --- 4. sessions -------------------------------------------------------------
. "$E2E/lib.sh"
. "$E2E/sessions.sh"

# run_session NAME: the session in a subshell that ends its program.
run_session() {
  local t0; t0=$(now_ms)
  step "session $1"
  (
    APP_PID=
    trap '[ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null' EXIT
    "session_$1"
    if [ "$1" = main ]; then
      echo "FIRST_MS=$FIRST_MS RENDER_MS='$RENDER_MS' IDLE_MS=$IDLE_MS" >"$WORK/timing"
    fi
  ) || failed=1
  echo "    ($(( $(now_ms) - t0 )) ms)"
}

run_session main
run_session slow
run_session custom

# Other displays: the wine server starts again with each.
"$WINESERVER" -k; "$WINESERVER" -w
start_display 1280x700x24
run_session small
"$WINESERVER" -k; "$WINESERVER" -w
start_display 1280x1024x16
run_session depth16

# --- 5. summary --------------------------------------------------------------
if [ -s "$WORK/timing" ]; then
  . "$WORK/timing"
  step "first 600 x 600 render (formula 3 with the graph)"
  echo "    window under wine: ${FIRST_MS} ms from the window appearing to the end of the render;"
  echo "    R again:${RENDER_MS} ms; headless lumo render, 1 thread:${HEADLESS_MS} ms"
fi
echo "--- end-to-end tests took $(( ($(now_ms) - START) / 1000 )) s"
if [ "$failed" != 0 ]; then
  echo "FAIL: end-to-end tests failed; screenshots and logs are in $WORK"
  exit 1
fi
if [ "${LUMO_E2E_KEEP:-0}" = 1 ]; then
  echo "--- screenshots and logs kept in $WORK"
else
  rm -rf "$WORK"
fi
echo "--- end-to-end tests passed"
