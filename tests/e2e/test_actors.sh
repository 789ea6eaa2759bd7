# An actor built by scripts on a clip map: a two-frame animation from the data library in a drawing
# package, drawn through the NPC's drawing list and its state, slid by a "Slide Pathing" package
# and timed by a scale router from its own x. Screenshots a second apart show it further right and
# in the other frame, and each shows the frame its position calls for.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
STEP_A="230,120,20"
STEP_B="20,200,220"
FILL="30,60,30"
ROW=400

make_game_folder actors
"$QM_IMAGECONTAINER" "$GAME/Data/Actors.sif" "$QM_E2E_DIR/images/Actors.manifest" ||
  fail "could not write the image container"
mkdir -p "$GAME/Data/Maps"
"$QM_WRITE_LEVEL" "$GAME/Data/Maps/Stage.plf" || fail "could not write the level"
QM_E2E_SCENARIO=Slider start_game
wait_for_line "Begin primary game loop"
wait_for_pixel 700 100 "$FILL"

# The walker's left edge and frame in one screenshot into WALKER_X and WALKER_FRAME.
find_walker() {
  local a b
  a="$(first_x_of "$1" "$ROW" "$STEP_A")"
  b="$(first_x_of "$1" "$ROW" "$STEP_B")"
  if [ -n "$a" ] && [ -z "$b" ]; then
    WALKER_X="$a" WALKER_FRAME=A
  elif [ -n "$b" ] && [ -z "$a" ]; then
    WALKER_X="$b" WALKER_FRAME=B
  else
    fail "$(basename "$1") shows no single walker frame in row $ROW (A at '$a', B at '$b')"
  fi
}

# The frame the walker's centre (left edge + 12) calls for, or "-" within two pixels of a frame
# edge (the router and the slide may be a tick apart).
frame_for() {
  local into=$((($1 + 12) % 120))
  if [ $((into % 60)) -lt 2 ] || [ $((into % 60)) -ge 58 ]; then
    echo "-"
  elif [ "$into" -lt 60 ]; then
    echo A
  else
    echo B
  fi
}

# A second is 60 ticks, about 60 pixels; the frames change every 60. Take pairs until one pair
# lands in different frames (at most four; most do at once).
changed=""
for pair in 1 2 3 4; do
  screenshot "$SCRATCH/first-$pair.png"
  sleep 1
  screenshot "$SCRATCH/second-$pair.png"
  find_walker "$SCRATCH/first-$pair.png"
  x1="$WALKER_X" f1="$WALKER_FRAME"
  find_walker "$SCRATCH/second-$pair.png"
  x2="$WALKER_X" f2="$WALKER_FRAME"
  for shot in "$x1 $f1" "$x2 $f2"; do
    read -r x f <<<"$shot"
    expected="$(frame_for "$x")"
    [ "$expected" = "-" ] || [ "$expected" = "$f" ] ||
      fail "the walker at x $x shows frame $f, not $expected (pair $pair)"
  done
  [ $((x2 - x1)) -ge 20 ] && [ $((x2 - x1)) -le 150 ] ||
    fail "the walker moved from $x1 to $x2 in a second (pair $pair)"
  # Nothing of the walker's other columns is left behind: left of it the fill shows.
  expect_pixels "$SCRATCH/second-$pair.png" $((x2 - 1)) "$ROW" "$FILL" $((x2 + 23)) "$ROW" "$(
    [ "$f2" = A ] && echo "$STEP_A" || echo "$STEP_B")" $((x2 + 24)) "$ROW" "$FILL"
  if [ "$f1" != "$f2" ]; then
    changed="$pair"
    break
  fi
done
[ -n "$changed" ] || fail "four pairs of screenshots a second apart all showed one frame"
close_game_window
wait_for_exit 0
expect_line "Slider.lua: walker built"
expect_line "Added AI Routine WalkerLook to Active Drawing List"
expect_no_text_past_lookups "Failed,"
expect_no_text_past_lookups "Failed "
expect_no_text "Warning"
expect_no_text "Lua Error"
pass
