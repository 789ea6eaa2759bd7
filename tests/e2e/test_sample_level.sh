# The sample game's chunked level "Meadow" loads as the first map: its level file opens, its map
# script runs with code -2, and no temporary file is left after a clean close.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Data/Maps/Meadow.plf" ] || fail "no sample level in $QM_SAMPLE_DIR"
make_game_folder "$QM_SAMPLE_DIR"
echo 'MapM_SetMapLoadTarget("Meadow")' >>"$GAME/Data/Scripts/System/ScriptExecution.lua"
start_game
wait_for_line "Begin primary game loop"
expect_line "Meadow.lua: entering the meadow (script code -2)"
expect_no_text "Couldn't open level"
expect_no_text "Lua Error"
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveChunks.pcf" ] || fail "ActiveChunks.pcf was left behind"
pass
