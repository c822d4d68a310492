# sessions.sh - the end-to-end sessions (sourced by run.sh).  Each runs
# in its own subshell, starts the program once and ends it; the pictures
# it expects are the `lumo render` files in $REF (see run.sh).

# What a box or dialog of the program says, one control a line.  (Into a
# file first: a pipe could be held open by wine's helper processes.)
boxtext() {
  "$WINE" "$TOOLS/boxtext.exe" "$1" >"$WORK/boxtext.out" 2>/dev/null
  tr -d '\r' <"$WORK/boxtext.out"
}

# expect_text CAPTION LINE: the box with that caption shows that line.
expect_text() {
  boxtext "$1" | grep -qxF -- "$2" || fail "\"$1\" does not say \"$2\" (it says: $(boxtext "$1" | tr '\n' '|'))"
}

# watch REF W H TEST N SECS: watches the screen until the rows drawn so
# far pass TEST (see screen.py); sets DONE and GREY.
watch() {
  local out
  out=$("$PY" "$E2E/screen.py" watch "$REF/$1.tif" "$OX" "$OY" "$2" "$3" "$4" "$5" "$6") ||
    { log "$out"; return 1; }
  DONE=${out% *}; GREY=${out#* }
}

# The start, the splash, the first render, the commands, the dialogs, the
# saves and the parameters, then Esc.
session_main() {
  SESSION=main
  mkdir -p "$SAVES"

  # The splash shows the picture 1:1 before the main window appears.
  pointer_away
  "$APPWINE" "$APP" >"$WORK/wine-main.out" 2>&1 &
  APP_PID=$!
  local splash
  splash=$("$PY" "$E2E/screen.py" waitfor "$ART/lumosplash.bmp" 40) || fail "$splash"
  log "ok  splash picture at ($splash)"
  MAINWIN=$(wait_win '^Lumo Domain Coloring$' 40) || fail "main window did not appear"
  local shown; shown=$(now_ms)
  take_focus "$MAINWIN" "the main window" || fail "main window did not get the focus"
  wait_render_end 60 || fail "the first render did not end"
  FIRST_MS=$(( $(now_ms) - shown ))
  FIRST_T=$RENDER_T

  # The first render happened by itself: 600 x 600 with the graph.
  shot start
  locate start start
  eval "$(xdotool getwindowgeometry --shell "$MAINWIN")"
  CLIENTW=$(( WIDTH - 2 * OX ))
  same_image start start 600 600 strip
  log "ok  first render by itself, as lumo render draws it (client origin $OX,$OY)"

  # Idle, the program waits for messages instead of spinning.  (The second
  # is a measuring interval, not a wait for anything.)
  local t0 t1 ticks
  t0=$(cpu_ticks); sleep 1; t1=$(cpu_ticks)
  ticks=$(getconf CLK_TCK)
  IDLE_MS=$(( (t1 - t0) * 1000 / ticks ))
  [ "$IDLE_MS" -le 100 ] || fail "idle, the program used $IDLE_MS ms of processor time in 1 s"
  log "ok  idle: $IDLE_MS ms of processor time in 1 s"

  # The same render five more times, timed by the program itself.
  # The status bar is not emptied first (that starts a wine process while
  # the render starts): the pointer, away before R, comes to (100, 100)
  # only when this render ends, and the status bar is asked then.
  RENDER_TIMES=
  for _ in 1 2 3 4 5; do
    xdotool mousemove 900 500
    xdotool key r
    wait_render_end 60 30 || fail "R did not render"
    RENDER_TIMES="$RENDER_TIMES $RENDER_T"
  done
  WINDOW_THREADS=$THREADS

  # Colour maps and grids, each rendered with R.
  xdotool key m;   render_and_compare "M: Cyclic - Modular" modular 600 600 strip
  xdotool key s;   render_and_compare "S: square grid" modular-square 600 600 strip
  xdotool key d;   render_and_compare "D: Cyclic - 3-D turns the grids off" 3d 600 600 strip
  xdotool key s;   render_and_compare "S under Cyclic - 3-D is greyed" 3d 600 600 strip
  xdotool key c t; render_and_compare "C, T: Continuous with the phase grid" continuous-phase 600 600 strip
  xdotool key b g; render_and_compare "B, G: Cyclic - Both with both grids" both-both 600 600 strip
  xdotool key o;   render_and_compare "O: Perceptual keeps the grids" perceptual-both 600 600 strip
  xdotool key k;   render_and_compare "K: Colour-Blind Safe" cbsafe-both 600 600 strip
  xdotool key h;   render_and_compare "H: Enhanced Portrait" enhanced-both 600 600 strip

  # Alt+D does nothing outside the absolute-value maps: the next key (F3)
  # reaches the main window and opens About.
  local w
  altkey d
  xdotool key F3
  open_win '^About$' "About"; w=$W
  [ -z "$(xdotool search --onlyvisible --name '^Abs \( w \) Debug Options$' 2>/dev/null)" ] ||
    fail "Alt+D opened the debug dialog under a domain-colouring map"
  expect_text About "Equations in complex variables are"
  shot about
  close_win "$w" About Return
  log "ok  Alt+D greyed under Continuous; F3 About"

  xdotool key w;   render_and_compare "W: Absolute Value colour keeps the grids" abscolor-both 600 600 strip
  xdotool key v n; render_and_compare "V, N: Absolute Value greyscale" absgrey 600 600 strip

  altkey d
  open_win '^Abs \( w \) Debug Options$' "the debug dialog (Alt+D)"; w=$W
  shot debug
  close_win "$w" "the debug dialog" Escape
  xdotool key F4
  open_win '^Absolute Value Coloring - Debug Options$' "the absolute-value help (F4)"; w=$W
  expect_text "Absolute Value Coloring - Debug Options" "OK"
  boxtext "Absolute Value Coloring - Debug Options" | grep -q "^In this method, the absolute value of w is mapped to" ||
    fail "F4 box without its text"
  close_win "$w" "the absolute-value help" Return
  xdotool key F2
  w=$(wait_untitled 15) || fail "the help dialog (F2) did not open"
  take_focus "$w" "the help dialog" || fail "the help dialog did not get the focus"
  shot help
  "$PY" "$E2E/screen.py" find "$WORK/help.png" "$ART/lumohelp.bmp" >/dev/null || fail "the help picture is not shown"
  close_win "$w" "the help dialog" Escape
  log "ok  Alt+D under Absolute Value, F4, F2 with its picture"

  # The Formula dialog opens on the current formula (3); 13 steps down is
  # formula 16, w = sin( z ), which OK renders at once.
  pointer_away
  xdotool key f
  open_win '^Select Formula$' "the Formula dialog"; w=$W
  shot formula
  for _ in $(seq 13); do xdotool key Down; done
  xdotool key Return
  wait_nowin "$w" || fail "the Formula dialog did not close"
  wait_render_end 60 || fail "formula 16 did not render"
  shot sine
  same_image sine sine 600 600 strip
  log "ok  Formula dialog: formula 16 rendered at once"

  # Saves: uncompressed and LZW, 1300 wide with the graph strip.
  save_as u "$SAVES/u.tif"
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  expect_text "Lumo Domain Coloring" "Image saved as u.tif"
  close_win "$w" "the save confirmation" Return
  "$PY" "$E2E/screen.py" tiff "$SAVES/u.tif" "$REF/sine.tif" 600 raw || fail "u.tif"
  save_as l "$SAVES/l.tif"
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  expect_text "Lumo Domain Coloring" "Image saved as l.tif"
  close_win "$w" "the save confirmation" Return
  "$PY" "$E2E/screen.py" tiff "$SAVES/l.tif" "$REF/sine.tif" 600 lzw || fail "l.tif"
  log "ok  U and L saved files that PIL reads as the lumo render"

  # PNG (Ctrl+S): the same pixels, and a Comment that makes them again.
  save_as ctrl+s "$SAVES/p.png"
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  expect_text "Lumo Domain Coloring" "Image saved as p.png"
  close_win "$w" "the save confirmation" Return
  "$PY" "$E2E/checkpng.py" "$SAVES/p.png" "$SAVES/u.tif" "$LUMO" "$NATIVE/tests/cli/pngpixels" ||
    fail "p.png"
  log "ok  Ctrl+S saved a PNG with the lumo render's pixels and the command that makes it"

  # Figure (Ctrl+Shift+S): an SVG with the window's picture, axes and key.
  save_as ctrl+shift+s "$SAVES/f.svg"
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  expect_text "Lumo Domain Coloring" "Image saved as f.svg"
  close_win "$w" "the save confirmation" Return
  "$PY" "$E2E/checkfigure.py" "$SAVES/f.svg" "$SAVES/u.tif" || fail "f.svg"
  log "ok  Ctrl+Shift+S saved an SVG figure of the window's picture"

  # A folder of the test's own where nobody may create a file: for root
  # (whom permissions do not stop) a small tmpfs mounted read-only.
  local ro=$SAVES/readonly
  mkdir -p "$ro"
  if [ "$(id -u)" != 0 ]; then
    chmod 555 "$ro"
  else
    mount -t tmpfs -o ro,size=64k lumo-readonly "$ro" || fail "could not mount a read-only folder"
  fi
  save_as u "$ro/lumo.tif"
  open_win '^Save file error$' "the save error box"; w=$W
  expect_text "Save file error" "Error opening a save file."
  close_win "$w" "the save error box" Return
  save_as ctrl+s "$ro/lumo.png"
  open_win '^Save file error$' "the PNG save error box"; w=$W
  expect_text "Save file error" "Error opening a save file."
  close_win "$w" "the PNG save error box" Return
  [ -z "$(ls -A "$ro")" ] || fail "a failed save left $(ls -A "$ro" | tr '\n' ' ')"
  [ "$(id -u)" != 0 ] || umount -l "$ro"
  log "ok  save into a read-only folder: \"Error opening a save file.\", no file (TIFF and PNG)"

  # The image is 600 wide again after the saves (the strip was only
  # saved), so R draws the same picture.
  render_and_compare "R after the saves" sine 600 600 strip

  # Parameters: a bad resolution is refused with its message, the view
  # typed before it is kept; then a new size is accepted.
  xdotool key p
  open_win '^Parameters$' "the Parameters dialog"; w=$W
  shot parameters
  xdotool type -- "-2"; xdotool key Tab
  xdotool type -- "2"; xdotool key Tab
  xdotool type -- "-1.5"; xdotool key Tab
  xdotool type -- "1.5"; xdotool key Tab
  xdotool type -- "31"; xdotool key Tab
  xdotool type -- "480"
  expect_text Parameters "31"       # the keys arrived
  xdotool key Return
  local e
  open_win '^Parameter Error$' "the Parameter Error box"; e=$W
  expect_text "Parameter Error" "x / y resolution range: 32 - 9600"
  shot parametererror
  xdotool key Return
  wait_nowin "$e" || fail "the Parameter Error box did not close"
  take_focus "$w" "the Parameters dialog" || fail "the Parameters dialog did not get the focus back"
  close_win "$w" "the Parameters dialog" Escape
  xdotool key p
  open_win '^Parameters$' "the Parameters dialog"; w=$W
  for value in -2.0000000000 2.0000000000 -1.5000000000 1.5000000000 600; do
    expect_text Parameters "$value"
  done
  xdotool key Tab Tab Tab Tab
  xdotool type -- "640"; xdotool key Tab
  xdotool type -- "480"
  expect_text Parameters "640"
  xdotool key Return
  wait_nowin "$w" || fail "the Parameters dialog did not accept 640 x 480"
  take_focus "$MAINWIN" "the main window" || fail "the main window did not get the focus back"
  log "ok  Parameters: \"x / y resolution range: 32 - 9600\", then a new view and size"
  render_and_compare "R at 640 x 480, new view, no graph" sine-640 640 480

  # The status bar's readout at a few pixels: z where the renderer puts
  # the pixel, w as lumo eval computes it there.
  local px py text
  for px_py in "0 0" "639 479" "320 240" "17 400"; do
    px=${px_py% *}; py=${px_py#* }
    xdotool mousemove $(( OX + px )) $(( OY + py ))
    wait_status "	$px, $py:  z = " 10 || fail "no readout at pixel ($px, $py): \"$STATUS\""
    text=${STATUS#*		}
    "$PY" "$E2E/readout.py" "$text" 16 -2 2 -1.5 1.5 640 480 "$px" "$py" "$LUMO" ||
      fail "readout at ($px, $py)"
  done
  log "ok  status bar readout at four pixels: z of the pixel, w as lumo eval gives it"

  # Esc ends the program with exit status 0.
  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after Esc"
  log "ok  Esc: exit status 0"
}

# A slow render: Pause stops it with its rows kept, R starts it again from
# row 0, and closing the window in the middle of a render ends the program
# cleanly.
session_slow() {
  SESSION=slow
  launch
  shot start; locate start start

  local w
  xdotool key p
  open_win '^Parameters$' "the Parameters dialog"; w=$W
  xdotool key Tab Tab Tab Tab
  xdotool type -- "1000"; xdotool key Tab
  xdotool type -- "900"
  expect_text Parameters "1000"
  xdotool key Return
  wait_nowin "$w" || fail "the Parameters dialog did not accept 1000 x 900"
  take_focus "$MAINWIN" "the main window" || fail "the main window did not get the focus back"

  # Formula 28, the iterated zeta function, 25 steps down from formula 3:
  # the slowest picture, so that the rows can be caught on their way.
  xdotool key f
  open_win '^Select Formula$' "the Formula dialog"; w=$W
  for _ in $(seq 25); do xdotool key Down; done
  xdotool key Return
  wait_nowin "$w" || fail "the Formula dialog did not close"

  # Pause once the status bar says 300 rows are shown; it says where the
  # render stopped, and the screen shows those rows with grey below.
  wait_status '^Rendering: row ([3-9][0-9]{2}|[0-9]{4,}) of 900' 120 ||
    fail "the render of formula 28 did not get going: \"$STATUS\""
  local threads=${STATUS##* on }; threads=${threads%% thread*}
  xdotool key Pause
  wait_status '^(Stopped|Rendered) ' 20 || fail "Pause did not stop the render: \"$STATUS\""
  case "$STATUS" in Rendered*) fail "the render ended before Pause could stop it";; esac
  local paused
  paused=$(printf '%s\n' "$STATUS" | LC_ALL=C sed -n 's/^Stopped at row \([0-9]*\) of 900.*/\1/p')
  # Commands are ignored during a render: About opening shows it stopped.
  xdotool key F3
  open_win '^About$' "About after Pause"; w=$W
  close_win "$w" About Return
  watch zeta2 1000 900 settled 0 10 || fail "after Pause the image is not the rows done and grey below"
  [ "$DONE" = "$paused" ] || fail "Pause said row $paused, the screen shows $DONE rows"
  [ "$paused" -ge 300 ] && [ "$paused" -lt 900 ] || fail "Pause left $paused rows"
  shot paused
  log "ok  Pause stopped formula 28 on $threads threads after $paused of 900 rows; the rows stay"

  pointer_away
  xdotool key r
  watch zeta2 1000 900 fewer "$paused" 20 || fail "R did not start again from the top"
  log "ok  R starts again from row 0 ($DONE rows done when seen)"

  # LZW cannot shrink the whole iterated zeta picture: the failed save over a file
  # that is there leaves that file exactly as it was, and nothing beside it.
  wait_render_end 120 || fail "the render of formula 28 did not end"
  mkdir -p "$WORK/keep"
  printf 'the picture saved before\n' >"$WORK/keep/keep.tif"
  cp "$WORK/keep/keep.tif" "$WORK/keep.before"
  save_over l "$WORK/keep/keep.tif"
  open_win '^TIFF LZW$' "the LZW warning"; w=$W
  expect_text "TIFF LZW" "Please save in uncompressed format."
  # (the error box follows at once, so the main window gets no focus between)
  xdotool key Return
  wait_nowin "$w" || fail "the LZW warning did not close"
  open_win '^Save file error$' "the save error box"; w=$W
  expect_text "Save file error" "Data compression error."
  close_win "$w" "the save error box" Return
  cmp -s "$WORK/keep/keep.tif" "$WORK/keep.before" || fail "the failed LZW save changed the file"
  [ "$(ls -A "$WORK/keep")" = keep.tif ] || fail "the failed save left $(ls -A "$WORK/keep" | tr '\n' ' ')"
  log "ok  a failed LZW save over a file leaves it as it was, and no other file"

  # Close the window (Alt+F4) while a render runs.
  pointer_away
  xdotool key r
  wait_status '^Rendering: ' 5 || fail "the render is not running: \"$STATUS\""
  altkey F4
  wait_exit 15 || fail "the program did not end after its window was closed during a render"
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after closing during a render"
  log "ok  window closed during a render: exit status 0"
}

# A screen 700 pixels high: the start image is 572 x 572 without the
# graph strip, and a save writes just the image.
session_small() {
  SESSION=small
  mkdir -p "$SAVES"
  launch
  shot small
  locate small small
  same_image small small 572 572
  log "ok  700-pixel screen: a 572 x 572 first image without the graph"
  save_as u "$SAVES/small.tif"
  local w
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  close_win "$w" "the save confirmation" Return
  "$PY" "$E2E/screen.py" tiff "$SAVES/small.tif" "$REF/small.tif" 572 raw || fail "small.tif"
  render_and_compare "R after the save: still 572 x 572" small 572 572
  log "ok  the save is 572 x 572 and the image stays that size"
  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after Esc"
}

# On a 16-bit display the program says so and ends.
session_depth16() {
  SESSION=depth16
  MAINWIN=
  "$APPWINE" "$APP" >"$WORK/wine-depth16.out" 2>&1 &
  APP_PID=$!
  local w
  w=$(wait_win '^Error$' 40) || fail "no error box on a 16-bit display"
  expect_text Error "Couldn't initialize graphics."
  [ -z "$(xdotool search --onlyvisible --name '^Lumo Domain Coloring$' 2>/dev/null)" ] ||
    fail "the main window is shown on a 16-bit display"
  shot depth16
  take_focus "$w" "the error box" || fail "the error box did not get the focus"
  xdotool key Return
  wait_exit 15 || fail "the program did not end after the error box"
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS on a 16-bit display"
  log "ok  16-bit display: \"Couldn't initialize graphics.\" in a box \"Error\", exit status 0"
}

# view_now: the view the Parameters dialog shows (its four ten-decimal
# fields, in order), into VIEW; the dialog is closed with Esc.
view_now() {
  local w
  xdotool key p
  open_win '^Parameters$' "the Parameters dialog"; w=$W
  VIEW=$(boxtext Parameters | grep -E '^-?[0-9]+\.[0-9]{10}$' | head -4 | tr '\n' ' ')
  close_win "$w" "the Parameters dialog" Escape
  [ "$(echo $VIEW | wc -w)" = 4 ] || fail "the Parameters dialog shows no view: \"$VIEW\""
}

# mouse_step WHAT NAME XDOTOOL-ARGS...: does the mouse action, waits for
# the render it starts, and compares the picture with lumo render of the
# view the Parameters dialog then shows.
mouse_step() {
  local what=$1 name=$2; shift 2
  xdotool mousemove 900 500
  clear_status
  xdotool "$@"
  wait_render_end 60 || fail "$what: no render (\"$STATUS\")"
  shot "$name"
  view_now
  "$LUMO" render --formula "${MOUSE_FORMULA:-3}" --view $VIEW --graph -o "$REF/$name.tif" ||
    fail "lumo render --view $VIEW"
  same_image "$name" "$name" 600 600
  log "ok  $what: the view $VIEW, drawn as lumo render draws it"
}

# The mouse: wheel, right click, drag, a click that is no drag, Backspace,
# Home, and zooming out until the bounds hold; then the time of a zeta
# picture.
session_mouse() {
  SESSION=mouse
  launch
  shot mstart; locate mstart start
  eval "$(xdotool getwindowgeometry --shell "$MAINWIN")"
  CLIENTW=$(( WIDTH - 2 * OX ))
  view_now; local home=$VIEW

  mouse_step "wheel forward at (200, 150)" wheel mousemove $(( OX + 200 )) $(( OY + 150 )) click 4
  local wheel=$VIEW
  mouse_step "right click at (450, 400)" right mousemove $(( OX + 450 )) $(( OY + 400 )) click 3
  local right=$VIEW
  mouse_step "drag from (100, 120) to (300, 260)" drag mousemove $(( OX + 100 )) $(( OY + 120 )) \
    mousedown 1 mousemove $(( OX + 200 )) $(( OY + 200 )) mousemove $(( OX + 300 )) $(( OY + 260 )) mouseup 1
  [ "$VIEW" != "$right" ] || fail "the drag did not change the view"

  # A drag of 3 pixels is a click: nothing renders, the view stays.  The
  # wheel after it shows that the click was handled first.
  clear_status
  xdotool mousemove $(( OX + 300 )) $(( OY + 300 )) mousedown 1 mousemove $(( OX + 303 )) $(( OY + 302 )) mouseup 1
  xdotool key F3
  open_win '^About$' "About after a click"; local w=$W
  close_win "$w" About Return
  [ -z "$(statustext | cut -f1)" ] || fail "a 3-pixel drag rendered: \"$(statustext)\""
  view_now
  mouse_step "Backspace after the drag" back key BackSpace
  [ "$VIEW" = "$right" ] || fail "Backspace went to $VIEW, not to $right"
  mouse_step "Backspace again" back2 key BackSpace
  [ "$VIEW" = "$wheel" ] || fail "Backspace went to $VIEW, not to $wheel"
  mouse_step "Home" home key Home
  [ "$VIEW" = "$home" ] || fail "Home went to $VIEW, not to $home"
  same_image home start 600 600 strip

  # Zooming out far: clamped at the dialog's bounds, never refused.
  local k
  for k in 1 2 3; do
    clear_status
    xdotool mousemove $(( OX + 300 )) $(( OY + 300 )) click 3
    wait_render_end 60 || fail "right click $k: no render"
  done
  mouse_step "wheel back at the bounds" bounds mousemove $(( OX + 10 )) $(( OY + 10 )) click 5
  [ "$VIEW" = "-20.0000000000 20.0000000000 -20.0000000000 20.0000000000 " ] ||
    fail "zooming out ended at $VIEW, not at the bounds"
  [ -z "$(xdotool search --onlyvisible --name '^Parameter Error$' 2>/dev/null)" ] || fail "a box refused a zoom"

  # Formula 27, the zeta function, at 600 x 600: timed by the program.
  pointer_away
  xdotool key f
  open_win '^Select Formula$' "the Formula dialog"; w=$W
  for _ in $(seq 24); do xdotool key Down; done
  xdotool key Return
  wait_nowin "$w" || fail "the Formula dialog did not close"
  wait_render_end 300 30 || fail "formula 27 did not render"
  ZETA_T=$RENDER_T; ZETA_THREADS=$THREADS
  shot zeta600
  same_image zeta600 zeta600 600 600 strip
  log "ok  formula 27 at 600 x 600 in $ZETA_T s on $ZETA_THREADS threads"
  # Twice more with R, for a median on a shared machine.
  for _ in 1 2; do
    pointer_away
    xdotool key r
    wait_render_end 300 30 || fail "formula 27 did not render again"
    ZETA_T="$ZETA_T $RENDER_T"
  done
  echo "ZETA_T='$ZETA_T' ZETA_THREADS=$ZETA_THREADS" >"$WORK/timing-zeta"

  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
}
