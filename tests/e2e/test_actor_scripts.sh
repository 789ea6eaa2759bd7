# Scripts that NPCs and objects run in the middle of the game's walks, in the real program: a
# hit-reaction script that changes the map, a "Fire Script" package that clears its own queue and
# pushes another, a kill script that creates and selects objects, and one bolt on two enemies.
# Also run by the sanitizer build.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
ENEMY="200,40,200"
BOLT="250,250,0"
FILL="30,60,30"

# Starts the scenario of that name on the clip map and waits for its first drawn frame.
start_scenario() {
  make_game_folder actors
  "$QM_IMAGECONTAINER" "$GAME/Data/Actors.sif" "$QM_E2E_DIR/images/Actors.manifest" ||
    fail "could not write the image container"
  mkdir -p "$GAME/Data/Maps"
  "$QM_WRITE_LEVEL" "$GAME/Data/Maps/Stage.plf" || fail "could not write the level"
  QM_E2E_SCENARIO="$1" start_game
  wait_for_line "Begin primary game loop"
  wait_for_pixel 700 100 "$FILL"
}

# Lets the game run on for a second, closes it and checks that nothing went wrong.
end_scenario() {
  sleep 1
  game_running || fail "the game ended by itself"
  close_game_window
  wait_for_exit 0
  expect_no_text_past_lookups "Failed,"
  expect_no_text_past_lookups "Failed "
  expect_no_text "Warning"
  expect_no_text "Lua Error"
  expect_no_text "AddressSanitizer"
  expect_no_text "runtime error:"
}

count_of() { grep -c "^$1" "$GAME_LOG"; }

# The id in the one line that starts with the text; fails unless there is exactly one.
only_id() {
  [ "$(count_of "$1")" = 1 ] || fail "not one line '$1...' but $(count_of "$1")"
  sed -n "s/^$1\\(-\\?[0-9]*\\).*/\\1/p" "$GAME_LOG"
}

# The hit-reaction script changes the map from inside the NPC walk: the enemy goes at once, the
# bolt's kill script still runs once, and the game goes on with nothing drawn but the fill.
start_scenario HitMoves
wait_for_line "MoveOn.lua: moved on"
id="$(only_id "MoveOn.lua: hit by ")"
screenshot "$SCRATCH/hit-moves.png"
[ -z "$(first_x_of "$SCRATCH/hit-moves.png" 300 "$ENEMY")" ] || fail "the enemy outlived the map"
[ -z "$(first_x_of "$SCRATCH/hit-moves.png" 300 "$BOLT")" ] || fail "the bolt outlived its hit"
end_scenario
[ "$(only_id "Killed.lua: bolt ")" = "$id" ] || fail "the kill script did not get the bolt's id"

# The first package clears the queue it runs in and pushes one of two ticks: that one runs twice,
# the package behind the first never.
start_scenario FireClears
wait_for_line "After.lua: code 9"
end_scenario
[ "$(count_of "Clear.lua: code 7")" = 1 ] || fail "the clearing package ran more than once"
[ "$(count_of "After.lua: code 9")" = 2 ] || fail "the pushed package did not run its two ticks"
expect_no_line "Never.lua: ran"

# The kill script creates a static animation and a rising projectile, moves the dying bolt and
# selects the new puff: the puff is drawn where it was put, the spark flies, the bolt is gone.
start_scenario KillCreates
wait_for_line "Create.lua: puff at 400 200"
sleep 0.5
screenshot "$SCRATCH/kill-creates.png"
[ -n "$(first_x_of "$SCRATCH/kill-creates.png" 200 "$BOLT")" ] || fail "no puff in row 200"
[ -z "$(first_x_of "$SCRATCH/kill-creates.png" 100 "$BOLT")" ] || fail "the dead bolt is drawn"
[ -z "$(first_x_of "$SCRATCH/kill-creates.png" 400 "$BOLT")" ] || fail "the spark did not rise"
end_scenario
id="$(only_id "Create.lua: bolt ")"
[ "$(only_id "Hit.lua: hit by ")" = "$id" ] || fail "the hit and the kill name other bolts"

# One bolt on two enemies in one tick: each reacts once, the bolt is killed once.
start_scenario TwoEnemies
wait_for_line "Begin primary game loop"
poll_until grep -q "^HitRight.lua: hit by " "$GAME_LOG" || fail "the right enemy was never hit"
screenshot "$SCRATCH/two-enemies.png"
end_scenario
id="$(only_id "Killed.lua: bolt ")"
[ "$(only_id "HitLeft.lua: hit by ")" = "$id" ] || fail "the left enemy was hit by another bolt"
[ "$(only_id "HitRight.lua: hit by ")" = "$id" ] || fail "the right enemy was hit by another bolt"
pass
