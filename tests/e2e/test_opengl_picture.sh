# The sample game shows the same picture with "-ogl" as without it: a screenshot of each window,
# taken once the GUI has drawn a frame, differs in no pixel beyond a small tolerance for rounding,
# below the band where the clouds drift (they move on between the two runs).
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_scratch_folder
SHOTS="$SCRATCH"

# Runs the sample game with these arguments and saves its window as $SHOTS/<name>.png.
screenshot_game() {
  local name="$1"
  shift
  make_game_folder "$QM_SAMPLE_DIR"
  start_game "$@"
  wait_for_line "Begin primary game loop"
  wait_for_drawn_frame 62 62
  import -window "$(game_window)" "$SHOTS/$name.png" || fail "no screenshot of the $name window"
  press_key_to_quit Escape
  wait_for_exit 0
  expect_no_text "Lua Error"
  expect_no_text "OpenGL Error"
}

screenshot_game allegro
screenshot_game opengl -ogl
expect_line "Forcing OpenGL mode"
grep -qF "OpenGL Error" "$GAME/stdout.log" 2>/dev/null && fail "OpenGL errors on standard output"

differing="$(compare -metric AE -fuzz 2% -extract 800x480+0+120 "$SHOTS/allegro.png" \
  "$SHOTS/opengl.png" null: 2>&1)"
[ "$differing" = "0" ] || fail "$differing pixels differ between the roads"
pass
