# Buttons, an input box and a check box driven with the mouse and keys: a click on a button runs
# its script once; a click on a button without an action is taken (the button behind it never
# hears it); "ab", Backspace and Enter typed into the focused box leave "a" and end the typing; a
# check box toggles on a click and not on a release that comes from a press elsewhere. On the
# Allegro road and with "-ogl"; both roads show the same screen.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
RED="224,16,16"
GREEN="16,192,16"
BLUE="16,16,224"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$FONT" ] || fail "no font at $FONT"

count_lines() { grep -cxF -- "$1" "$GAME_LOG"; }

run_road() {
  local road="$1"
  shift
  make_game_folder widgets
  "$QM_IMAGECONTAINER" "$GAME/Data/Gui.sif" "$QM_E2E_DIR/images/Gui.manifest" ||
    fail "could not write the image container"
  cp "$FONT" "$GAME/Data/Font.ttf"
  start_game "$@"
  wait_for_line "Begin primary game loop"
  wait_for_pixel 60 60 "$RED"

  # A screenshot of the untouched screen, for the comparison of the roads (mouse far away).
  xdotool mousemove --window "$(game_window)" 600 500
  sleep 0.5
  screenshot "$SCRATCH/$road-start.png"
  expect_pixels "$SCRATCH/$road-start.png" 60 60 "$RED" 210 60 "$GREEN" 58 258 "$GREEN" \
    55 160 "255,255,255"

  click_at 100 70
  wait_for_line "Fire.lua: fired with code 5"
  [ "$(count_lines "Fire.lua: fired with code 5")" = 1 ] || fail "the button fired more than once"
  # Hovered now: the hover picture.
  wait_for_pixel 60 60 "$GREEN"

  click_at 250 70
  click_at 100 70
  wait_for_line "Fire.lua: fired with code 5"
  poll_until [ "$(count_lines "Fire.lua: fired with code 5")" = 2 ] || fail "no second click"
  expect_no_line "Behind.lua: a click passed through"

  # Typing into the box, after a click gives it the keyboard.
  click_at 100 160
  press_key a
  press_key b
  press_key BackSpace
  press_key Return
  press_key c
  wait_for_line "Print b - "
  click_at 380 70
  wait_for_line "Report.lua: text length 1 cursor 1"
  expect_line "Print a - "
  expect_no_line "Print c - "

  # The check box: a click unchecks it; a press on a button dragged onto the box and let go there
  # changes nothing.
  click_at 58 258
  wait_for_line "Check.lua: checked 0"
  wait_for_pixel 58 258 "$RED"
  drag_mouse 250 70 58 258
  sleep 0.5
  [ "$(count_lines "Check.lua: checked 0")" = 1 ] || fail "the check box toggled twice"
  expect_no_line "Check.lua: checked 1"
  expect_pixels "$SCRATCH/poll.png" 58 258 "$RED"
  click_at 58 258
  wait_for_line "Check.lua: checked 1"

  press_key_to_quit Escape
  wait_for_exit 0
  expect_line "ScriptExecution.lua: widgets built"
  expect_no_text "Lua Error"
  expect_no_text "Warning"
  expect_no_text_past_lookups "Failed"
}

run_road allegro
run_road opengl -ogl
expect_line "Forcing OpenGL mode"
# The roads agree but for a few pixels of the text's edges.
differing="$(compare -metric AE -fuzz 10% "$SCRATCH/allegro-start.png" "$SCRATCH/opengl-start.png" null: 2>&1)"
[ "${differing%% *}" -le 200 ] 2>/dev/null || fail "the roads differ in $differing pixels"
pass
