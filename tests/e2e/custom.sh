# custom.sh - the end-to-end session of the Custom Function dialog
# (sourced by run.sh): E opens it on the current text, the error line
# follows the typing, OK on a text that does not parse keeps the dialog
# with the caret at the error, OK on one that parses renders formula 30 as
# `lumo render --expr` of the same text draws it, and the text comes back
# after a restart, from the registry; a stored text that does not parse
# gives way to the default without a box.

CUSTOMTEXT='(z^2 - 1)(z + 2i) / gamma(z)'
CUSTOMKEY='HKCU\Software\Lumo Domain Coloring'

# The text in the edit of the Custom Function dialog is LINE.
expect_custom_text() { expect_text "Custom Function" "$1"; }

session_custom() {
  SESSION=custom
  mkdir -p "$SAVES"
  "$WINE" reg delete "$CUSTOMKEY" /f >/dev/null 2>&1
  launch
  shot custom-start; locate custom-start start
  eval "$(xdotool getwindowgeometry --shell "$MAINWIN")"
  CLIENTW=$(( WIDTH - 2 * OX ))

  # E opens the dialog on the default text, selected, so typing replaces it.
  local w
  pointer_away
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog (E)"; w=$W
  expect_custom_text 'if(abs(z) >= 3, 0.125 + 0.125i, z)'
  shot custom-dialog
  xdotool type --delay 5 'z + sinn(z)'
  expect_custom_text 'z + sinn(z)'
  expect_custom_text 'unknown name "sinn" at column 5'
  log "ok  E: the current text selected, the error line as typed"

  # OK on it: the dialog stays, the caret at column 5, where an x goes in.
  xdotool key Return
  xdotool type 'x'
  expect_custom_text 'z + xsinn(z)'
  log "ok  OK on a text that does not parse: the dialog stays, caret at the error"

  # A text that parses: OK renders formula 30 at once.
  xdotool key End shift+Home
  xdotool type --delay 5 "$CUSTOMTEXT"
  expect_custom_text "$CUSTOMTEXT"
  boxtext "Custom Function" | grep -q ' at column ' && fail "error line for \"$CUSTOMTEXT\""
  xdotool key Return
  wait_nowin "$w" || fail "the Custom Function dialog did not close on OK"
  wait_render_end 60 || fail "formula 30 did not render after OK"
  shot custom
  same_image custom custom 600 600 strip
  log "ok  OK: formula 30 rendered at once, as lumo render --expr draws it"

  save_as u "$SAVES/custom.tif"
  open_win '^Lumo Domain Coloring$' "the save confirmation"; w=$W
  close_win "$w" "the save confirmation" Return
  "$PY" "$E2E/screen.py" tiff "$SAVES/custom.tif" "$REF/custom.tif" 600 raw || fail "custom.tif"
  log "ok  the saved file is lumo render --expr's"

  # The Parameters dialog gives a typed function's bounds, x and y alike.
  xdotool key p
  open_win '^Parameters$' "the Parameters dialog"; w=$W
  expect_text Parameters "xmin ( min -1e6 ) :    "
  expect_text Parameters "ymin ( min -1e6 ) :"
  expect_text Parameters "ymax ( max  1e6 ) :"
  shot custom-parameters
  close_win "$w" "the Parameters dialog" Escape
  log "ok  the Parameters dialog gives formula 30's bounds of 1e6"

  # Cancel changes nothing, whatever was typed.
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog"; w=$W
  xdotool type --delay 5 'z'
  expect_custom_text 'z'
  close_win "$w" "the Custom Function dialog" Escape
  render_and_compare "Cancel keeps the text" custom 600 600 strip

  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"

  # Restart: the text is back, and Custom in the Formula dialog (27 steps
  # down from formula 3) renders it.
  launch
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog after a restart"; w=$W
  expect_custom_text "$CUSTOMTEXT"
  close_win "$w" "the Custom Function dialog" Escape
  pointer_away
  xdotool key f
  open_win '^Select Formula$' "the Formula dialog"; w=$W
  for _ in $(seq 27); do xdotool key Down; done
  xdotool key Return
  wait_nowin "$w" || fail "the Formula dialog did not close"
  wait_render_end 60 || fail "Custom did not render"
  shot custom-restart
  same_image custom-restart custom 600 600 strip
  log "ok  after a restart the text is back; Custom in the Formula dialog renders it"
  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"

  # A stored text that no longer parses: the default, and no box.
  "$WINE" reg add "$CUSTOMKEY" /v "Custom Function" /d 'sinn(z' /f >/dev/null 2>&1 ||
    fail "reg add"
  launch
  local others
  others=$(xdotool search --onlyvisible --class "$(basename "$APP")" 2>/dev/null | grep -vx "$MAINWIN")
  [ -z "$others" ] || fail "a window beside the main one after a stored text that does not parse"
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog"; w=$W
  expect_custom_text 'if(abs(z) >= 3, 0.125 + 0.125i, z)'
  close_win "$w" "the Custom Function dialog" Escape
  log "ok  a stored text that does not parse: the default text, no box"
  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
  [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after Esc"
}
