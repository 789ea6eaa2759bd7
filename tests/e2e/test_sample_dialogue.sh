# The sample game's conversation and chat as a player has them: the courtyard's keeper stands on
# the grass; a click beside him opens nothing, a click on him opens the dialogue window with the
# sample's portrait, his greeting and three responses; "What is this place?" runs his script
# again with 1 and the conversation goes on, "Where does the road lead?" with 2, and "Thank you.
# Goodbye." closes the window. Then two lines typed into the chat box show in the chat window
# in the top-left corner, the newest at the bottom.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Data/Scripts/Maps/Courtyard/Talk.lua" ] || fail "no keeper in $QM_SAMPLE_DIR"
make_scratch_folder
SHIRT="48,96,192"
HILLS="50,115,55"
PANE="24,24,56"
MARK="240,220,150"
SKIN="240,192,144"
# The dialogue window lies at y 380; its line i at y 393 + 16 i, a response's mark at x 228 to 233.
line_y() { echo $((393 + 16 * $1 + 8)); }

type_line() {
  local key
  for key in "$@"; do press_key "$key"; done
}
talks() { grep -c "^Talk.lua: the keeper hears " "$GAME_LOG"; }
keep_shot() { cp "$1" "${QM_E2E_SHOTS:-$SCRATCH}/$2" 2>/dev/null || true; }

make_game_folder "$QM_SAMPLE_DIR"
start_game
wait_for_line "Begin primary game loop"
wait_for_drawn_frame 62 62
wait_for_pixel 412 250 "$SHIRT"
xdotool mousemove --window "$(game_window)" 780 20
sleep 0.3
screenshot "$SCRATCH/courtyard.png"
# The keeper's head over the grass and his legs; the window is hidden, the hills show.
expect_pixels "$SCRATCH/courtyard.png" 412 238 "$SKIN" 408 266 "80,50,30" 790 500 "$HILLS"

# Beside him (his click area is x 403 to 421) nothing opens.
click_at 428 250
sleep 0.5
[ "$(talks)" = 0 ] || fail "a click beside the keeper opened the conversation"
click_at 412 240
wait_for_line "Talk.lua: the keeper hears -2"
wait_for_pixel 790 500 "$PANE"
screenshot "$SCRATCH/greeting.png"
keep_shot "$SCRATCH/greeting.png" sample-dialogue-greeting.png
# The portrait's face, the greeting on line 0 in the dialogue colour, line 1 blank, responses on
# lines 2 to 5.
expect_pixels "$SCRATCH/greeting.png" 43 425 "$SKIN" 228 "$(line_y 1)" "$PANE" \
  228 "$(line_y 2)" "$MARK" 228 "$(line_y 3)" "$MARK" 228 "$(line_y 4)" "$MARK" \
  228 "$(line_y 5)" "$MARK" 228 "$(line_y 6)" "$PANE"
[ -n "$(convert "$SCRATCH/greeting.png" -crop 300x16+225+393 +repage txt:- | grep -F "srgb(215,171,20)")" ] ||
  fail "no greeting on line 0"

# "What is this place?": three lines of answer, a blank, and two responses on lines 4 and 5.
click_at 300 "$(line_y 2)"
wait_for_line "Talk.lua: the keeper hears 1"
poll_until window_pixel_is 228 "$(line_y 2)" "$MARK" not || fail "line 2 is still a response"
screenshot "$SCRATCH/place.png"
keep_shot "$SCRATCH/place.png" sample-dialogue-place.png
expect_pixels "$SCRATCH/place.png" 228 "$(line_y 3)" "$PANE" 228 "$(line_y 4)" "$MARK" \
  228 "$(line_y 5)" "$MARK" 43 425 "$SKIN"

# "Where does the road lead?" (line 4 now): one response left, on line 4.
click_at 300 "$(line_y 4)"
wait_for_line "Talk.lua: the keeper hears 2"
poll_until window_pixel_is 228 "$(line_y 5)" "$PANE" || fail "line 5 is still a response"
expect_pixels "$SCRATCH/poll.png" 228 "$(line_y 4)" "$MARK"

# "Thank you. Goodbye." closes the window without running the script again.
click_at 300 "$(line_y 4)"
wait_for_pixel 790 500 "$HILLS"
[ "$(talks)" = 3 ] || fail "the keeper's script ran $(talks) times, not 3"

# The chat: each line is typed into the box after a click on it (Enter gives the keyboard up).
click_at 68 72
type_line h e l l o space t h e r e Return
chat_shows() {
  screenshot "$SCRATCH/poll.png" || return 1
  # The text is white; the window's ground is dark.
  [ "$(convert "$SCRATCH/poll.png" -crop "180x18+20+$1" -format "%[fx:maxima.b > 0.9]" info:)" = 1 ]
}
poll_until chat_shows 36 || fail "the newest chat line never showed"
chat_shows 16 && fail "the older chat line shows before there is one"
cp "$SCRATCH/poll.png" "$SCRATCH/chat-one.png"
click_at 68 72
type_line h i Return
poll_until chat_shows 16 || fail "the first chat line did not move up"
screenshot "$SCRATCH/chat-two.png"
keep_shot "$SCRATCH/chat-two.png" sample-dialogue-chat.png
# The line that was the newest now shows above, as it was drawn before.
convert "$SCRATCH/chat-one.png" -crop 180x18+20+36 +repage "$SCRATCH/newest-before.png"
convert "$SCRATCH/chat-two.png" -crop 180x18+20+16 +repage "$SCRATCH/older-after.png"
moved="$(compare -metric AE "$SCRATCH/newest-before.png" "$SCRATCH/older-after.png" null: 2>&1)"
[ "${moved%% *}" = 0 ] || fail "the older line is not the first one typed ($moved pixels differ)"
[ "$(compare -metric AE -extract 180x18+20+36 "$SCRATCH/chat-one.png" "$SCRATCH/chat-two.png" null: 2>&1)" != 0 ] ||
  fail "the newest line did not change"

press_key_to_quit Escape
wait_for_exit 0
expect_line "InputBox Linked"
expect_line "Added AI Routine KeeperLook to Active Drawing List"
expect_no_text "Lua Error"
expect_no_text "Failed"
expect_no_text "Warning"
pass
