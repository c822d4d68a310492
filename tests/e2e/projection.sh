# projection.sh - the end-to-end session of the View menu (sourced by
# run.sh): 2, 3 and 1 show the sphere, the landscape and the plane; a drag
# turns the sphere and orbits the landscape's camera, Backspace and Home
# go to the sphere's previous centre and to 0, the wheel raises the
# landscape's height limit; the status bar reads z and w under the pointer
# on both.  After each step the picture is saved as PNG (Ctrl+S), and the
# window's screen must be what lumo render draws from the command in the
# file's Comment, which must say the state the step made.

# projection_state NAME WHAT EREGEX: the screen against lumo render of the
# saved Comment, which must match EREGEX; sets COMMENT.
projection_state() {
  local name=$1 what=$2 w
  shot "$name"
  save_as ctrl+s "$SAVES/$name.png"
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  close_win "$w" "the save confirmation" Return
  COMMENT=$("$PY" "$E2E/commentref.py" "$SAVES/$name.png" "$REF/$name.tif" "$LUMO") ||
    fail "$what: $COMMENT"
  printf '%s\n' "$COMMENT" | grep -Eq -- "$3" || fail "$what: the Comment \"$COMMENT\" does not match \"$3\""
  same_image "$name" "$name" 600 600
  log "ok  $what: $(printf '%s\n' "$COMMENT" | sed -n 's/.*\(--projection.*\) -o .*/\1/p')"
}

# projection_action WHAT XDOTOOL-ARGS...: the action, and the end of the
# render it starts.
projection_action() {
  local what=$1; shift
  xdotool mousemove 900 500
  clear_status
  xdotool "$@"
  wait_render_end 60 || fail "$what: no render (\"$STATUS\")"
}

# readout_at X Y: the status bar's readout at image pixel (X, Y): ZX ZY WX WY.
readout_at() {
  xdotool mousemove $(( OX + $1 )) $(( OY + $2 ))
  wait_status "$1, $2:  z = " 15 || fail "no readout at ($1, $2): \"$STATUS\""
  READ=$(printf '%s\n' "$STATUS" | LC_ALL=C sed -n 's/.*z = \([^ ]*\) \([^ ]*\)i   w = \([^ ]*\) \([^ ]*\)i .*/\1 \2 \3 \4/p')
  [ -n "$READ" ] || fail "readout at ($1, $2) unreadable: \"$STATUS\""
}

session_projection() {
  SESSION=projection
  mkdir -p "$SAVES"
  launch
  shot proj-start; locate proj-start start
  eval "$(xdotool getwindowgeometry --shell "$MAINWIN")"
  CLIENTW=$(( WIDTH - 2 * OX ))

  projection_action "2: the sphere" key 2
  projection_state sphere "View > Sphere (2)" ' --projection sphere --center 0 0 --shade off -o '
  # The pixel (300, 300) of a 600 x 600 sphere about 0 shows
  # z = (u + iv) / (1 + sqrt(1 - u^2 - v^2)), u = 0.5 / 300 = -v; w = z.
  readout_at 300 300
  "$PY" - $READ <<'PY' || fail "sphere readout $READ"
import math, sys
zx, zy, wx, wy = map(float, sys.argv[1:])
u = 0.5 / 300; s = math.sqrt(1 - 2 * u * u)
assert abs(zx - u / (1 + s)) < 1e-12 and abs(zy + u / (1 + s)) < 1e-12, (zx, zy)
assert (wx, wy) == (zx, zy), (wx, wy)
PY
  log "ok  the readout on the sphere: z = w = $READ"

  projection_action "a drag on the sphere" mousemove $(( OX + 300 )) $(( OY + 300 )) mousedown 1 \
    mousemove $(( OX + 340 )) $(( OY + 320 )) mousemove $(( OX + 380 )) $(( OY + 340 )) mouseup 1
  projection_state sphere-drag "a drag from (300, 300) to (380, 340) turns the sphere" \
    ' --projection sphere --center -0\.1[0-9]* 0\.0[0-9]* --shade off'
  projection_action "Backspace on the sphere" key BackSpace
  projection_state sphere-back "Backspace: the previous centre" ' --center 0 0 '
  projection_action "a second drag" mousemove $(( OX + 200 )) $(( OY + 200 )) mousedown 1 \
    mousemove $(( OX + 150 )) $(( OY + 250 )) mousemove $(( OX + 100 )) $(( OY + 300 )) mouseup 1
  projection_action "Home on the sphere" key Home
  projection_state sphere-home "Home: the centre 0" ' --center 0 0 '

  projection_action "3: the landscape" key 3
  projection_state landscape "View > Landscape (3)" \
    ' --projection landscape --camera 30 40 --height log --height-limit 3 --shade on -o '
  readout_at 300 250
  "$PY" - $READ <<'PY' || fail "landscape readout $READ"
import sys
zx, zy, wx, wy = map(float, sys.argv[1:])
assert (wx, wy) == (zx, zy) and -4 <= zx <= 4 and -4 <= zy <= 4, (zx, zy, wx, wy)
PY
  log "ok  the readout on the landscape: z = w = $READ"
  projection_action "a drag on the landscape" mousemove $(( OX + 300 )) $(( OY + 300 )) mousedown 1 \
    mousemove $(( OX + 330 )) $(( OY + 320 )) mousemove $(( OX + 360 )) $(( OY + 340 )) mouseup 1
  projection_state landscape-drag "a drag orbits the camera" ' --camera 0 60 '
  projection_action "the wheel on the landscape" mousemove $(( OX + 300 )) $(( OY + 300 )) click 4
  projection_state landscape-wheel "the wheel raises the height limit" ' --height-limit 3.75 '

  projection_action "1: the plane" key 1
  shot plane-again
  same_image plane-again start 600 600 strip
  log "ok  View > Plane (1): the first picture again, graph and all"

  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
}
