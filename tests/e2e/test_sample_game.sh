# The sample game starts without script errors in an 800 x 600 window; walking right and jumping
# over the rocks reaches the cave, walking back left the meadow; Escape ends it.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_game_folder "$QM_SAMPLE_DIR"
start_game
wait_for_line "Begin primary game loop"
expect_window_size 800x600
expect_no_text "Lua Error"
expect_no_text "Failed"
expect_no_text "Warning"
wait_for_line "Sample: the meadow"

# Holds the direction key and taps Jump until the line shows once more.
walk_and_jump_until() {
  local window key="$1" line="$2" taps=0 before
  before="$(grep -cxF -- "$line" "$GAME_LOG")"
  window="$(game_window)"
  xdotool keydown --window "$window" "$key" || fail "xdotool could not press $key"
  until [ "$(grep -cxF -- "$line" "$GAME_LOG")" -gt "$before" ]; do
    xdotool keydown --window "$window" space
    sleep 0.3
    xdotool keyup --window "$window" space
    sleep 0.2
    taps=$((taps + 1))
    [ "$taps" -lt 60 ] || fail "walking $key never reached: $line"
  done
  xdotool keyup --window "$window" "$key"
}
walk_and_jump_until Right "Sample: the cave"
walk_and_jump_until Left "Sample: the meadow"
[ "$(grep -c '^Sample: the meadow$' "$GAME_LOG")" = 2 ] || fail "the meadow was not entered twice"
expect_no_text "Lua Error"
expect_no_text "Movement loop got caught"
press_key_to_quit Escape
wait_for_exit 0
expect_line "== Cleanup Completed =="
pass
