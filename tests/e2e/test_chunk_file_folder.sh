# Only the chunk file is removed at exit: a folder that stands under its name stays.
source "$QM_E2E_DIR/harness.sh"

make_game_folder startup
mkdir "$GAME/ActiveChunks.pcf"
start_game
wait_for_line "Begin primary game loop"
close_game_window
wait_for_exit 0
[ -d "$GAME/ActiveChunks.pcf" ] || fail "the folder ActiveChunks.pcf was removed"
pass
