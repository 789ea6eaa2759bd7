# The "Menu" action ends the loop: Escape by default, any key once a script rebinds it.
source "$QM_E2E_DIR/harness.sh"

make_game_folder startup
start_game
wait_for_line "Begin primary game loop"
press_key_to_quit Escape
wait_for_exit 0
expect_line "== Cleanup Completed =="

# Bound to Q, Escape no longer quits but Q does.
make_game_folder startup menu_q
start_game
wait_for_line "Begin primary game loop"
press_key Escape
expect_running_for 1
press_key_to_quit q
wait_for_exit 0
expect_line "== Cleanup Completed =="
pass
