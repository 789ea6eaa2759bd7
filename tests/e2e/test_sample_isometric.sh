# The sample game's first map is the isometric map "Courtyard": it reads with its four tile
# textures from the texture container and runs its map script, on both roads; and it leads on to
# the chunked level "Meadow".
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Data/Maps/Courtyard.slf" ] || fail "no sample isometric map in $QM_SAMPLE_DIR"
for road in "" -ogl; do
  make_game_folder "$QM_SAMPLE_DIR"
  start_game $road
  wait_for_line "Begin primary game loop"
  expect_line "Loaded texture earth from file Data/StandardTextures.sif at location 12376 into slot 3"
  expect_line "Done"
  expect_line "Trying to execute Data/Scripts/Maps/Courtyard.lua"
  expect_line "Courtyard.lua: entering the courtyard (script code -1)"
  expect_no_text "Failed"
  expect_no_text "Warning"
  expect_no_text "Lua Error"
  close_game_window
  wait_for_exit 0
done

make_game_folder "$QM_SAMPLE_DIR"
echo 'MapM_TransitionMap("Meadow")' >>"$GAME/Data/Scripts/Maps/Courtyard.lua"
start_game
wait_for_line "Begin primary game loop"
expect_line "Courtyard.lua: entering the courtyard (script code -1)"
expect_line "Meadow.lua: entering the meadow (script code -2)"
expect_no_text "Lua Error"
close_game_window
wait_for_exit 0
pass
