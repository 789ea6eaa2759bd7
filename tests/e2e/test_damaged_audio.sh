# Damaged audio files of every kind (and intact ones beside them), each loaded as a song and as a
# sound, set to loop and played twice: the game runs its loop on, and closing the window ends it
# within five seconds. With a sound device that plays and with none, the log is the same.
source "$QM_E2E_DIR/harness.sh"

# A game folder whose last start-up script loads every file in its Data/Audio folder.
make_audio_game() {
  make_game_folder startup
  local script="$GAME/Data/Scripts/System/ScriptExecution.lua" name
  : >"$script"
  "$QM_WRITE_AUDIO_FILES" "$GAME/Data/Audio" "$@" >"$SCRATCH/names" || fail "cannot write the audio files"
  while read -r name; do
    cat >>"$script" <<LUA
LoadSong("$name", "Data/Audio/$name")
MM_EditMusic("$name", 1, 1)
PlayActiveSong()
PlayActiveSong()
MM_LoadSound("$name", "Data/Audio/$name")
MM_EditSound("$name", 1, 1)
MM_PlaySound("$name")
MM_PlaySound("$name")
LUA
  done <"$SCRATCH/names"
}

# Runs the game of make_audio_game for a second of its loop, closes it and keeps its log in $1.
run_audio_game() {
  start_game
  wait_for_line "Begin primary game loop"
  expect_running_for 1
  close_game_window
  TIMEOUT_SECONDS=5 wait_for_exit 0
  expect_line "== Cleanup Completed =="
  normalised_log >"$1"
}

make_scratch_folder
use_null_sound_device
make_audio_game
run_audio_game "$SCRATCH/with-device.log"
for kind in wav flac ogg opus mod s3m; do
  expect_line "Sound good.$kind Loaded from Data/Audio/good.$kind"
done

use_no_sound_device
make_audio_game
run_audio_game "$SCRATCH/without-device.log"
diff "$SCRATCH/with-device.log" "$SCRATCH/without-device.log" >&2 ||
  fail "the log without a sound device differs from the one with"
pass
