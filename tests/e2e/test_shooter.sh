# The shooter mini-game switched on from a start-up script with two gnatlings, the mouse button
# held over the window for a second: no line but the two wrong calls the script makes on purpose.
source "$QM_E2E_DIR/harness.sh"

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
[ "$(grep -c "Failed" "$GAME_LOG")" = 2 ] || fail "a failure line the script did not cause"
pass
