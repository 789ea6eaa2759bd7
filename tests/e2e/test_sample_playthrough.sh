# The sample game played through as a person plays it, with keys and clicks: the keeper in the
# courtyard is clicked and answered, which starts the gnatling game (the shooter mini-game, fired
# with the mouse button held); a line is typed into the chat; the menu opens with its button and
# one of its buttons opens the help; the hero walks through the doors into the meadow and the
# grove, where its jumps throw bolts that hit the slime; Escape ends it. No line may fail or warn
# but the map manager's look for an isometric file before it reads a chunked level.
# Also run by the sanitizer build.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_scratch_folder
MENU="30,30,60"
PANEL="60,40,40"
# The dialogue window's pane at (700, 500) of the screen.
PANE="$(pixel_of "$QM_E2E_DIR/../../sample/images/chat_pane.png" 700 120)"
SHOT="255,200,40"
GNATLING="90,40,110"

# Whether the rectangle (w x h at x, y) of a PNG holds a pixel of the colour.
holds_colour() {
  [ "$(convert "$1" -crop "$2" +repage txt:- 2>/dev/null | grep -cF "srgb($3)")" -gt 0 ]
}
make_game_folder "$QM_SAMPLE_DIR"
add_position_probe
start_game
wait_for_line "Begin primary game loop"
wait_for_line "Sample: the courtyard"
# The world fills the screen: the middle of the courtyard shows, the menu does not.
wait_for_pixel 700 80 "135,185,235"
screenshot "$SCRATCH/start.png"
[ "$(pixel_of "$SCRATCH/start.png" 400 300)" != "0,0,0" ] || fail "no courtyard"

# The keeper: a click opens the conversation; "Any work for me?", then "Let me at them!".
click_at 412 250
wait_for_line "Talk.lua: the keeper hears -2"
wait_for_pixel 700 500 "$PANE"
click_at 300 465
wait_for_line "Talk.lua: the keeper hears 3"
click_at 300 465
wait_for_line "Talk.lua: the keeper hears 4"
wait_for_line "Sample: the gnatlings come"
# The dialogue window closed; the mouse button held fires at the gnatlings for two seconds.
poll_until window_pixel_is 700 500 "$PANE" not || fail "the dialogue stayed open"
window="$(game_window)"
xdotool mousemove --window "$window" 500 150 mousedown 1 || fail "xdotool could not press"
sleep 2
screenshot "$SCRATCH/shooter.png"
xdotool mouseup 1
holds_colour "$SCRATCH/shooter.png" 800x600+0+0 "$SHOT" || fail "no shots on the screen"
holds_colour "$SCRATCH/shooter.png" 800x600+0+0 "$GNATLING" || fail "no gnatlings on the screen"
wait_for_line "Sample: the gnatlings are gone"

# The chat: typed into its box, Enter, and the line above the box shows it.
convert "$SCRATCH/start.png" -crop 170x18+20+36 +repage "$SCRATCH/chat-before.png"
click_at 40 72
press_key h
press_key i
press_key Return
wait_for_line "Print i - "
chat_changed() {
  screenshot "$SCRATCH/poll.png" || return 1
  convert "$SCRATCH/poll.png" -crop 170x18+20+36 +repage "$SCRATCH/chat-after.png"
  [ "$(compare -metric AE "$SCRATCH/chat-before.png" "$SCRATCH/chat-after.png" null: 2>&1)" != 0 ]
}
poll_until chat_changed || fail "the chat never showed the line"
# Typing moved nobody: "d" (Right's second key) typed into the chat box leaves the hero standing.
settle
before="$HERO_X $HERO_Y"
click_at 40 72
for key in d d d d d d; do press_key "$key"; done
wait_for_line "Print d - "
press_key Return
settle
[ "$HERO_X $HERO_Y" = "$before" ] || fail "typing moved the hero from $before to $HERO_X $HERO_Y"

# The menu opens with its button; its "Help" button opens the help; its "Close" closes the menu.
click_at 750 19
wait_for_pixel 700 80 "$MENU"
click_at 704 137
wait_for_pixel 300 240 "$PANEL"
click_at 660 335
wait_for_pixel 700 80 "135,185,235"
click_at 174 223
poll_until window_pixel_is 300 240 "$PANEL" not || fail "the help stayed open"

# Through the courtyard's door into the meadow, and down through the meadow's south edge into
# the grove; each walk lets go of its keys and waits for the hero to stand still in the new room.
# In the courtyard the player's sprite stands on the cell under its box's centre (cx, cy): on the
# screen x = 0.9375 (cx - cy) + 300, y = 0.46875 (cx + cy) + z + 201 (z -32 on the ground).
settle
screenshot "$SCRATCH/courtyard.png"
expect_feet_at "$SCRATCH/courtyard.png" $(((HERO_X - HERO_Y) * 15 / 16 + 300)) \
  $(((HERO_X + HERO_Y) * 15 / 32 + HERO_Z + 201))
walk_until "Sample: the meadow" Right Down
# The meadow is smaller than the window: the camera shows it 32 to the right and 88 down.
screenshot "$SCRATCH/meadow.png"
expect_feet_at "$SCRATCH/meadow.png" $((HERO_X + 32)) $((HERO_Y + HERO_Z + 88))
walk_until "Sample: the grove" Right Down
wait_for_line "Grove.lua: entering the grove (script code -2)"
# Onto the slime's row (its centre's y, 450), then a step east faces the hero along the beat, and
# each jump throws a bolt there.
step_to Y 450 Down Up
window="$(game_window)"
xdotool keydown --window "$window" Right
sleep 0.02
xdotool keyup --window "$window" Right
settle
[ "$HERO_Y" -ge 447 ] && [ "$HERO_Y" -le 453 ] || fail "the hero left the slime's row ($HERO_Y)"
taps=0
until grep -q "^Grove: the slime is hit by bolt " "$GAME_LOG"; do
  jumps="$(grep -c '^Hero moves$' "$GAME_LOG")"
  press_key space
  # A jump moves the hero up and down again: wait until it has landed.
  poll_until bash -c "[ \"\$(grep -c '^Hero moves\$' '$GAME_LOG')\" -gt $jumps ]" ||
    fail "the hero did not jump"
  settle
  taps=$((taps + 1))
  [ "$taps" -lt 40 ] || fail "no bolt hit the slime"
done
press_key_to_quit Escape
wait_for_exit 0
expect_line "== Cleanup Completed =="
unexpected="$(grep -inE 'fail|warn|error' "$GAME_LOG" |
  grep -vE ':MapManager:  Reading file from Data/Maps/(Meadow|Grove)\.slf - Failed$' |
  grep -vE ':Isometric file pathname failed, check Lineart file instead\.\.\.$')"
[ -z "$unexpected" ] || fail "lines the sample did not ask for: $unexpected"
pass
