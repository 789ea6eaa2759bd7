# OpenGL mode opens the window at the size asked for, and closes cleanly.
source "$QM_E2E_DIR/harness.sh"

make_game_folder
start_game -ogl -w 1024 -h 768
wait_for_line "Begin primary game loop"
expect_window_size 1024x768
wait_for_visible_window
close_game_window
wait_for_exit 0
expect_line "Forcing OpenGL mode"
expect_line "Width set to:1024"
expect_line "Height set to:768"
expect_line "== Cleanup Completed =="
expect_no_text "Display was not created yet."
pass
