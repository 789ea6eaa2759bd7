# A level file under 1 MB whose stream goes on for 400 MiB past the one chunk its header promises:
# "ActiveChunks.pcf" holds the header and that chunk and nothing more, the chunk is drawn and the
# game goes on. A header that promises more than any disk holds is refused before anything is
# written: the level stays empty, no temporary file is made, and the game goes on.
# Also run by the sanitizer build.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
LEVEL="Data/Maps/Village.plf"
MARKER="250,250,0"
FILL="30,60,30"

make_game_folder chunked chunked_view
mkdir -p "$GAME/Data/Maps"
"$QM_WRITE_LEVEL" "$GAME/$LEVEL" trailing $((400 << 20)) || fail "could not write the level"
[ "$(stat -c %s "$GAME/$LEVEL")" -lt 1000000 ] || fail "the level file is not under 1 MB"
start_game
wait_for_line "Begin primary game loop"
[ "$(stat -c %s "$GAME/ActiveChunks.pcf" 2>/dev/null)" = $((22 + 458752)) ] ||
  fail "ActiveChunks.pcf is $(stat -c %s "$GAME/ActiveChunks.pcf" 2>/dev/null) bytes, not the header and one record"
# Frames go on: the one chunk drawn (the camera, kept to a level smaller than the window, puts it
# in the bottom right corner at (544, 344)), the fill around it, the marker window.
wait_for_pixel 644 450 "0,0,160"
screenshot "$SCRATCH/one_chunk.png"
expect_pixels "$SCRATCH/one_chunk.png" 644 350 "255,255,255" 100 100 "$FILL" 320 260 "$MARKER"
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveChunks.pcf" ] || fail "ActiveChunks.pcf was left behind"
expect_no_text "Couldn't open level"
expect_no_text "Warning:  Level"
expect_no_text "Lua Error during Execution"

make_game_folder chunked chunked_view
mkdir -p "$GAME/Data/Maps"
"$QM_WRITE_LEVEL" "$GAME/$LEVEL" promise || fail "could not write the level"
start_game
wait_for_line "Warning:  Couldn't open level $LEVEL, its chunk records need more room than the disk has"
wait_for_line "Begin primary game loop"
[ ! -e "$GAME/ActiveChunks.pcf" ] || fail "ActiveChunks.pcf was made for a refused level"
wait_for_pixel 320 260 "$MARKER"
screenshot "$SCRATCH/refused.png"
expect_pixels "$SCRATCH/refused.png" 644 450 "$FILL" 100 100 "$FILL"
close_game_window
wait_for_exit 0
expect_no_text "Lua Error during Execution"
pass
