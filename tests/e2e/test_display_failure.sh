# A display that cannot be created ends start-up: both lines, no game loop, no clean-up, status 1.
source "$QM_E2E_DIR/harness.sh"

make_game_folder startup
start_game -w 0
wait_for_exit 1
expect_log <<'LOG'
Received the following command line arguments:
Width set to:0
Set Local Path to <bin>/
== Begin Init ==
Display of size 0 by 600 failed to create.
With no display, the program will now exit
LOG
pass
