# A quick tap of Escape, down and up between two ticks, ends the game every time on both roads.
source "$QM_E2E_DIR/harness.sh"

for road in "" -ogl; do
  for try in 1 2 3 4 5; do
    make_game_folder startup
    start_game $road
    wait_for_line "Begin primary game loop"
    press_key Escape
    poll_until game_ended || fail "tap $try of Escape ${road:+($road) }did not end the game"
    wait_for_exit 0
    expect_line "== Cleanup Completed =="
  done
done
pass
