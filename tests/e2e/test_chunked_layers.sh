# The written 6 x 6 level through an environment window: with no player yet the block of chunks at
# the level's first chunk is loaded (the inner chunks at once, the outer ones piece by piece), and
# the screenshot shows each chunk's lower colour, its upper white band drawn over the marker window
# that stands in the world between the two layers, and the fill nowhere.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
WHITE="255,255,255"
YELLOW="250,250,0"

make_game_folder chunked chunked_view
mkdir -p "$GAME/Data/Maps"
"$QM_WRITE_LEVEL" "$GAME/Data/Maps/Village.plf" || fail "could not write the level"
start_game
wait_for_line "Begin primary game loop"
# Chunk (3, 2) is in the outer ring: read in pieces, drawn once it is whole.
wait_for_pixel 780 560 "120,80,160"
screenshot "$SCRATCH/level.png"
# Chunk (i, j) is (40 i, 40 j, 160) below, white in its top 16 rows above.
expect_pixels "$SCRATCH/level.png" \
  100 100 "0,0,160" 100 5 "$WHITE" 100 15 "$WHITE" 100 16 "0,0,160" \
  400 100 "40,0,160" 700 100 "80,0,160" 780 100 "120,0,160" \
  100 400 "0,40,160" 600 300 "80,40,160" 100 560 "0,80,160" 700 540 "80,80,160" 100 515 "$WHITE"
# The marker (300, 240) to (339, 279) lies over the lower layer and under the upper band of row 1.
expect_pixels "$SCRATCH/level.png" \
  301 241 "$YELLOW" 338 255 "$YELLOW" 301 256 "$WHITE" 338 271 "$WHITE" 320 272 "$YELLOW" \
  338 279 "$YELLOW" 320 280 "40,40,160" 299 250 "40,0,160"
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveChunks.pcf" ] || fail "ActiveChunks.pcf was left behind"
expect_no_text "Couldn't open level"
# On the first tick the player asks for its cells before the map streams the chunks in.
[ -z "$(grep 'Failed ' "$GAME_LOG")" ] || fail "a chunk was missed"
expect_no_text "Lua Error during Execution"
pass
