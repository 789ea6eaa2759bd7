# An enemy patrols its path on a clip map while a bolt of target list 0 flies at it: screenshots a
# second apart show the enemy elsewhere on its path and the bolt further on; the hit-reaction
# script runs once with the bolt's id (the bolt's kill script gets the same id), and from then on
# the bolt is gone from the screen while the enemy walks on.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
ENEMY="200,40,200"
BOLT="250,250,0"
FILL="30,60,30"
ROW=300

make_game_folder actors
"$QM_IMAGECONTAINER" "$GAME/Data/Actors.sif" "$QM_E2E_DIR/images/Actors.manifest" ||
  fail "could not write the image container"
mkdir -p "$GAME/Data/Maps"
"$QM_WRITE_LEVEL" "$GAME/Data/Maps/Stage.plf" || fail "could not write the level"
QM_E2E_SCENARIO=Patrol start_game
wait_for_line "Begin primary game loop"
wait_for_pixel 700 100 "$FILL"

screenshot "$SCRATCH/before.png"
sleep 1
screenshot "$SCRATCH/later.png"
enemy1="$(first_x_of "$SCRATCH/before.png" "$ROW" "$ENEMY")"
enemy2="$(first_x_of "$SCRATCH/later.png" "$ROW" "$ENEMY")"
bolt1="$(first_x_of "$SCRATCH/before.png" "$ROW" "$BOLT")"
bolt2="$(first_x_of "$SCRATCH/later.png" "$ROW" "$BOLT")"
[ -n "$enemy1" ] && [ -n "$enemy2" ] || fail "no enemy in row $ROW ('$enemy1', '$enemy2')"
[ -n "$bolt1" ] && [ -n "$bolt2" ] || fail "no bolt in flight in row $ROW ('$bolt1', '$bolt2')"
[ "$enemy1" != "$enemy2" ] || fail "the enemy stayed at x $enemy1"
# The path runs from x 300 to 500: the enemy's left edge from 284 to 484.
for x in "$enemy1" "$enemy2"; do
  [ "$x" -ge 284 ] && [ "$x" -le 484 ] || fail "the enemy left its path: x $x"
done
[ $((bolt2 - bolt1)) -ge 20 ] || fail "the bolt went from $bolt1 to only $bolt2"
expect_pixels "$SCRATCH/later.png" $((bolt2 + 11)) "$ROW" "$BOLT" $((bolt2 + 12)) "$ROW" "$FILL"

hit_logged() {
  grep -q "^Hit.lua: hit by " "$GAME_LOG" && return 0
  game_running || fail "the game ended before the hit"
  return 1
}
poll_until hit_logged || fail "the bolt never hit the enemy"
sleep 0.5
screenshot "$SCRATCH/after.png"
sleep 1
screenshot "$SCRATCH/walking-on.png"
for shot in after walking-on; do
  for y in $((ROW - 6)) "$ROW" $((ROW + 5)); do
    [ -z "$(first_x_of "$SCRATCH/$shot.png" "$y" "$BOLT")" ] || fail "$shot.png still shows the bolt"
  done
done
enemy3="$(first_x_of "$SCRATCH/after.png" "$ROW" "$ENEMY")"
enemy4="$(first_x_of "$SCRATCH/walking-on.png" "$ROW" "$ENEMY")"
[ -n "$enemy3" ] && [ -n "$enemy4" ] && [ "$enemy3" != "$enemy4" ] ||
  fail "the enemy does not walk on after the hit ('$enemy3', '$enemy4')"
close_game_window
wait_for_exit 0

[ "$(grep -c "^Hit.lua: " "$GAME_LOG")" = 1 ] || fail "the hit-reaction script ran more than once"
[ "$(grep -c "^Kill.lua: " "$GAME_LOG")" = 1 ] || fail "the kill script ran more than once"
id="$(sed -n 's/^Kill.lua: bolt \(-\?[0-9]*\) killed$/\1/p' "$GAME_LOG")"
[ -n "$id" ] || fail "no kill line"
expect_line "Hit.lua: hit by $id, hit flag 1"
expect_line "Patrol.lua: guard and bolt ready"
expect_line "NPC has pathed to this location!"
expect_no_text_past_lookups "Failed,"
expect_no_text_past_lookups "Failed "
expect_no_text "Warning"
expect_no_text "Lua Error"
pass
