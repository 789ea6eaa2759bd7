# The sample game starts without script errors in an 800 x 600 window, and Escape ends it.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_game_folder "$QM_SAMPLE_DIR"
start_game
wait_for_line "Begin primary game loop"
expect_window_size 800x600
expect_no_text "Lua Error"
expect_no_text "Failed"
expect_no_text "Warning"
press_key_to_quit Escape
wait_for_exit 0
expect_line "== Cleanup Completed =="
pass
