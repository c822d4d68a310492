#!/bin/bash
# End-to-end tests of the window program: the 64-bit build runs under
# wine64 and the 32-bit build (when given) under wine, inside Xvfb (1280 x
# 1024 x 24, so the first image is 600 x 600 with the graph), each driven
# through every session with xdotool like a person would; what it shows
# and saves is compared with `lumo render` of the same settings.
#
#   tests/e2e/run.sh WIN64BUILD NATIVEBUILD [WIN32BUILD]
#   LUMO_E2E_SESSIONS="custom sliders" runs only those sessions.
#
# The test tools (resourcecheck, boxtext, statustext...) are the 64-bit
# ones for both builds.  A prepared wine prefix is kept beside the native
# build and copied for each run, since preparing one takes minutes where
# 32-bit wine runs emulated.
# Also: only system DLLs are imported (both builds), lumo.exe (both builds)
# saves the same files as lumo, the resources of both
# builds hold the expected menu, accelerators, dialogs and pictures, and the
# off-screen image layer behaves under the window system's own GDI, and the
# steady arc tangent, sine and cosine give the Linux build's bits.
# One wine prefix is prepared per run and shared by the sessions; every
# wait has a deadline and the whole run has one too.  On failure (or with
# LUMO_E2E_KEEP=1) the screenshots stay in the work folder named at the end.
set -uo pipefail

WINBUILD=$(cd "${1:?usage: run.sh WIN64BUILD NATIVEBUILD [WIN32BUILD]}" && pwd)
WINE32=/usr/lib/wine/wine
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
APPWINE=$WINE
# 32-bit wine needs a kernel that runs i386 programs (or an emulator
# registered for them).  Where it cannot start, the 32-bit sessions are
# skipped and the summary says so; LUMO_E2E_REQUIRE32=1 makes that fail.
SKIP32=
if [ -n "$WIN32BUILD" ] && ! "$WINE32" --version >/dev/null 2>&1; then
  SKIP32="32-bit wine ($WINE32) cannot start on this machine"
  [ "${LUMO_E2E_REQUIRE32:-0}" = 1 ] && { echo "FAIL: $SKIP32"; exit 1; }
  WIN32RESOURCES=$WIN32BUILD
  WIN32BUILD=
fi
for f in "$APP" "$TOOLS/resourcecheck.exe" "$TOOLS/surfacecheck.exe" "$TOOLS/boxtext.exe" \
         "$TOOLS/foreground.exe" "$TOOLS/statustext.exe" "$TOOLS/steadycheck.exe" \
         "$NATIVE/tests/common/steadycheck" "$LUMO" "$WINE" \
         ${WIN32BUILD:+"$WIN32BUILD/app/LumoDomainColoring.exe" "$WINE32"}; do
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
export WORK REF APP ART TOOLS PY WINE APPWINE LUMO

XVFB_PID=
WATCHDOG=
cleanup() {
  for ro in "$WORK"/saves-*/readonly; do umount -l "$ro" 2>/dev/null; done
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
  sleep "${LUMO_E2E_LIMIT:-900}" >/dev/null 2>&1 &
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
           ${WIN32RESOURCES:+"$WIN32RESOURCES/app/LumoDomainColoring.exe"} \
           "$WINBUILD/cli/lumo.exe" ${WIN32BUILD:+"$WIN32BUILD/cli/lumo.exe"} \
           ${WIN32RESOURCES:+"$WIN32RESOURCES/cli/lumo.exe"}; do
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
. "$E2E/sliders.sh"     # its session renders its own references
. "$E2E/projection.sh"  # the View menu's session
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
  r zeta2 --formula 28 --size 1000 900
  r small --size 572 572
  r custom --expr "$CUSTOMTEXT" --graph
  r zeta600 --formula 27 --graph
) >"$WORK/ref.log" 2>&1 &
REF_PID=$!
t0=$(now_ms)
PREFIX_CACHE=$NATIVE/e2e-wineprefix
if [ -f "$PREFIX_CACHE/system.reg" ]; then
  cp -a "$PREFIX_CACHE" "$WINEPREFIX"
else
  DISPLAY= "$WINE" wineboot -i >"$WORK/wineboot.log" 2>&1
  DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINESERVER" -w
  rm -rf "$PREFIX_CACHE.new" && cp -a "$WINEPREFIX" "$PREFIX_CACHE.new" && mv "$PREFIX_CACHE.new" "$PREFIX_CACHE"
fi
wait "$REF_PID"
if grep -q FAIL "$WORK/ref.log"; then cat "$WORK/ref.log"; exit 1; fi
echo "    prefix and references ready in $(( $(now_ms) - t0 )) ms"

# lumo.exe, 64-bit and (where wine runs 32-bit programs) 32-bit, saves the
# very bytes lumo saves: the OKLab maps, the graph, LZW, fractals, threads,
# the sphere and the landscape.
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
              "--formula 20 --map 3 --grid both --size 250 250" \
              "--formula 9 --projection sphere --center -0.3 2 --shade on --size 160 120" \
              "--formula 20 --projection landscape --camera 17 33 --size 200 150 --threads 3"; do
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
  ${WIN32RESOURCES:+"$WIN32RESOURCES/app/LumoDomainColoring.exe"} \
  >"$WORK/resourcecheck.out" 2>&1 || failed=1
tr -d '\r' <"$WORK/resourcecheck.out" | sed 's/^/    /'
step "the off-screen image under GDI"
"$WINE" "$TOOLS/surfacecheck.exe" >"$WORK/surfacecheck.out" 2>&1 || failed=1
tr -d '\r' <"$WORK/surfacecheck.out" | sed 's/^/    /'
if [ -n "$WIN32BUILD" ]; then
  "$WINE32" "$WIN32BUILD/tests/app/surfacecheck.exe" >"$WORK/surfacecheck32.out" 2>&1 || failed=1
  tr -d '\r' <"$WORK/surfacecheck32.out" | sed 's/^/    32-bit: /'
fi

step "the steady arc tangent, sine and cosine give the Linux build's bits"
# (Both builds hash the results of the same two million inputs.)
"$WINE" "$TOOLS/steadycheck.exe" digest 1000000 >"$WORK/steadycheck.out" 2>&1 || failed=1
native_digest=$("$NATIVE/tests/common/steadycheck" digest 1000000)
win_digest=$(tr -d '\r' <"$WORK/steadycheck.out")
if [ "$win_digest" = "$native_digest" ]; then
  echo "    ok  $win_digest"
else
  echo "FAIL: win64 steadycheck '$win_digest', Linux '$native_digest'"
  failed=1
fi

# --- 4. sessions, on each build ------------------------------------------------
. "$E2E/lib.sh"
. "$E2E/sessions.sh"

# run_session NAME: the session in a subshell that ends its program.
# LUMO_E2E_SESSIONS="custom projection" runs only the sessions named.
run_session() {
  case " ${LUMO_E2E_SESSIONS:-$1} " in *" $1 "*) ;; *) return 0 ;; esac
  local t0; t0=$(now_ms)
  step "session $1 ($BUILD)"
  (
    APP_PID=
    trap '[ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null' EXIT
    "session_$1"
    if [ "$1" = main ]; then
      echo "FIRST_MS=$FIRST_MS FIRST_T=$FIRST_T RENDER_TIMES='$RENDER_TIMES' THREADS=$WINDOW_THREADS IDLE_MS=$IDLE_MS" \
        >"$WORK/timing-main"
    fi
  ) || failed=1
  echo "    ($(( $(now_ms) - t0 )) ms)"
}

# lumo_times N ARGS...: `lumo render --time` N times; prints the seconds.
lumo_times() {
  local n=$1 k; shift
  for k in $(seq "$n"); do
    "$LUMO" render --time -o "$WORK/timing.tif" "$@" 2>&1 | sed -n 's/^Rendered .* in \([0-9.]*\) s on .*/\1/p'
  done | tr '\n' ' '
}

# The window's times against lumo render's with the same thread count:
# medians, their ratio, and the target.
timing_summary() {
  local main_lumo zeta_lumo
  [ -s "$WORK/timing-main" ] || return 0
  . "$WORK/timing-main"
  local jobtime; jobtime=$(dirname "$(dirname "$APP")")/tests/app/jobtime.exe
  main_lumo=$(lumo_times 5 --graph --threads "$THREADS")
  step "timing ($BUILD, $THREADS threads; the window's own figure against lumo render --time)"
  "$PY" "$E2E/timing.py" "first 600 x 600 picture" "$FIRST_T $RENDER_TIMES" "$main_lumo"
  # The same render job in this build without a window: what the window
  # adds, apart from the compiler and maths library of the build.
  "$APPWINE" "$jobtime" 3 "$THREADS" 5 >"$WORK/jobtime.out" 2>/dev/null &&
    "$PY" "$E2E/timing.py" "first 600 x 600 picture" "$FIRST_T $RENDER_TIMES" \
      "$(tr -d '\r' <"$WORK/jobtime.out")" "the same build's job with no window"
  if [ -s "$WORK/timing-slider" ]; then
    . "$WORK/timing-slider"
    "$PY" "$E2E/timing.py" "slider to picture, z^2 + c at 600 x 600" "$SLIDER_T" \
      "$(lumo_times 3 --expr 'z^2 + c' --param c=1.25 --graph --threads "$THREADS")"
    echo "    slider key to picture: $SLIDER_MS ms"
    rm -f "$WORK/timing-slider"
  fi
  if [ -s "$WORK/timing-zeta" ]; then
    . "$WORK/timing-zeta"
    zeta_lumo=$(lumo_times 3 --formula 27 --graph --threads "$ZETA_THREADS")
    "$PY" "$E2E/timing.py" "formula 27 at 600 x 600" "$ZETA_T" "$zeta_lumo"
    "$APPWINE" "$jobtime" 27 "$ZETA_THREADS" 3 >"$WORK/jobtime.out" 2>/dev/null &&
      "$PY" "$E2E/timing.py" "formula 27 at 600 x 600" "$ZETA_T" \
        "$(tr -d '\r' <"$WORK/jobtime.out")" "the same build's job with no window"
  fi
  echo "    first render from the window appearing: $FIRST_MS ms; idle: $IDLE_MS ms of processor time in 1 s"
  rm -f "$WORK/timing-main" "$WORK/timing-zeta"
}

# run_build NAME EXE WINE SLOW: every session on one build.
run_build() {
  BUILD=$1 APP=$2 APPWINE=$3 SLOW=$4
  # Each build saves into a folder of its own: a name the other build saved
  # already would bring the save dialog's "replace it?" question.
  SAVES=$WORK/saves-$BUILD
  export BUILD APP APPWINE SLOW SAVES
  "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w
  start_display 1280x1024x24
  "$WINESERVER" -p >/dev/null 2>&1
  run_session main
  run_session mouse
  run_session slow
  run_session custom
  run_session sliders
  run_session projection
  timing_summary

  # Other displays: the wine server starts again with each.
  "$WINESERVER" -k; "$WINESERVER" -w
  start_display 1280x700x24
  run_session small
  "$WINESERVER" -k; "$WINESERVER" -w
  start_display 1280x1024x16
  run_session depth16
}

run_build win64 "$APP" "$WINE" 1
if [ -n "$WIN32BUILD" ]; then
  # The 32-bit program may run emulated (a kernel without 32-bit support
  # runs 32-bit wine through qemu): its waits get longer deadlines.
  run_build win32 "$WIN32BUILD/app/LumoDomainColoring.exe" "$WINE32" "${LUMO_E2E_SLOW32:-6}"
fi

# --- 5. summary --------------------------------------------------------------
[ -n "$SKIP32" ] && echo "--- SKIPPED: the sessions of the 32-bit build: $SKIP32"
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
