# Containers that are small on disk and huge once inflated (written by tools/hostilecontainer): a
# large image loads at about twice its size at the peak; a palette and a directory past the
# program's bounds are refused with their lines, nothing of their size allocated; the game goes on
# and closes cleanly with no temporary file left.
source "$QM_E2E_DIR/harness.sh"

make_game_folder startup hostile
"$QM_HOSTILECONTAINER" image 8192 "$GAME/image.z" || fail "could not write image.z"
"$QM_HOSTILECONTAINER" palette 1048577 "$GAME/palette.z" || fail "could not write palette.z"
"$QM_HOSTILECONTAINER" directory 1048577 "$GAME/directory.z" || fail "could not write directory.z"
start_game
wait_for_line "Begin primary game loop"
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveImageFile.tmp" ] || fail "ActiveImageFile.tmp was left behind"
expect_log <<'LOG'
<launch>
Paths.lua: CFG_SetKey is nil
Configuration.lua: the image cost at most 2.5 times its size
ExternalImageManager::GetPaletteFromActiveFile - Warning, Huge is damaged: 1 palettes of 1048577 colours are past the largest palette (1048576 colours)
DataLibrary - Register:  Warning, Pointer Palette did not exist when registered
ExternalImageManager::OpenFile - Warning, directory.z has a damaged directory: entry count 1048577 is past the largest directory (1048576)
Configuration.lua: the directory left the temporary file absent
ExternalImageManager::GetBitmapFromActiveFile - Warning, no file is open
DL_ExtractBitmap:  Failed, no Bitmap named Huge found
Configuration.lua: the game goes on
Routing.lua: TimerManager_AddTimer is function
GlobalVariables.lua: Started is 1
ScriptExecution.lua: script code -1
DataLibrary - GetCatalogue(B):  Failed, GUI not found
DataLibrary - GetSection(N):  Failed, Fonts not found
DataLibrary - GetCatalogue(B):  Failed, Misc not found
DataLibrary - GetCatalogue(B):  Failed, Misc not found
DataLibrary - GetCatalogue(B):  Failed, Misc not found
DataLibrary - GetCatalogue(B):  Failed, Misc not found
<no maps folder>
<loop and cleanup>
LOG
pass
