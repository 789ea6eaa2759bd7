# The sample game starts without script errors in an 800 x 600 window and shows the world's
# scenery (sky, hills, ground and drifting clouds) in the environment window, with only the chat
# and the "Menu" button over it. The button opens the menu, whose buttons open the gallery (the
# meadow in its frame, the banner under it, the portrait beside it), the extras and the help; the
# help's "Close" button hides it and the menu's "Help" button shows it again; the menu's text box
# takes typing; a list row takes a click and a scroll bar's box a drag. The player walks east from
# the courtyard into the meadow and on to the ridge, jumps over its rocks into the cave and walks
# back; Escape ends it.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_scratch_folder
SKY="135,185,235"
make_game_folder "$QM_SAMPLE_DIR"
add_position_probe
start_game
wait_for_line "Begin primary game loop"
expect_window_size 800x600
# A frame was drawn once the chat's gold frame shows.
wait_for_drawn_frame 10 10
screenshot "$SCRATCH/start.png"
# Sky, the darker hills, the grass and the earth of the ground; the sky where the menu will be and
# the courtyard where the banner will be.
expect_pixels "$SCRATCH/start.png" 30 330 "$SKY" 500 500 "50,115,55" 600 545 "80,150,60" \
  600 580 "96,72,40" 700 80 "$SKY"
[ "$(pixel_of "$SCRATCH/start.png" 200 270)" != "40,40,90" ] || fail "the banner shows at the start"
# The clouds drift: the sky band above the courtyard changes while the land stays.
sleep 0.5
screenshot "$SCRATCH/later.png"
changed() {
  compare -metric AE -extract "$1" "$SCRATCH/start.png" "$SCRATCH/later.png" null: 2>&1
}
[ "$(changed 800x56+0+0)" != "0" ] || fail "the clouds do not move"
[ "$(changed 800x200+0+360)" = "0" ] || fail "the land moves"

# The menu, then its "Gallery" and "Extras" buttons.
click_at 750 19
wait_for_pixel 700 80 "30,30,60"
click_at 614 203
click_at 704 203
wait_for_pixel 200 270 "40,40,90"
screenshot "$SCRATCH/sample.png"
[ "$(pixel_of "$SCRATCH/sample.png" 200 120)" != "0,0,0" ] || fail "no meadow"
[ "$(pixel_of "$SCRATCH/sample.png" 488 268)" != "0,0,0" ] || fail "no portrait"
# The help opens, closes with its own button and opens again with the menu's.
click_at 704 137
wait_for_pixel 300 240 "60,40,40"
click_at 174 223
poll_until window_pixel_is 300 240 "60,40,40" not || fail "the help stayed open"
click_at 704 137
wait_for_pixel 300 240 "60,40,40"
click_at 600 236
press_key h
press_key i
wait_for_line "Print i - "
expect_line "Print h - "
# Enter gives the keyboard back: until then the letters and Space are the box's.
press_key Return

# In the extras: the drop menu's header, a list row selected by a click, and the scroll bar's
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
  settle
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
