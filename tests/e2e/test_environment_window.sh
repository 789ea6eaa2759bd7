# The world in the environment window: scenery on its fill colour behind a GUI window, with a child
# of the environment window drawn into the view, at 1:1 and (through a camera of half the window's
# size) 2:1, on the Allegro road and with "-ogl". In the same runs the first map's script changes
# the map during its own load, and a script run by a floating AI package changes it from inside the
# AI walk (the package itself goes with the map).
# Also run by the sanitizer build.
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
RED="224,16,16"
BLUE="16,16,224"
FILL="30,60,30"
GREY="200,200,200"
YELLOW="250,250,0"

run_world() {
  local name="$1" scale="$2"
  shift 2
  make_game_folder world
  "$QM_IMAGECONTAINER" "$GAME/Data/Gui.sif" "$QM_E2E_DIR/images/Gui.manifest" ||
    fail "could not write the image container"
  mkdir -p "$GAME/Data/Maps"
  "$QM_WRITE_LEVEL" "$GAME/Data/Maps/Gate.plf" || fail "could not write the level"
  QM_E2E_SCALE="$scale" start_game "$@"
  wait_for_line "Begin primary game loop"
  wait_for_pixel 700 300 "$FILL"
  screenshot "$SCRATCH/$name.png"
  if [ "$scale" = 1 ]; then
    # Red 200 x 150 at (40, 30), blue at (300, 200), the marker at (10, 10) 20 x 20.
    expect_pixels "$SCRATCH/$name.png" \
      41 31 "$RED" 238 178 "$RED" 240 100 "$FILL" 301 201 "$BLUE" 498 348 "$BLUE" 400 360 "$FILL" \
      11 11 "$YELLOW" 28 28 "$YELLOW" 31 31 "$FILL" 610 30 "$GREY" 760 30 "$FILL" 700 500 "$FILL"
  else
    # The 400 x 300 view doubled: red at (80, 60) to (479, 359), blue from (600, 400) on, the
    # marker from (20, 20) to (59, 59); the GUI's own window is not scaled.
    expect_pixels "$SCRATCH/$name.png" \
      81 61 "$RED" 478 358 "$RED" 481 200 "$FILL" 601 401 "$BLUE" 798 598 "$BLUE" 590 500 "$FILL" \
      21 21 "$YELLOW" 58 58 "$YELLOW" 61 61 "$FILL" 610 30 "$GREY" 760 30 "$FILL" 700 300 "$FILL"
  fi
  wait_for_line "Tick.lua: left"
  wait_for_line "Gate.lua: visit 2"
  sleep 0.5
  press_key_to_quit Escape
  wait_for_exit 0
  # The first load: the gate's script moved on to the clip map, and the gate's load ended there.
  [ "$(grep -cxF "Gate.lua: visit 1" "$GAME_LOG")" = 1 ] || fail "the gate's script ran more than once"
  [ "$(grep -cxF "Gate.lua: clip map built" "$GAME_LOG")" = 2 ] || fail "the clip map was not built twice"
  expect_line "Set clipping 0 500 1600 600"
  expect_line "ScriptExecution.lua: world built"
  expect_line "Load map"
  [ -e "$GAME/ActiveChunks.pcf" ] && fail "the gate's level left its temporary file"
  expect_no_line "Tick.lua: still running"
  expect_no_line "Camera does not have an active view..."
  expect_no_text "Lua Error"
  expect_no_text "Warning"
  expect_no_text "AddressSanitizer"
  expect_no_text "runtime error:"
}

run_world allegro-1x 1
run_world allegro-2x 2
run_world opengl-1x 1 -ogl
run_world opengl-2x 2 -ogl
expect_line "Forcing OpenGL mode"
pass
