# A display that cannot be created ends start-up: both lines, no game loop, no clean-up, status 1.
# Sizes: none at all, one past the largest bitmap the display can hold, one that X's 16-bit sizes
# would wrap to 0 (it hung in an X error), and one past X's coordinates on both sides (it ended in
# an X error once drawn), on both drawing roads.
source "$QM_E2E_DIR/harness.sh"

expect_display_failure() {
  local width="$1" height="$2"
  shift 2
  make_game_folder startup
  start_game "$@"
  wait_for_exit 1
  expect_no_text "X Error"
  expect_line "Display of size $width by $height failed to create."
  expect_line "With no display, the program will now exit"
  expect_no_line "Begin primary game loop"
  expect_no_line "== Begin Cleanup =="
}

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

expect_display_failure 20000 100 -w 20000 -h 100
expect_display_failure 65536 600 -w 65536
expect_display_failure 99999 99999 -w 99999 -h 99999
expect_display_failure 99999 99999 -ogl -w 99999 -h 99999
pass
