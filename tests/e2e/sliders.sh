# sliders.sh - the end-to-end session of formula 30's parameters (sourced
# by run.sh): the Custom Function dialog lists the stored parameter with
# its value; the Parameter Sliders panel (J) moves it, and the picture is
# the one `lumo render --param` draws for the new value; a typed value
# renders too; Play advances the value; a slider moved during a zeta
# render abandons that render (the picture comes in about one render's
# time, not two); and the value is kept for the next run.

SLIDERKEY='HKCU\Software\Lumo Domain Coloring'

# The value of parameter NAME in the panel: the line after its name.
panel_value() { boxtext "Parameter Sliders" | sed -n "/^$1\$/{n;p;q}"; }

session_sliders() {
  SESSION=sliders
  local w panel start value first elapsed
  "$WINE" reg add "$SLIDERKEY" /v "Custom Function" /d 'z^2 + c' /f >/dev/null 2>&1 || fail "reg add"
  "$WINE" reg add "$SLIDERKEY" /v "Custom Parameters" /d 'c=0.25' /f >/dev/null 2>&1 || fail "reg add"
  "$LUMO" render --expr 'z^2 + c' --param c=0.25 --graph -o "$REF/slider-a.tif" || fail "lumo render"
  "$LUMO" render --expr 'z^2 + c' --param c=1.25 --graph -o "$REF/slider-b.tif" || fail "lumo render"
  "$LUMO" render --expr 'z^2 + c' --param c=-0.5+0.5i --graph -o "$REF/slider-c.tif" || fail "lumo render"
  "$LUMO" render --expr 'zeta(z + t i)' --param t=1.004 --graph -o "$REF/slider-zeta.tif" || fail "lumo render"
  launch
  shot sliders-start; locate sliders-start start
  eval "$(xdotool getwindowgeometry --shell "$MAINWIN")"
  CLIENTW=$(( WIDTH - 2 * OX ))

  # The dialog lists the parameter with the value stored with the text.
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog"; w=$W
  expect_text "Custom Function" 'z^2 + c'
  expect_text "Custom Function" 'Parameters: c = 0.25'
  close_win "$w" "the Custom Function dialog" Escape
  log "ok  E: the text's parameter with its stored value"

  # J opens the panel below the image, its slider first.
  pointer_away
  xdotool key j
  open_win '^Parameter Sliders$' "the Parameter Sliders panel (J)"; panel=$W
  [ "$(panel_value c)" = 0.25 ] || fail "the panel's value of c is '$(panel_value c)', not 0.25"
  # End: the slider to its maximum, 0.25 + 1; the picture at once.
  start=$(now_ms)
  xdotool key End
  wait_render_end 60 || fail "a slider move did not render"
  elapsed=$(( $(now_ms) - start ))
  shot sliders-end
  same_image sliders-end slider-b 600 600 strip
  [ "$(panel_value c)" = 1.25 ] || fail "the value after End is '$(panel_value c)', not 1.25"
  log "ok  a slider move renders formula 30 as lumo render --param c=1.25 ($elapsed ms from the key, the render $RENDER_T s)"
  echo "SLIDER_MS=$elapsed SLIDER_T=$RENDER_T" >"$WORK/timing-slider"

  # A value typed into the value field (Tab from the slider), then Enter.
  pointer_away
  xdotool key Tab ctrl+a
  xdotool type --delay 5 -- '-0.5+0.5i'
  xdotool key Return
  wait_render_end 60 || fail "a typed value did not render"
  shot sliders-typed
  same_image sliders-typed slider-c 600 600 strip
  log "ok  a typed complex value renders as lumo render --param c=-0.5+0.5i"

  # Play (three Tabs on: min, max, Play) advances the value, twice seen.
  xdotool key Tab Tab Tab space
  first=$(panel_value c)
  value=$first
  local end=$(( $(now_ms) + 30000 )) seen=0
  while [ "$(now_ms)" -lt "$end" ] && [ "$seen" -lt 2 ]; do
    sleep 0.3
    local now; now=$(panel_value c)
    [ "$now" != "$value" ] && { seen=$(( seen + 1 )); value=$now; }
  done
  [ "$seen" -ge 2 ] || fail "Play did not advance the value (it stayed '$value')"
  xdotool key space
  wait_render_end 60 || fail "the last step of Play did not render"
  log "ok  Play advances the value ($first, then ... $value)"

  # A zeta text: the dialog, then the slider during its render.
  close_win "$panel" "the Parameter Sliders panel" Escape
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog"; w=$W
  xdotool type --delay 5 'zeta(z + t i)'
  expect_text "Custom Function" 'Parameters: t = 1'
  pointer_away
  xdotool key Return
  wait_nowin "$w" || fail "the Custom Function dialog did not close"
  wait_render_end 120 || fail "the zeta text did not render"
  local full=$RENDER_T
  # Two slider steps in a row: the second comes while the first step's
  # render runs, which it abandons.
  xdotool key j
  open_win '^Parameter Sliders$' "the Parameter Sliders panel"; panel=$W
  pointer_away
  start=$(now_ms)
  xdotool key Right
  sleep 0.2
  xdotool key Right
  wait_render_end 120 || fail "the slider move during the zeta render did not render"
  elapsed=$(( $(now_ms) - start ))
  shot sliders-zeta
  same_image sliders-zeta slider-zeta 600 600 strip
  # Waiting for the first step's render would take all of it and then a
  # whole one.
  awk -v e="$elapsed" -v f="$full" 'BEGIN { exit !(e < 1300 * f + 1500) }' ||
    fail "the move took $elapsed ms, a render takes $full s: the running render was waited for"
  log "ok  a slider move during a zeta render abandons it: the new picture in $elapsed ms (a render: $full s)"

  # The value is kept for the next run.
  close_win "$panel" "the Parameter Sliders panel" Escape
  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
  launch
  xdotool key e
  open_win '^Custom Function$' "the Custom Function dialog after a restart"; w=$W
  expect_text "Custom Function" 'Parameters: t = 1.004'
  close_win "$w" "the Custom Function dialog" Escape
  log "ok  after a restart the text's parameter has its value"
  xdotool key Escape
  wait_exit 15 || fail "Esc did not end the program"
  "$WINE" reg delete "$SLIDERKEY" /f >/dev/null 2>&1
}
