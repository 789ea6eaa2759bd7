# The shooter mini-game switched on from a start-up script with two gnatlings, the mouse button
# held over the window for a second: no line but the two wrong calls the script makes on purpose.
# Then the same with pictures, an environment window and the player in shooter mode: a gnatling
# shows on the screen, and with the button held a shot does.
source "$QM_E2E_DIR/harness.sh"

ENEMY="200,40,200"
SHOT="250,250,0"

# Whether the game's window shows the colour "r,g,b" anywhere now.
window_shows() {
  screenshot "$SCRATCH/$2.png" || return 1
  convert "$SCRATCH/$2.png" -format %c histogram:info:- 2>/dev/null | grep -qF "srgb($1)"
}

make_game_folder shooter
start_game
wait_for_line "Begin primary game loop"
window="$(game_window)"
xdotool mousemove --window "$window" 400 100 mousedown 1 || fail "xdotool could not press"
sleep 1
xdotool mouseup 1
sleep 0.2
game_running || fail "the game ended while the button was held"
press_key_to_quit Escape
wait_for_exit 0
expect_line "Configuration.lua: SMM_SetActivity is nil"
expect_line "SMM SetActive:  Failed, invalid argument list"
expect_line "SE SpawnGnatling:  Failed, invalid argument list"
expect_line "ScriptExecution.lua: shooter on"
expect_line "== Cleanup Completed =="
expect_no_text "Lua Error"
expect_no_text "Warning"
[ "$(log_past_startup_lookups | grep -c "Failed")" = 2 ] || fail "a failure line the script did not cause"

make_scratch_folder
make_game_folder shooter shooter_shown
"$QM_IMAGECONTAINER" "$GAME/Data/Actors.sif" "$QM_E2E_DIR/images/Actors.manifest" ||
  fail "could not write the image container"
start_game
wait_for_line "ScriptExecution.lua: shooter shown"
poll_until window_shows "$ENEMY" gnatling || fail "no gnatling ever shown"
window_shows "$SHOT" before && fail "a shot before the button was held"
window="$(game_window)"
xdotool mousemove --window "$window" 400 100 mousedown 1 || fail "xdotool could not press"
poll_until window_shows "$SHOT" shot || { xdotool mouseup 1; fail "no shot ever shown"; }
xdotool mouseup 1
press_key_to_quit Escape
wait_for_exit 0
expect_no_text "Lua Error"
expect_no_text "Warning"
expect_no_text_past_lookups "Failed"
pass
