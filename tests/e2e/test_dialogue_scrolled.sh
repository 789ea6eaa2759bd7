# A dialogue NPC in a world seen through a scrolled camera: the camera follows the player until
# its view's corner is (250, 150), and the environment window sits at (100, 60), so the NPC at
# world (380, 250) shows at screen (230, 160). A click there opens the dialogue window; clicks
# where the NPC would be if the screen were the world, or if only the window's offset counted,
# open nothing.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
MIRA="16,192,16"
PANE="16,16,96"
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
[ -f "$FONT" ] || fail "no font at $FONT"

talks() { grep -c "^Talk.lua: " "$GAME_LOG"; }

make_game_folder dialogue dialogue_scrolled
"$QM_IMAGECONTAINER" "$GAME/Data/Dialogue.sif" "$QM_E2E_DIR/images/Dialogue.manifest" ||
  fail "could not write the image container"
cp "$FONT" "$GAME/Data/Font.ttf"
start_game
wait_for_line "Begin primary game loop"
wait_for_drawn_frame 605 25
click_at 630 35
wait_for_line "Spawn.lua: Mira is here"
wait_for_pixel 230 160 "$MIRA"
xdotool mousemove --window "$(game_window)" 700 200
sleep 0.3
screenshot "$SCRATCH/scrolled.png"
cp "$SCRATCH/scrolled.png" "${QM_E2E_SHOTS:-$SCRATCH}/dialogue-scrolled.png" 2>/dev/null || true
# Her picture's corners at (221, 132) and (238, 187), nothing beyond them; nothing of her at her
# world position.
expect_pixels "$SCRATCH/scrolled.png" 221 132 "$MIRA" 238 187 "$MIRA" 220 132 "0,0,0" 221 131 "0,0,0" \
  239 187 "0,0,0" 238 188 "0,0,0" 380 240 "0,0,0"

# Where the screen would be the world, and where only the window's offset would count.
click_at 380 240
click_at 480 300
sleep 0.5
[ "$(talks)" = 0 ] || fail "a click away from Mira opened the conversation"
expect_pixels "$SCRATCH/poll.png" 700 390 "0,0,0"

# On her, as she shows.
click_at 230 150
wait_for_line "Talk.lua: code -100 response -2"
wait_for_pixel 700 390 "$PANE"
[ "$(talks)" = 1 ] || fail "the dialogue ran $(talks) times"

press_key_to_quit Escape
wait_for_exit 0
expect_line "ScriptExecution.lua: scrolled world built"
expect_no_text "Lua Error"
expect_no_text_past_lookups "Failed"
pass
