# With no audio configuration at all (no sound device on a test machine) the sample game's music
# and sound load and "play", the music functions log as they should, and closing the window ends
# the program cleanly, twenty times in a row (audio objects left alive at exit crash Allegro now
# and then, so one run proves little).
source "$QM_E2E_DIR/harness.sh"

use_no_sound_device
[ -f "$QM_SAMPLE_DIR/Data/Music/Theme.wav" ] || fail "no sample music in $QM_SAMPLE_DIR"

for run in $(seq 1 20); do
  make_game_folder "$QM_SAMPLE_DIR" music
  start_game
  wait_for_line "Begin primary game loop"
  close_game_window
  wait_for_exit 0
  if [ "$run" = 1 ]; then
    expect_log <<'LOG'
<launch>
Registered Lookup grass at 61 in file Data/StandardTextures.sif
Registered Lookup stone at 4166 in file Data/StandardTextures.sif
Registered Lookup water at 8271 in file Data/StandardTextures.sif
Registered Lookup earth at 12376 in file Data/StandardTextures.sif
Something tried to play a null song.  Aborting
Failed to load Nothing from the Sound List
Sound Blip Loaded from Data\Sounds\Blip.wav
LoadSound:  Failed, sound Gone could not be loaded from Data/Sounds/Gone.wav -Code: 2-
Bass reported an error during PlaySound:  -Code: 5-
PlaySound:  Failed, sound Theme was null
EditMusic:  Failed, music Blip was null
EditSound:  Failed, sound Theme was null
MM PlaySound:  Failed, invalid argument list
LoadSong:  Failed, invalid argument list
MapManager:  Reading file from Data/Maps/TolvaCube.slf - Failed
Isometric file pathname failed, check Lineart file instead...
Failed to find file!
<loop and cleanup>
LOG
  fi
done
pass
