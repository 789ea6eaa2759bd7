# A WAV whose sample rate reads 0xFFFFFFFF, looped as a song and as a sound and played twice, on
# a sound device that plays: the game runs on and closes cleanly.
source "$QM_E2E_DIR/harness.sh"

use_null_sound_device
make_game_folder startup
"$QM_WRITE_AUDIO_FILES" "$GAME/Data/Audio" absurd-rate >/dev/null || fail "cannot write the WAV"
cat >"$GAME/Data/Scripts/System/ScriptExecution.lua" <<'LUA'
LoadSong("Absurd", "Data/Audio/absurd.wav")
MM_EditMusic("Absurd", 1, 1)
PlayActiveSong()
PlayActiveSong()
MM_LoadSound("Absurd", "Data/Audio/absurd.wav")
MM_EditSound("Absurd", 1, 1)
MM_PlaySound("Absurd")
MM_PlaySound("Absurd")
LUA
start_game
wait_for_line "Begin primary game loop"
expect_running_for 1
close_game_window
TIMEOUT_SECONDS=5 wait_for_exit 0
expect_log <<'LOG'
<launch>
Paths.lua: CFG_SetKey is nil
Configuration.lua: CFG_SetKey is function, TimerManager_AddTimer is nil
CFG_SetKey:  Failed, no key escape found
Routing.lua: TimerManager_AddTimer is function
GlobalVariables.lua: Started is 1
Something tried to play a null song.  Aborting
Something tried to play a null song.  Aborting
LoadSound:  Failed, sound Absurd could not be loaded from Data/Audio/absurd.wav -Code: 41-
Bass reported an error during PlaySound:  -Code: 5-
Bass reported an error during PlaySound:  -Code: 5-
<no pane, font or shadows>
<no maps folder>
<loop and cleanup>
LOG
pass
