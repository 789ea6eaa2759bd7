# A written 6 x 6 chunked level loaded by name as the first map: it inflates into
# "ActiveChunks.pcf" while the game runs, its map script runs with code -2, no chunk is missed or
# refused once the first tick has streamed the chunks around the player in, and the temporary file
# is gone after a clean close. On that first tick the player asks for its cells before the map
# streams them in, and the level answers that no chunk is there yet.
source "$QM_E2E_DIR/harness.sh"

make_game_folder chunked
mkdir -p "$GAME/Data/Maps"
"$QM_WRITE_LEVEL" "$GAME/Data/Maps/Village.plf" || fail "could not write the level"
start_game
wait_for_line "Begin primary game loop"
[ "$(stat -c %s "$GAME/ActiveChunks.pcf" 2>/dev/null)" = $((22 + 36 * 458752)) ] ||
  fail "ActiveChunks.pcf does not hold the inflated level"
# A few ticks.
sleep 0.5
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveChunks.pcf" ] || fail "ActiveChunks.pcf was left behind"
expect_log <<'LOG'
<launch>
Lua Error during Loading: cannot open Configuration.lua: No such file or directory
Lua Error during Loading: cannot open Data/Scripts/System/Loading/Routing.lua: No such file or directory
Lua Error during Loading: cannot open Data/Scripts/System/GlobalVariables.lua: No such file or directory
<no pane, font or shadows>
MapManager:  Reading file from Data/Maps/Village.slf - Failed
Isometric file pathname failed, check Lineart file instead...
Village.lua: script code -2
<loop and cleanup>
LOG
pass
