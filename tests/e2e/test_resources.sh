# Start-up scripts set paths, open a compressed image container, build the data library's tree,
# extract a palette, a paletted bitmap and a portrait, register a texture file and a font, and
# close the container: each step logs its line, no failure is logged and no temporary file stays.
source "$QM_E2E_DIR/harness.sh"

make_game_folder startup resources
mkdir -p "$GAME/Data/Images" "$GAME/Data/Fonts"
"$QM_IMAGECONTAINER" "$GAME/Data/Images/Fixture.sif" "$QM_E2E_DIR/images/Fixture.manifest" ||
  fail "could not write the image container"
cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$GAME/Data/Fonts/" || fail "no DejaVu font"
start_game
wait_for_line "Begin primary game loop"
close_game_window
wait_for_exit 0
[ ! -e "$GAME/ActiveImageFile.tmp" ] || fail "ActiveImageFile.tmp was left behind"
expect_log <<'LOG'
<launch>
Paths.lua: images under Data/Images/, fonts under Data/Fonts/
Configuration.lua: opened Data/Images/Fixture.sif, temporary file present
Configuration.lua: built the tree
Configuration.lua: extracted the palette Images/Misc/Palettes/Main
Configuration.lua: extracted the paletted bitmap Images/Misc/Sprites/Hero
Configuration.lua: extracted the portrait Images/Portraits/Corvella/Smile
Configuration.lua: registered the texture file Maps/Tiles/Standard/StandardTextures
Configuration.lua: registered the font Fonts/General/System/SystemFont
Configuration.lua: closed the container, temporary file absent
Routing.lua: TimerManager_AddTimer is function
GlobalVariables.lua: Started is 1
ScriptExecution.lua: script code -1
DataLibrary - GetCatalogue(B):  Failed, GUI not found
DataLibrary - GetHeading(B):  Failed, Dialogue not found
DataLibrary - GetHeading(B):  Failed, Shadows not found
DataLibrary - GetHeading(B):  Failed, Shadows not found
DataLibrary - GetHeading(B):  Failed, Shadows not found
DataLibrary - GetHeading(B):  Failed, Shadows not found
<no maps folder>
<loop and cleanup>
LOG
pass
