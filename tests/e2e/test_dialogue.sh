# A conversation and the chat as a player has them: a click on a dialogue NPC opens the dialogue
# window with its portrait and lines; a click on a response runs the NPC's script again with the
# answer, whose line appears; "Goodbye." closes the window. Typing a line into the chat box and
# pressing Enter shows it in a text line watching "Log|0" of the chat log.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
PANE="16,16,96"
FACE="16,192,16"
BUBBLE="224,16,16"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$FONT" ] || fail "no font at $FONT"

# Whether the rectangle (w x h at x, y) of the window shows anything but black now.
region_has_drawing() {
  screenshot "$SCRATCH/poll.png" || return 1
  local brightest
  brightest="$(convert "$SCRATCH/poll.png" -crop "$3x$4+$1+$2" -format "%[fx:maxima.r+maxima.g]" info:)"
  [ "$brightest" != "0" ]
}

make_game_folder dialogue
"$QM_IMAGECONTAINER" "$GAME/Data/Dialogue.sif" "$QM_E2E_DIR/images/Dialogue.manifest" ||
  fail "could not write the image container"
cp "$FONT" "$GAME/Data/Font.ttf"
start_game
wait_for_line "Begin primary game loop"
wait_for_drawn_frame 25 345
xdotool mousemove --window "$(game_window)" 600 100
sleep 0.5
screenshot "$SCRATCH/before.png"
# The window is hidden until the NPC is clicked.
expect_pixels "$SCRATCH/before.png" 700 390 "0,0,0"

# The button brings the NPC in; a click beside it opens nothing, one on it opens the window.
click_at 630 35
wait_for_line "Spawn.lua: Mira is here"
click_at 380 200
click_at 400 190
wait_for_line "Talk.lua: code -100 response -2"
wait_for_pixel 700 390 "$PANE"
screenshot "$SCRATCH/opened.png"
cp "$SCRATCH/opened.png" "${QM_E2E_SHOTS:-$SCRATCH}/dialogue-opened.png" 2>/dev/null || true
expect_pixels "$SCRATCH/opened.png" 20 400 "$FACE" 70 450 "$FACE" 226 410 "$BUBBLE" 226 426 "$BUBBLE" \
  226 395 "$PANE"
region_has_drawing 241 409 100 14 || fail "no text on the response line"
[ "$(grep -c "Talk.lua:" "$GAME_LOG")" = 1 ] || fail "the dialogue ran more than once"

# "Who are you?" (line 1) goes on: the script runs with 1 and its line appears.
click_at 300 415
wait_for_line "Talk.lua: code -100 response 1"
# The answer's lines: line 2 is gone, line 1 is the response "Goodbye." now.
poll_until window_pixel_is 226 426 "$PANE" || fail "line 2 is still a response"
screenshot "$SCRATCH/answered.png"
cp "$SCRATCH/answered.png" "${QM_E2E_SHOTS:-$SCRATCH}/dialogue-answered.png" 2>/dev/null || true
expect_pixels "$SCRATCH/answered.png" 226 410 "$BUBBLE" 20 400 "$FACE"

# "Goodbye." (line 1 now) closes the window without running the script.
click_at 300 415
poll_until window_pixel_is 700 390 "0,0,0" || fail "the window stayed open"
[ "$(grep -c "Talk.lua:" "$GAME_LOG")" = 2 ] || fail "Goodbye ran the script"

# The chat: typed into the box, Enter, and the watching line shows it.
region_has_drawing 20 310 200 20 && fail "the chat line shows something before any chat"
click_at 30 350
press_key h
press_key i
press_key Return
poll_until region_has_drawing 20 310 200 20 || fail "the chat line never showed the text"
screenshot "$SCRATCH/chat.png"
cp "$SCRATCH/chat.png" "${QM_E2E_SHOTS:-$SCRATCH}/dialogue-chat.png" 2>/dev/null || true

press_key_to_quit Escape
wait_for_exit 0
expect_line "ScriptExecution.lua: dialogue built"
expect_line "InputBox Linked"
expect_no_text "Lua Error"
expect_no_text_past_lookups "Failed"
pass
