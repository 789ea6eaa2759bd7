# The same with a sound device that really plays: ALSA's default device writes into /dev/null,
# OpenAL plays into it, so the song and the sound have live streams when the window is closed.
# Cleanup must free them before Allegro shuts down; twenty runs in a row exit cleanly.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Data/Music/Theme.wav" ] || fail "no sample music in $QM_SAMPLE_DIR"
use_null_sound_device

for run in $(seq 1 20); do
  make_game_folder "$QM_SAMPLE_DIR"
  start_game
  wait_for_line "Begin primary game loop"
  close_game_window
  wait_for_exit 0
  expect_line "== Cleanup Completed =="
  expect_no_text "Failed"
done

# A script that ends the program itself, while the song plays, skips Cleanup: the audio is freed
# on the way out all the same, and the program ends with the script's status.
make_game_folder "$QM_SAMPLE_DIR"
echo 'os.exit(3)' >>"$GAME/Data/Scripts/System/ScriptExecution.lua"
start_game
wait_for_exit 3
expect_no_line "Begin primary game loop"
pass
