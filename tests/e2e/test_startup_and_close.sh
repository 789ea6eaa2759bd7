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
Received the following command line arguments:
Set Local Path to <bin>/
== Begin Init ==
Paths.lua: CFG_SetKey is nil
Configuration.lua: CFG_SetKey is function, TimerManager_AddTimer is nil
CFG_SetKey:  Failed, no key escape found
Routing.lua: TimerManager_AddTimer is function
GlobalVariables.lua: Started is 1
ScriptExecution.lua: script code -1
PathManager failed to find Maps
MapManager:  Reading file from TolvaCube.slf - Failed
Isometric file pathname failed, check Lineart file instead...
PathManager failed to find Maps
Failed to find file!
Load map
Initialization Sequence completed!  Took <seconds> seconds.
Begin primary game loop
== Begin Cleanup ==
1234
== Cleanup Completed ==
LOG
pass
