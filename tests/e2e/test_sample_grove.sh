# The sample game's menu button "Grove" leads from the first map to the chunked level Grove: its
# villagers walk their rounds (screenshots a second apart show them elsewhere, in their animated
# look), the slime patrols and bolts hit it, each hit logged once with the bolt's id, and the gem
# lies in the grass. The hero stays out of the way at the grove's top-left, where the view shows
# the grove from its corner, and a thrower added to the game's copy throws the bolts the hero
# throws in play.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Data/Maps/Grove.plf" ] || fail "no grove level in $QM_SAMPLE_DIR"
make_scratch_folder
SHIRT="60,90,200"
SLIME="150,40,170"
make_game_folder "$QM_SAMPLE_DIR"
echo 'Player_SetPosition(96, 96, 0)' >>"$GAME/Data/Scripts/Rooms/ToGrove.lua"
cat >"$GAME/Data/Scripts/Maps/Grove/Thrower.lua" <<'LUA'
GroveTicks = GroveTicks + 1
if GroveTicks % 150 == 1 then
  OBJM_CreateObject("Bolt", "SimpleProjectile", 3, 0, 0)
  OBJPB_SetCoordinateData(10, 450, 0, 10, 10, 4)
  OBJPB_SetDisplayData("BoltFlight", "Bolt", 0, 0, 0)
  OBJPB_SetTargetFlags(1)
  OBJPB_SetDamageOutput(8)
end
LUA
cat >>"$GAME/Data/Scripts/Maps/Grove.lua" <<'LUA'
GroveTicks = 0
AIM_CreateObject("Thrower", "FloatingAIPackageList", "AIAutoScript", here .. "Thrower.lua", 0)
LUA
start_game
wait_for_line "Begin primary game loop"
wait_for_drawn_frame 10 10
# The "Menu" button, then the menu's "Grove" button.
for spot in "750 19" "704 171"; do
  xdotool mousemove --window "$(game_window)" $spot
  sleep 0.3
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
done
wait_for_line "Grove.lua: entering the grove (script code -2)"
# The grove's grass where the courtyard's sky was.
wait_for_pixel 30 400 "96,150,70"
screenshot "$SCRATCH/grove.png"
sleep 1
screenshot "$SCRATCH/grove-later.png"
# Tamsin walks along the path in row 310, Odo down the other path from (500, 340).
tamsin1="$(first_x_of "$SCRATCH/grove.png" 310 "$SHIRT")"
tamsin2="$(first_x_of "$SCRATCH/grove-later.png" 310 "$SHIRT")"
[ -n "$tamsin1" ] && [ -n "$tamsin2" ] && [ "$tamsin1" != "$tamsin2" ] ||
  fail "Tamsin does not walk her round ('$tamsin1', '$tamsin2')"
[ "$(compare -metric AE -extract 60x260+470+330 "$SCRATCH/grove.png" "$SCRATCH/grove-later.png" null: 2>&1)" != 0 ] ||
  fail "nothing moves on Odo's path"
# The gem, 16 x 16 near (300, 540), is the one thing on the grass around it.
colours="$(convert "$SCRATCH/grove.png" -crop 60x40+260+515 +repage -unique-colors txt:- | grep -c srgb)"
[ "$colours" -gt 1 ] || fail "no gem"
hit_logged() { grep -q "^Grove: the slime is hit by bolt " "$GAME_LOG"; }
poll_until hit_logged || fail "no bolt hit the slime"
found=""
for shot in grove grove-later; do
  [ -n "$(first_x_of "$SCRATCH/$shot.png" 452 "$SLIME")" ] && found=1
done
[ -n "$found" ] || fail "no slime on its beat"
sleep 0.5
press_key_to_quit Escape
wait_for_exit 0
ids="$(sed -n 's/^Grove: the slime is hit by bolt \(-\?[0-9]*\) .*/\1/p' "$GAME_LOG")"
[ "$(echo "$ids" | sort | uniq -d)" = "" ] || fail "a bolt hit the slime twice: $ids"
expect_no_text "Lua Error"
expect_no_text "Failed,"
expect_no_text "Failed "
expect_no_text "Warning"
pass
