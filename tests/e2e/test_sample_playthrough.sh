# The sample game played through as a person plays it, with keys and clicks: the keeper in the
# courtyard is clicked and answered, which starts the gnatling game (the shooter mini-game, fired
# with the mouse button held); lines are typed into the chat, which shows them with their
# descenders; the menu opens with its button and one of its buttons opens the help; the hero walks through the doors into the meadow and the
# grove, where its buck rolls the gem from either side and its jumps throw bolts that hit the
# slime, then back through the meadow onto the ridge and over its rocks into the cave; Escape ends
# it. On every map kind the hero's drawn feet stand on its position. No line may fail or warn but
# the map manager's look for an isometric file before it reads a chunked level.
# Also run by the sanitizer build.
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_scratch_folder
MENU="30,30,60"
PANEL="60,40,40"
# The dialogue window's pane at (700, 500) of the screen.
PANE="$(pixel_of "$QM_E2E_DIR/../../sample/images/chat_pane.png" 700 120)"
SHOT="255,200,40"
GNATLING="90,40,110"

# Whether the rectangle (w x h at x, y) of a PNG holds a pixel of the colour.
holds_colour() {
  [ "$(convert "$1" -crop "$2" +repage txt:- 2>/dev/null | grep -cF "srgb($3)")" -gt 0 ]
}
# The mean "x y" of the pixels of a PNG that show the colour; nothing when none does. Only the
# colour's bounding box is listed pixel by pixel: a whole frame takes seconds on a busy machine,
# longer than a bolt is in flight.
centre_of() {
  local box
  box="$(convert "$1" -fill black +opaque "srgb($2)" -format '%@' info: 2>/dev/null)"
  case "$box" in "" | 0x0*) return 0 ;; esac
  convert "$1" -crop "$box" txt:- 2>/dev/null | sed -n "s/^\([0-9]*\),\([0-9]*\): .* srgb($2)\$/\1 \2/p" |
    awk -v box="$box" 'BEGIN{split(box, b, /[x+]/)} {x+=$1; y+=$2; n++} END{if (n) printf "%d %d", b[3] + x/n, b[4] + y/n}'
}
# Whether the point "x y" lies within d of (x2, y2) on both axes.
near() {
  local x="${1% *}" y="${1#* }"
  [ $((x - $2)) -le "$4" ] && [ $(($2 - x)) -le "$4" ] && [ $((y - $3)) -le "$4" ] && [ $(($3 - y)) -le "$4" ]
}
make_game_folder "$QM_SAMPLE_DIR"
add_position_probe
# The gem, watched like the hero: "Gem settled at X Y Z" once its centre has stayed for 15 ticks
# in the grove, "Gem moves" when it changes after that; the slime's hit script says where it was.
cat >>"$GAME/Data/Scripts/Rooms/Probe.lua" <<'LUA'
if Global_GetScriptVariableA("Room") == "Grove" then
  OBJM_SetActiveObject("GroveGem")
  local gem = PM_GetValue("Object", "", "XPos") .. " " .. PM_GetValue("Object", "", "YPos") .. " " ..
              PM_GetValue("Object", "", "ZPos")
  if gem ~= GemAt then
    if GemStill and GemStill >= 15 then io.stderr:write("Gem moves\n") end
    GemAt, GemStill = gem, 0
  else
    GemStill = GemStill + 1
    if GemStill == 15 then io.stderr:write("Gem settled at ", gem, "\n") end
  end
end
LUA
cat >>"$GAME/Data/Scripts/Maps/Grove/SlimeHit.lua" <<'LUA'
io.stderr:write("Slime hit at ", PM_GetValue("NPC", "", "XCenter"), " ",
                PM_GetValue("NPC", "", "YCenter"), "\n")
LUA
start_game
wait_for_line "Begin primary game loop"
wait_for_line "Sample: the courtyard"
# The world fills the screen: the middle of the courtyard shows, the menu does not.
wait_for_pixel 700 80 "135,185,235"
screenshot "$SCRATCH/start.png"
[ "$(pixel_of "$SCRATCH/start.png" 400 300)" != "0,0,0" ] || fail "no courtyard"

# The keeper: a click opens the conversation; "Any work for me?", then "Let me at them!".
click_at 412 250
wait_for_line "Talk.lua: the keeper hears -2"
wait_for_pixel 700 500 "$PANE"
click_at 300 465
wait_for_line "Talk.lua: the keeper hears 3"
click_at 300 465
wait_for_line "Talk.lua: the keeper hears 4"
wait_for_line "Sample: the gnatlings come"
# The dialogue window closed; the mouse button held fires at the gnatlings for two seconds.
poll_until window_pixel_is 700 500 "$PANE" not || fail "the dialogue stayed open"
window="$(game_window)"
xdotool mousemove --window "$window" 500 150 mousedown 1 || fail "xdotool could not press"
sleep 2
screenshot "$SCRATCH/shooter.png"
xdotool mouseup 1
holds_colour "$SCRATCH/shooter.png" 800x600+0+0 "$SHOT" || fail "no shots on the screen"
holds_colour "$SCRATCH/shooter.png" 800x600+0+0 "$GNATLING" || fail "no gnatlings on the screen"
wait_for_line "Sample: the gnatlings are gone"

# The chat: typed into its box, Enter, and the line above the box shows it.
convert "$SCRATCH/start.png" -crop 170x18+20+36 +repage "$SCRATCH/chat-before.png"
click_at 40 72
press_key h
press_key i
press_key Return
wait_for_line "Print i - "
chat_changed() {
  screenshot "$SCRATCH/poll.png" || return 1
  convert "$SCRATCH/poll.png" -crop 170x18+20+36 +repage "$SCRATCH/chat-after.png"
  [ "$(compare -metric AE "$SCRATCH/chat-before.png" "$SCRATCH/chat-after.png" null: 2>&1)" != 0 ]
}
poll_until chat_changed || fail "the chat never showed the line"
# Typing moved nobody: "d" (Right's second key) typed into the chat box leaves the hero standing.
settle
before="$HERO_X $HERO_Y"
click_at 40 72
for key in d d d d d d; do press_key "$key"; done
wait_for_line "Print d - "
press_key Return
settle
[ "$HERO_X $HERO_Y" = "$before" ] || fail "typing moved the hero from $before to $HERO_X $HERO_Y"
# A chat line keeps its descenders: under "dddddd" (the older line, at row 16) the newest,
# "gjpqy" (at row 36), reaches at least two rows further below its top than the d's bottom, where
# a line cut at 16 pixels shows at most one.
lowest_text_row() {
  convert "$1" -crop "$2" +repage txt:- 2>/dev/null |
    sed -n 's/^[0-9]*,\([0-9]*\): (\([0-9]*\),\([0-9]*\),\([0-9]*\)[,)].*/\1 \2 \3 \4/p' |
    awk '$2 > 128 && $3 > 128 && $4 > 128 && $1 > b {b = $1} END {print b + 0}'
}
descenders_drawn() {
  screenshot "$SCRATCH/descenders.png" || return 1
  D_BOTTOM="$(lowest_text_row "$SCRATCH/descenders.png" 170x20+20+16)"
  G_BOTTOM="$(lowest_text_row "$SCRATCH/descenders.png" 170x24+20+36)"
  [ "$D_BOTTOM" -gt 0 ] && [ "$G_BOTTOM" -ge $((D_BOTTOM + 2)) ]
}
click_at 40 72
for key in g j p q y; do press_key "$key"; done
wait_for_line "Print y - "
press_key Return
poll_until descenders_drawn ||
  fail "the chat's descenders end ${G_BOTTOM:-?} rows below the line's top, the d's ${D_BOTTOM:-?}"

# The menu opens with its button; its "Help" button opens the help; its "Close" closes the menu.
click_at 750 19
wait_for_pixel 700 80 "$MENU"
click_at 704 137
wait_for_pixel 300 240 "$PANEL"
click_at 660 335
wait_for_pixel 700 80 "135,185,235"
click_at 174 223
poll_until window_pixel_is 300 240 "$PANEL" not || fail "the help stayed open"

# Through the courtyard's door into the meadow, and down through the meadow's south edge into
# the grove; each walk lets go of its keys and waits for the hero to stand still in the new room.
# In the courtyard the player's sprite stands on the cell under its box's centre (cx, cy): on the
# screen x = 0.9375 (cx - cy) + 300, y = 0.46875 (cx + cy) + z + 201 (z -32 on the ground).
settle
screenshot "$SCRATCH/courtyard.png"
expect_feet_at "$SCRATCH/courtyard.png" $(((HERO_X - HERO_Y) * 15 / 16 + 300)) \
  $(((HERO_X + HERO_Y) * 15 / 32 + HERO_Z + 201))
walk_until "Sample: the meadow" Right Down
# The meadow is smaller than the window: the camera shows it 32 to the right and 88 down.
screenshot "$SCRATCH/meadow.png"
expect_feet_at "$SCRATCH/meadow.png" $((HERO_X + 32)) $((HERO_Y + HERO_Z + 88))
walk_until "Sample: the grove" Right Down
wait_for_line "Grove.lua: entering the grove (script code -2)"
# The grove is larger than the window: the camera keeps the hero's centre at (352, 252) of its
# view where the grove leaves room, so the view's corner is that less, within 0 to 224 and 0 to 168.
grove_view() {
  VIEW_X=$((HERO_X - 352)) VIEW_Y=$((HERO_Y - 252))
  [ "$VIEW_X" -ge 0 ] || VIEW_X=0
  [ "$VIEW_X" -le 224 ] || VIEW_X=224
  [ "$VIEW_Y" -ge 0 ] || VIEW_Y=0
  [ "$VIEW_Y" -le 168 ] || VIEW_Y=168
}
grove_view
screenshot "$SCRATCH/grove.png"
expect_feet_at "$SCRATCH/grove.png" $((HERO_X - VIEW_X)) $((HERO_Y + HERO_Z - VIEW_Y))

# The gem lies in the furrow south of the slime's row; the hero walks along the furrow's south
# side. Standing west of it and facing east the buck rolls it east, east of it facing west, west.
# Its drawn middle (its green) moves with it on the screen, and lies on its box.
GEM="32,192,32"
gem_settled() { [ "$(grep -E '^Gem (settled at|moves)' "$GAME_LOG" | tail -n 1 | cut -c1-11)" = "Gem settled" ]; }
settle_gem() {
  poll_until gem_settled || fail "the gem never came to rest"
  read -r GEM_X GEM_Y GEM_Z < <(grep '^Gem settled at ' "$GAME_LOG" | tail -n 1 | cut -d' ' -f4-)
}
# Bucks and waits until the gem has moved and come to rest again; the screenshot before and after.
buck_the_gem() {
  local moves shot="$SCRATCH/gem-$1" drawn
  screenshot "$shot-before.png"
  moves="$(grep -c '^Gem moves$' "$GAME_LOG")"
  press_key z
  poll_until bash -c "[ \"\$(grep -c '^Gem moves\$' '$GAME_LOG')\" -gt $moves ]" ||
    fail "the buck facing $1 did not move the gem"
  settle_gem
  settle
  grove_view
  screenshot "$shot-after.png"
  before="$(centre_of "$shot-before.png" "$GEM")" after="$(centre_of "$shot-after.png" "$GEM")"
  [ -n "$before" ] && [ -n "$after" ] || fail "no gem on the screen ($before, $after)"
  near "$after" $((GEM_X - VIEW_X)) $((GEM_Y + GEM_Z - VIEW_Y)) 3 ||
    fail "the gem is drawn at $after, its box at $((GEM_X - VIEW_X)) $((GEM_Y + GEM_Z - VIEW_Y))"
  [ "$before" != "$after" ] || fail "the gem's picture stayed at $before"
}
# Turns the hero the key's way: holds it until the hero has moved, lets go and settles.
face() {
  local window moves
  window="$(game_window)"
  moves="$(grep -c '^Hero moves$' "$GAME_LOG")"
  xdotool keydown --window "$window" "$1"
  poll_until bash -c "[ \"\$(grep -c '^Hero moves\$' '$GAME_LOG')\" -gt $moves ]" ||
    fail "$1 did not move the hero"
  xdotool keyup --window "$window" "$1"
  settle
}
# Stands the hero where its buck facing the key's way reaches the gem (its kick lands "reach"
# pixels in front of its centre, give or take 19): steps there, turns with the key and, when the
# turn carried it too far (a held key walks on while the machine is slow), tries again from
# further back.
stand_to_kick() {
  local key="$1" reach="$2" back=0 tries=0 off
  while :; do
    step_to X $((GEM_X - reach - back)) Right Left
    face "$key"
    off=$((HERO_X + reach - GEM_X))
    [ "$off" -le 12 ] && [ "$off" -ge -12 ] && return 0
    back=$((back + off))
    tries=$((tries + 1))
    [ "$tries" -lt 10 ] || fail "the hero never stood to kick the gem at $GEM_X (at $HERO_X)"
  done
}
settle_gem
[ "$GEM_X $GEM_Y" = "300 538" ] || fail "the gem is at $GEM_X $GEM_Y, not in the furrow"
step_to Y 552 Down Up
stand_to_kick Right 42
old_x="$GEM_X"
buck_the_gem east
[ "$GEM_X" -gt "$old_x" ] || fail "the gem went west ($old_x to $GEM_X) from a kick east"
old_x="$GEM_X"
stand_to_kick Left -39
buck_the_gem west
[ "$GEM_X" -lt "$old_x" ] || fail "the gem went east ($old_x to $GEM_X) from a kick west"

# Onto the slime's row (its centre's y, 450), then a step east faces the hero along the beat, and
# each jump throws a bolt there. A bolt flies at the height of the hero's hand, 14 above its feet,
# ahead of it; the slime is drawn on its box when a bolt hits it.
BOLT="255,220,40"
SLIME="150,40,170"
# West of the furrow first, which the hero cannot cross, and clear of the west door.
step_to X 100 Right Left
step_to Y 450 Down Up
face Right
window="$(game_window)"
grove_view
[ "$HERO_Y" -ge 447 ] && [ "$HERO_Y" -le 453 ] || fail "the hero left the slime's row ($HERO_Y)"
hand_x=$((HERO_X - VIEW_X)) hand_y=$((HERO_Y + HERO_Z - VIEW_Y - 14))
bolt_seen=""
taps=0
# Any screenshot with the bolt in flight: on the hand's row, in front of the hero.
bolt_on_screen() {
  screenshot "$SCRATCH/bolt.png" && bolt_seen="$(centre_of "$SCRATCH/bolt.png" "$BOLT")" && [ -n "$bolt_seen" ]
}
landed() { [ "$(grep -c '^Hero moves$' "$GAME_LOG")" -gt "$jumps" ]; }
until grep -q "^Grove: the slime is hit by bolt " "$GAME_LOG" && [ -n "$bolt_seen" ]; do
  jumps="$(grep -c '^Hero moves$' "$GAME_LOG")"
  press_key space
  # A bolt is in flight for a moment only: it is looked for until the jump has landed, and a bolt
  # missed by a slow screenshot is looked for again on the next jump.
  if [ -z "$bolt_seen" ]; then
    give_up=$((SECONDS + 120))
    until bolt_on_screen || landed || [ "$SECONDS" -ge "$give_up" ]; do sleep 0.1; done
  fi
  if [ -n "$bolt_seen" ]; then
    bx="${bolt_seen% *}" by="${bolt_seen#* }"
    [ $((by - hand_y)) -le 4 ] && [ $((hand_y - by)) -le 4 ] && [ "$bx" -gt "$hand_x" ] ||
      fail "the bolt is drawn at $bolt_seen, not on the row of the hand at ($hand_x, $hand_y) ahead of it"
  fi
  # A jump moves the hero up and down again: wait until it has landed.
  poll_until landed || fail "the hero did not jump"
  settle
  taps=$((taps + 1))
  [ "$taps" -lt 60 ] || fail "no bolt hit the slime, or none was seen in flight"
done
# Where the slime was hit (its box's centre, logged by its hit script): on the slime's row, which
# the bolts fly along, and the slime drawn there.
read -r SLIME_X SLIME_Y < <(sed -n 's/^Slime hit at \(-\?[0-9]*\) \(-\?[0-9]*\)$/\1 \2/p' "$GAME_LOG" | head -n 1)
[ -n "${SLIME_Y:-}" ] || fail "the slime's hit script logged no place"
[ $((SLIME_Y - HERO_Y)) -le 4 ] && [ $((HERO_Y - SLIME_Y)) -le 4 ] ||
  fail "the slime was hit at $SLIME_X $SLIME_Y, off the bolts' row $HERO_Y"
# The tree's crown is drawn over the slime's beat: wait until the slime is out from under it.
slime_on_screen() {
  screenshot "$SCRATCH/slime.png" && drawn="$(centre_of "$SCRATCH/slime.png" "$SLIME")" && [ -n "$drawn" ]
}
poll_until slime_on_screen || fail "no slime on the screen"
sy="${drawn#* }"
[ $((sy - (SLIME_Y - VIEW_Y))) -le 6 ] && [ $((SLIME_Y - VIEW_Y - sy)) -le 6 ] ||
  fail "the slime is drawn at $drawn, its box at row $((SLIME_Y - VIEW_Y))"

# Back through the meadow onto the ridge (a clip map in the side view, which fits the window: its
# view stays at (0, 0), and the hero's feet are at (x, z)), and over its rocks into the cave.
walk_until "Sample: the meadow" Left
walk_until "Sample: the ridge" Right
screenshot "$SCRATCH/ridge.png"
expect_feet_at "$SCRATCH/ridge.png" "$HERO_X" "$HERO_Z"
xdotool keydown --window "$window" Right
hops=0
until grep -qxF "Sample: the cave" "$GAME_LOG"; do
  press_key space
  sleep 0.3
  hops=$((hops + 1))
  [ "$hops" -lt $((TIMEOUT_SECONDS * 3)) ] || fail "the hero never reached the cave"
done
xdotool keyup --window "$window" Right
settle
screenshot "$SCRATCH/cave.png"
expect_feet_at "$SCRATCH/cave.png" "$HERO_X" "$HERO_Z"
press_key_to_quit Escape
wait_for_exit 0
expect_line "== Cleanup Completed =="
unexpected="$(grep -inE 'fail|warn|error' "$GAME_LOG" |
  grep -vE ':MapManager:  Reading file from Data/Maps/(Meadow|Grove)\.slf - Failed$' |
  grep -vE ':Isometric file pathname failed, check Lineart file instead\.\.\.$')"
[ -z "$unexpected" ] || fail "lines the sample did not ask for: $unexpected"
pass
