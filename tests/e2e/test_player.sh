# The player walks in the direction of the key held, with the keys a script binds; a rectangular
# trigger's script runs once as it walks in, a property trigger's when a key turns it left.
source "$QM_E2E_DIR/harness.sh"

# The last position Report.lua logged, as "x y".
last_position() { grep '^Player at ' "$GAME_LOG" | tail -n 1 | sed 's/^Player at //'; }

# Whether the player has been logged with XPos beyond $1 and YPos $2.
logged_right_of() {
  awk -v beyond="$1" -v y="$2" '$1 == "Player" && $2 == "at" && $3 > beyond && $4 == y { found = 1 }
    END { exit !found }' "$GAME_LOG"
}

hold_key() {
  xdotool keydown --window "$(game_window)" "$1" || fail "xdotool could not press $1"
}
release_key() { xdotool keyup --window "$(game_window)" "$1" 2>/dev/null; }

make_game_folder startup player
start_game
wait_for_line "Begin primary game loop"
wait_for_line "Player at 400 300"

# "Right" (the right arrow) raises XPos, and nothing else; the door fires once on the way.
hold_key Right
poll_until logged_right_of 480 300 || fail "holding Right did not move the player right"
release_key Right
wait_for_line "Door script ran with code 1"
[ "$(grep -c '^Door script ran' "$GAME_LOG")" = 1 ] || fail "the door's script ran more than once"

# "Down" raises YPos.
read -r x y <<<"$(last_position)"
hold_key Down
poll_until bash -c "grep -q '^Player at $x [0-9]*$' '$GAME_LOG' && awk '\$1 == \"Player\" && \$3 == $x && \$4 > $y + 20 { f = 1 } END { exit !f }' '$GAME_LOG'" ||
  fail "holding Down did not move the player down from $x $y"
release_key Down

# Turning left fires the property trigger once; turning away and back fires it again.
expect_no_text "Facing left"
press_key Left
wait_for_line "Facing left, code 2"
press_key Left
[ "$(grep -c '^Facing left' "$GAME_LOG")" = 1 ] || fail "the property trigger fired twice in one turn"
press_key Up
press_key Left
poll_until bash -c "[ \"\$(grep -c '^Facing left' '$GAME_LOG')\" = 2 ]" || fail "no second turn left"
press_key_to_quit Escape
wait_for_exit 0
expect_no_text "Lua Error"
expect_no_text "Movement loop got caught"

# With "Right" bound to L the arrow does nothing and L walks right.
make_game_folder startup player player_rebound
start_game
wait_for_line "Player at 400 300"
hold_key Right
sleep 1
release_key Right
[ "$(last_position)" = "400 300" ] || fail "the right arrow still moved the player: $(last_position)"
hold_key l
poll_until logged_right_of 420 300 || fail "holding L did not move the player right"
release_key l
press_key_to_quit Escape
wait_for_exit 0
pass
