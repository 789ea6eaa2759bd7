# The sample game starts without script errors in an 800 x 600 window and shows its GUI: the
# meadow in its frame, the banner under it, the portrait beside it, the menu and the panel, in
# front of the world's scenery (sky, hills, ground and drifting clouds) in the environment
# window; the panel's "Close" button hides the panel and the menu's "Panel" button shows it
# again; the menu's text box takes typing; a list row takes a click and a scroll bar's box a
# drag. The player walks east from the courtyard into the meadow and on to the ridge, jumps over
# its rocks into the cave and walks back; Escape ends it.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_scratch_folder
make_game_folder "$QM_SAMPLE_DIR"
start_game
wait_for_line "Begin primary game loop"
expect_window_size 800x600
# A frame was drawn once the frame's gold corner shows.
wait_for_drawn_frame 62 62
screenshot "$SCRATCH/sample.png"
# Sky, the darker hills, the grass and the earth of the ground, and the banner over the sky.
expect_pixels "$SCRATCH/sample.png" 30 330 "135,185,235" 500 500 "50,115,55" 600 545 "80,150,60" \
  600 580 "96,72,40" 200 270 "40,40,90"
[ "$(pixel_of "$SCRATCH/sample.png" 200 120)" != "0,0,0" ] || fail "no meadow"
[ "$(pixel_of "$SCRATCH/sample.png" 488 268)" != "0,0,0" ] || fail "no portrait"
# The clouds drift: the sky band above the windows changes while the land stays.
sleep 0.5
screenshot "$SCRATCH/later.png"
changed() {
  compare -metric AE -extract "$1" "$SCRATCH/sample.png" "$SCRATCH/later.png" null: 2>&1
}
[ "$(changed 800x56+0+0)" != "0" ] || fail "the clouds do not move"
[ "$(changed 800x200+0+360)" = "0" ] || fail "the land moves"
expect_pixels "$SCRATCH/sample.png" 700 80 "30,30,60" 700 360 "60,40,40"

click_at() {
  xdotool mousemove --window "$(game_window)" "$1" "$2"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
}
click_at 600 403
# The sky shows where the panel was.
wait_for_pixel 700 360 "135,185,235"
click_at 690 137
wait_for_pixel 700 360 "60,40,40"
click_at 600 210
press_key h
press_key i
wait_for_line "Print i - "
expect_line "Print h - "

# Under the banner: the drop menu's header, a list row selected by a click, and the scroll bar's
# box dragged along, which changes the value beside it.
expect_pixels "$SCRATCH/sample.png" 300 320 "214,221,239"
convert "$SCRATCH/sample.png" -crop 40x18+326+388 +repage "$SCRATCH/value-before.png"
click_at 200 450
wait_for_pixel 260 458 "128,0,0"
drag_mouse 85 396 135 396
screenshot "$SCRATCH/dragged.png"
convert "$SCRATCH/dragged.png" -crop 40x18+326+388 +repage "$SCRATCH/value-after.png"
differing="$(compare -metric AE "$SCRATCH/value-before.png" "$SCRATCH/value-after.png" null: 2>&1)"
[ "${differing%% *}" -gt 0 ] 2>/dev/null || fail "the scroll bar's value did not change"
[ "$(pixel_of "$SCRATCH/dragged.png" 134 396)" = "220,180,40" ] || fail "the scroll bar's box did not move"

expect_no_text "Lua Error"
expect_no_text "Failed"
expect_no_text "Warning"
wait_for_line "Sample: the courtyard"

# Holds the keys (X key names) until the line shows once more.
walk_until() {
  local window line="$1" key before
  shift
  before="$(grep -cxF -- "$line" "$GAME_LOG")"
  window="$(game_window)"
  for key in "$@"; do xdotool keydown --window "$window" "$key"; done
  poll_until bash -c "[ \"\$(grep -cxF -- '$line' '$GAME_LOG')\" -gt $before ]" ||
    fail "walking never reached: $line"
  for key in "$@"; do xdotool keyup --window "$window" "$key"; done
}
# Holds the direction key and taps Jump until the line shows once more.
walk_and_jump_until() {
  local window key="$1" line="$2" taps=0 before
  before="$(grep -cxF -- "$line" "$GAME_LOG")"
  window="$(game_window)"
  xdotool keydown --window "$window" "$key" || fail "xdotool could not press $key"
  until [ "$(grep -cxF -- "$line" "$GAME_LOG")" -gt "$before" ]; do
    xdotool keydown --window "$window" space
    sleep 0.3
    xdotool keyup --window "$window" space
    sleep 0.2
    taps=$((taps + 1))
    [ "$taps" -lt 60 ] || fail "walking $key never reached: $line"
  done
  xdotool keyup --window "$window" "$key"
}
# East through the courtyard (right and down together in the isometric view), east across the
# meadow, over the rocks of the ridge into the cave and back.
walk_until "Sample: the meadow" Right Down
expect_line "Meadow.lua: entering the meadow (script code -2)"
walk_until "Sample: the ridge" Right
walk_and_jump_until Right "Sample: the cave"
walk_and_jump_until Left "Sample: the ridge"
[ "$(grep -c '^Sample: the ridge$' "$GAME_LOG")" = 2 ] || fail "the ridge was not entered twice"
expect_no_text "Lua Error"
expect_no_text "Movement loop got caught"
# Every chunk the player stepped on was there.
! grep -qE '^Failed -?[0-9]+x-?[0-9]+$' "$GAME_LOG" || fail "the meadow missed a chunk"
press_key_to_quit Escape
wait_for_exit 0
expect_line "== Cleanup Completed =="
pass
