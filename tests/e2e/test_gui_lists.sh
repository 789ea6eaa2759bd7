# A scroll bar, a drop menu and a list driven with the mouse: dragging the bar's box changes the
# value a watching text line shows, each arrow click steps it by one; a drop menu shown by a
# button shows its fields open, and a click on an entry runs nothing of the menu's and reaches the
# button behind it; a list's highlight follows a held button from row to row.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
TRACK="64,64,64"
BOX="240,200,0"
ARROW="200,0,200"
HEADER="214,221,239"
ENTRY="196,196,196"
HIGHLIGHT="128,0,0"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$FONT" ] || fail "no font at $FONT"

# Asks Report.lua for the bar's value, which it logs and writes into "Expected"; then the watching
# line must show the same pixels as "Expected".
expect_bar_value() {
  click_at 380 70
  wait_for_line "Report.lua: bar value $1"
  sleep 0.5
  screenshot "$SCRATCH/value.png"
  convert "$SCRATCH/value.png" -crop 40x16+200+50 +repage "$SCRATCH/shown.png"
  convert "$SCRATCH/value.png" -crop 40x16+200+80 +repage "$SCRATCH/expected.png"
  local differing
  differing="$(compare -metric AE "$SCRATCH/shown.png" "$SCRATCH/expected.png" null: 2>&1)"
  [ "${differing%% *}" = 0 ] || fail "the watching line does not show $1 ($differing pixels differ)"
  # Not an empty line either.
  [ "$(convert "$SCRATCH/shown.png" -format '%[fx:maxima.r]' info:)" != 0 ] ||
    fail "the watching line shows nothing"
  GUI_SHOT="$SCRATCH/value.png"
}

make_game_folder lists
"$QM_IMAGECONTAINER" "$GAME/Data/Lists.sif" "$QM_E2E_DIR/images/Lists.manifest" ||
  fail "could not write the image container"
cp "$FONT" "$GAME/Data/Font.ttf"
start_game
wait_for_line "Begin primary game loop"
wait_for_pixel 104 60 "$BOX"
xdotool mousemove --window "$(game_window)" 600 470
sleep 0.5
screenshot "$SCRATCH/start.png"
# The arrows at both ends, the box at the top of the track, the track below it.
expect_pixels "$SCRATCH/start.png" 104 53 "$ARROW" 104 146 "$ARROW" 104 60 "$BOX" 104 90 "$TRACK"
expect_bar_value 0

# Dragging the box 30 pixels down, then an arrow click each way.
drag_mouse 104 60 104 90
expect_bar_value 30
expect_pixels "$GUI_SHOT" 104 88 "$BOX" 104 95 "$BOX" 104 87 "$TRACK"
click_at 104 146
expect_bar_value 31
click_at 104 54
click_at 104 54
expect_bar_value 29
# Dragged far past the end it stops at the highest value.
drag_mouse 104 85 104 400
expect_bar_value 76

# The drop menu, shown by its button, lies open over the button behind its "Open" entry.
expect_pixels "$SCRATCH/start.png" 450 205 "0,0,0"
click_at 90 435
wait_for_line "ShowMenu.lua: menu shown"
wait_for_pixel 450 205 "$HEADER"
expect_pixels "$SCRATCH/poll.png" 330 236 "$ENTRY" 380 225 "$ENTRY" 335 250 "$ENTRY" 350 250 "0,0,0" 380 265 "0,0,0"
click_at 333 228
wait_for_line "UnderOpen.lua: the click went through the menu with code 4"
expect_no_text "entry ran"

# The list: a press on its first row, held while the mouse moves down to the fifth.
window="$(game_window)"
xdotool mousemove --window "$window" 100 208
sleep 0.3
xdotool mousedown 1
sleep 0.5
screenshot "$SCRATCH/held0.png"
for y in 230 250 272; do
  xdotool mousemove --window "$window" 100 "$y"
  sleep 0.2
done
sleep 0.5
screenshot "$SCRATCH/held4.png"
xdotool mouseup 1
sleep 0.5
expect_pixels "$SCRATCH/held0.png" 140 210 "$HIGHLIGHT" 140 274 "0,0,0"
expect_pixels "$SCRATCH/held4.png" 140 274 "$HIGHLIGHT" 140 210 "0,0,0" 140 226 "0,0,0"
# Let go, the highlight stays on the row.
screenshot "$SCRATCH/released.png"
expect_pixels "$SCRATCH/released.png" 140 274 "$HIGHLIGHT"

press_key_to_quit Escape
wait_for_exit 0
expect_line "ScriptExecution.lua: lists built"
expect_no_text "Lua Error"
expect_no_text_past_lookups "Failed"
pass
