# Start-up runs the five scripts between the right managers; closing the window ends the loop,
# cleans up, removes the chunk file and exits 0.
source "$QM_E2E_DIR/harness.sh"

make_game_folder startup
echo "stale" >"$GAME/ActiveChunks.pcf"
start_game
wait_for_line "Begin primary game loop"
expect_window_size 800x600
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveChunks.pcf" ] || fail "ActiveChunks.pcf was not removed"
expect_log <<'LOG'
<launch>
Paths.lua: CFG_SetKey is nil
Configuration.lua: CFG_SetKey is function, TimerManager_AddTimer is nil
CFG_SetKey:  Failed, no key escape found
Routing.lua: TimerManager_AddTimer is function
GlobalVariables.lua: Started is 1
ScriptExecution.lua: script code -1
<no pane, font or shadows>
<no maps folder>
<loop and cleanup>
LOG
pass
