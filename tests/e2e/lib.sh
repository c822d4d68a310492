# lib.sh - helpers of the end-to-end sessions (sourced by run.sh).
#
# Every step waits for something it can see - a window, the X focus, the
# pointer, screen pixels, a file, a process - with a deadline; there are no
# fixed sleeps between steps.  The render-end signal is the pointer: the
# program moves it to (100, 100) when a render finishes, so a session moves
# it elsewhere first and then waits for it to arrive there.
#
# Needs: WORK (scratch folder), WINE, APP (the .exe), TOOLS (the test
# programs), REF (reference TIFFs), PY (/usr/bin/python3), E2E (this
# folder); DISPLAY and WINEPREFIX set.

now_ms() { date +%s%3N; }

log() { echo "    $*"; }

# Takes a screenshot of the whole screen into $WORK/NAME.png.
shot() { import -window root "$WORK/$1.png"; }

# Ends the session with a message (and a screenshot for the post-mortem).
fail() {
  echo "FAIL: $*"
  shot "fail-${SESSION:-session}" 2>/dev/null
  echo "      screenshot: $WORK/fail-${SESSION:-session}.png"
  exit 1
}

# wait_win REGEX [SECS] -> id of a mapped window with that title that is
# not the main window.
wait_win() {
  local end=$(( $(now_ms) + ${2:-10}*1000 )) w
  while [ "$(now_ms)" -lt "$end" ]; do
    for w in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      [ "$w" != "${MAINWIN:-}" ] && { echo "$w"; return 0; }
    done
    sleep 0.05
  done
  return 1
}

# wait_nowin WINDOW [SECS]: until that window is unmapped or gone.
wait_nowin() {
  local end=$(( $(now_ms) + ${2:-10}*1000 ))
  while [ "$(now_ms)" -lt "$end" ]; do
    xdotool search --onlyvisible --name '.*' 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.05
  done
  return 1
}

# wait_focus WINDOW [SECS]: until the X focus is on that window.
wait_focus() {
  local end=$(( $(now_ms) + ${2:-10}*1000 ))
  while [ "$(now_ms)" -lt "$end" ]; do
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
    sleep 0.02
  done
  return 1
}

# wait_untitled [SECS] -> id of a new mapped window of the program with an
# empty title (the help dialog has no caption).
wait_untitled() {
  local end=$(( $(now_ms) + ${1:-10}*1000 )) w
  while [ "$(now_ms)" -lt "$end" ]; do
    for w in $(xdotool search --onlyvisible --class "$(basename "$APP")" 2>/dev/null); do
      [ "$w" != "$MAINWIN" ] && [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] &&
        { echo "$w"; return 0; }
    done
    sleep 0.05
  done
  return 1
}

# take_focus WINDOW WHAT: makes sure keys reach the window.  Normally wine
# gives it the X focus at once.  Under a heavy load wine can lose a race
# with the X server around a window that appears or closes: then either
# the window is active for wine while the X focus stays on another window
# of the program - keys still reach the active window, since wine routes
# them itself - or the X focus fell back to the root window, where keys go
# nowhere until a click on the window's caption (as a person would do).
# The harness logs either case, so it shows.
take_focus() {
  local X Y WIDTH HEIGHT SCREEN WINDOW geometry try focus
  wait_focus "$1" 3 && return 0
  for try in 1 2 3; do
    focus=$(xdotool getwindowfocus 2>/dev/null)
    if xdotool search --class "$(basename "$APP")" 2>/dev/null | grep -qx "$focus" &&
       [ "$(foreground)" = "$(xdotool getwindowname "$1" 2>/dev/null)" ]; then
      log "(the X focus is on $focus, but $2 is the window with the keyboard)"
      return 0
    fi
    log "(the X focus is on $focus, not on $2: clicking its caption)"
    geometry=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null) || return 1
    eval "$geometry"
    xdotool mousemove $(( X + 60 )) $(( Y + 8 )) click 1
    wait_focus "$1" 5 && return 0
  done
  return 1
}

# foreground: the title of the window that has the keyboard for wine.
foreground() {
  "$WINE" "$TOOLS/foreground.exe" >"$WORK/foreground.out" 2>/dev/null
  tr -d '\r' <"$WORK/foreground.out"
}

# open_win REGEX WHAT: waits for a box or dialog and its focus (its keys
# would go nowhere before); sets W to its window id.
open_win() {
  W=$(wait_win "$1" 15) || fail "$2 did not open"
  take_focus "$W" "$2" || fail "$2 did not get the focus"
}

# close_win WINDOW WHAT KEY: press KEY, wait until it is gone and the
# main window has the focus again.
close_win() {
  xdotool key "$3"
  wait_nowin "$1" || fail "$2 did not close"
  take_focus "$MAINWIN" "the main window" || fail "the main window did not get the focus back after $2"
}

# Pointer away from (100, 100), so the end of the next render shows.  It
# must stay over the main window: wine moves the pointer only from inside
# one of its windows.  (900, 500) is inside it on both screen sizes used,
# and outside the splash.
pointer_away() { xdotool mousemove 900 500; }

# wait_render_end [SECS]: until the program has put the pointer at (100, 100).
wait_render_end() {
  local end=$(( $(now_ms) + ${1:-60}*1000 ))
  while [ "$(now_ms)" -lt "$end" ]; do
    case "$(xdotool getmouselocation 2>/dev/null)" in "x:100 y:100 "*) return 0;; esac
    sleep 0.01
  done
  return 1
}

# launch: starts the program, waits for the main window and its focus
# (sets APP_PID, MAINWIN), and for the end of the first render, which
# starts by itself.  Sets LAUNCH_MS to the time from the window being
# mapped to the end of that render.
launch() {
  # The X server hands out the ids of an ended program's windows again, so
  # the main window of an earlier launch must not be passed over.
  MAINWIN=
  pointer_away
  "$WINE" "$APP" >"$WORK/wine-$SESSION.out" 2>&1 &
  APP_PID=$!
  MAINWIN=$(wait_win '^Lumo Domain Coloring$' 40) || fail "main window did not appear"
  local shown; shown=$(now_ms)
  take_focus "$MAINWIN" "the main window" || fail "main window did not get the focus"
  wait_render_end 60 || fail "the first render did not end"
  LAUNCH_MS=$(( $(now_ms) - shown ))
}

# wait_exit [SECS]: until the program has ended; sets EXIT_STATUS.
wait_exit() {
  local end=$(( $(now_ms) + ${1:-15}*1000 ))
  while [ "$(now_ms)" -lt "$end" ]; do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID"; EXIT_STATUS=$?; APP_PID=; return 0
    fi
    sleep 0.02
  done
  return 1
}

# Alt+key as one chord; wine sees the Alt release after the key, so it
# does not enter menu mode.
altkey() { xdotool keydown alt key "$1" keyup alt; }

# locate NAME REF: finds the client origin (OX, OY) in screenshot NAME.
locate() {
  local xy
  xy=$("$PY" "$E2E/screen.py" locate "$WORK/$1.png" "$REF/$2.tif") || fail "$xy"
  OX=${xy% *}; OY=${xy#* }
}

# same_image NAME REF W H [strip]: the image area of screenshot NAME equals
# the reference (and the visible graph strip, with its tolerance).
same_image() {
  local out
  out=$("$PY" "$E2E/screen.py" image "$WORK/$1.png" "$REF/$2.tif" "$OX" "$OY" "$3" "$4") ||
    fail "screen against $2: $out"
  if [ "${5:-}" = strip ]; then
    out=$("$PY" "$E2E/screen.py" strip "$WORK/$1.png" "$REF/$2.tif" "$OX" "$OY" "$CLIENTW") ||
      fail "graph strip against $2: $out"
  fi
}

# render_and_compare WHAT REF W H [strip]: R, wait for the end, compare.
render_and_compare() {
  pointer_away
  xdotool key r
  wait_render_end 60 || fail "$1: the render did not end"
  shot "$2"
  same_image "$2" "$2" "$3" "$4" "${5:-}"
  log "ok  $1"
}

# save_as KEY PATH: U or L, the save dialog, a Z: path, the confirmation.
save_as() {
  local dialog box winpath
  xdotool key "$1"
  open_win '^Select a file for saving your image:$' "the save dialog"; dialog=$W
  winpath="Z:$(echo "$2" | tr / '\\')"
  xdotool type --delay 5 "$winpath"
  xdotool key Return
  wait_nowin "$dialog" || fail "the save dialog did not close"
}

# save_over KEY PATH: as save_as, for a file that is there: the dialog
# asks before it replaces one (a box with the dialog's own title), and Yes.
save_over() {
  local dialog prompt="" end winpath
  xdotool key "$1"
  open_win '^Select a file for saving your image:$' "the save dialog"; dialog=$W
  winpath="Z:$(echo "$2" | tr / '\\')"
  xdotool type --delay 5 "$winpath"
  xdotool key Return
  end=$(( $(now_ms) + 15000 ))
  while [ -z "$prompt" ] && [ "$(now_ms)" -lt "$end" ]; do
    for w in $(xdotool search --onlyvisible --name '^Select a file for saving your image:$' 2>/dev/null); do
      [ "$w" != "$dialog" ] && prompt=$w
    done
    sleep 0.05
  done
  [ -n "$prompt" ] || fail "the save dialog did not ask before replacing $2"
  take_focus "$prompt" "the replace question" || fail "the replace question did not get the focus"
  xdotool key Return
  wait_nowin "$dialog" || fail "the save dialog did not close"
}

# cpu_ticks: processor time of the program so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
