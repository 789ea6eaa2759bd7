# Two overlapping framed windows with pictures from the data library: the front one covers the
# other where they overlap; dragging it by its top border moves it (still in front), and dragging
# the resize window's right border widens it. On the Allegro road and with "-ogl".
source "$QM_E2E_DIR/harness.sh"

make_scratch_folder
RED="224,16,16"
BLUE="16,16,224"
GREEN="16,192,16"
BLACK="0,0,0"

run_road() {
  local road="$1"
  shift
  make_game_folder gui
  mkdir -p "$GAME/Data"
  "$QM_IMAGECONTAINER" "$GAME/Data/Gui.sif" "$QM_E2E_DIR/images/Gui.manifest" ||
    fail "could not write the image container"
  start_game "$@"
  wait_for_line "Begin primary game loop"
  # Front (200..399 x 150..299) before Back (100..299 x 100..249).
  wait_for_pixel 250 200 "$BLUE"
  screenshot "$SCRATCH/$road-before.png"
  expect_pixels "$SCRATCH/$road-before.png" \
    150 120 "$RED" 250 200 "$BLUE" 350 280 "$BLUE" 120 240 "$RED" 600 150 "$GREEN" 690 150 "$BLACK"

  # The front window's top border (its 6-pixel grab zone) dragged by (+50, +30).
  drag_mouse 300 152 350 182
  wait_for_pixel 225 175 "$RED"
  screenshot "$SCRATCH/$road-moved.png"
  expect_pixels "$SCRATCH/$road-moved.png" \
    225 175 "$RED" 275 220 "$BLUE" 440 320 "$BLUE" 150 120 "$RED" 220 280 "$BLACK"

  # The resize window's right border (x 644 to 650) dragged 50 to the right.
  drag_mouse 648 150 698 150
  wait_for_pixel 690 150 "$GREEN"
  screenshot "$SCRATCH/$road-resized.png"
  expect_pixels "$SCRATCH/$road-resized.png" 690 150 "$GREEN" 600 150 "$GREEN" 720 150 "$BLACK"

  press_key_to_quit Escape
  wait_for_exit 0
  expect_line "GUI SetActiveObjectList:  Failed, manager not created"
  expect_line "ScriptExecution.lua: GUI built"
  expect_no_text "Lua Error"
  expect_no_text "Warning"
}

run_road allegro
run_road opengl -ogl
expect_line "Forcing OpenGL mode"
pass
