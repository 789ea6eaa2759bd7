# Without an X server the mouse cannot be installed: start-up fails with status 1.
source "$QM_E2E_DIR/harness.sh"

make_game_folder
unset DISPLAY
start_game
wait_for_exit 1
expect_log <<'LOG'
<launch>
Allegro could not install the mouse
LOG
pass
