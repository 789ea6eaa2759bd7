# Helpers for the end-to-end tests. A test script runs under xvfb-run (DISPLAY is set) with
#   QM_PROGRAM       the built quillmere
#   QM_CLOSE_WINDOW  the tool that sends WM_DELETE_WINDOW to a window
#   QM_IMAGECONTAINER the image container writer (tools/imagecontainer)
#   QM_HOSTILECONTAINER the writer of containers that inflate hugely (tools/hostilecontainer)
#   QM_WRITE_AUDIO_FILES the writer of intact and damaged audio files
#   QM_WRITE_LEVEL   the writer of the chunked levels (write_level.cpp)
#   QM_E2E_DIR       this folder (fixtures under fixtures/)
#   QM_SAMPLE_DIR    the sample game in the build tree
# and looks like this:
#
#   source "$QM_E2E_DIR/harness.sh"
#   make_game_folder startup              # copies fixtures/startup into a fresh folder
#   touch "$GAME/ActiveChunks.pcf"
#   start_game -w 640 -h 480              # runs quillmere there, log in $GAME_LOG
#   wait_for_line "Begin primary game loop"
#   close_game_window                     # or: press_key_to_quit Escape (a tap)
#   wait_for_exit 0                       # the exit status
#   expect_log <<'LOG'                    # the whole log, normalised (see normalised_log), with
#   ...                                   # shared runs of lines by name (see expanded_log)
#   ...
#   LOG
#   pass
#
# Every helper fails the test (exit 1, with the log shown) when its check fails; a game still
# running when the script ends is killed and the folder removed, and so is the scratch folder.

set -uo pipefail

# The sanitizer build of the program checks memory errors here but not leaks: Mesa unloads its
# software driver before the leak check, which then cannot tell the driver's memory from ours.
# Set by the test itself, so that a test run by hand answers as it does in the test command.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

GAME=""
GAME_PID=""
GAME_LOG=""
GAME_STATUS=""
SCRATCH=""
WINDOW_ID=""
# How long one wait may take: far longer than a run takes on a loaded machine, so that only a hang
# fails a test.
TIMEOUT_SECONDS=${TIMEOUT_SECONDS:-60}

cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  GAME_PID=""
  if [ -n "$GAME" ]; then rm -rf "$GAME"; fi
  GAME=""
}
# QM_E2E_KEEP_SHOTS names a folder that gets the scratch folder's screenshots at the end, for a
# person to look at.
keep_shots() {
  [ -n "${QM_E2E_KEEP_SHOTS:-}" ] && [ -n "$SCRATCH" ] || return 0
  mkdir -p "$QM_E2E_KEEP_SHOTS" && cp "$SCRATCH"/*.png "$QM_E2E_KEEP_SHOTS"/ 2>/dev/null
}
trap 'cleanup; keep_shots; [ -z "$SCRATCH" ] || rm -rf "$SCRATCH"' EXIT

# A folder for the test's own files outside the game folder, kept across games, in $SCRATCH.
make_scratch_folder() {
  [ -n "$SCRATCH" ] || SCRATCH="$(mktemp -d "${TMPDIR:-/tmp}/quillmere-e2e-scratch.XXXXXX")"
}

# Runs the command every tenth of a second until it succeeds; fails (status 1) once
# TIMEOUT_SECONDS have passed.
poll_until() {
  local waited=0
  until "$@"; do
    sleep 0.1
    waited=$((waited + 1))
    [ "$waited" -lt $((TIMEOUT_SECONDS * 10)) ] || return 1
  done
}

fail() {
  echo "FAIL: $*" >&2
  if [ -n "$GAME_LOG" ] && [ -f "$GAME_LOG" ]; then
    echo "---- game log" >&2
    cat "$GAME_LOG" >&2
    echo "----" >&2
  fi
  exit 1
}

pass() {
  echo "PASS: $(basename "$0")"
  exit 0
}

# A fresh game folder holding the files of each fixture given (a fixtures/ name or a path), later
# ones over earlier ones. None gives an empty folder. The previous game and folder are gone.
make_game_folder() {
  cleanup
  GAME="$(mktemp -d "${TMPDIR:-/tmp}/quillmere-e2e.XXXXXX")"
  local fixture source
  for fixture in "$@"; do
    source="$fixture"
    [ -d "$source" ] || source="$QM_E2E_DIR/fixtures/$fixture"
    [ -d "$source" ] || fail "no fixture $fixture"
    cp -R "$source/." "$GAME/"
  done
  GAME_LOG="$GAME/stderr.log"
}

# Starts the program in the game folder with these arguments; its log goes to $GAME_LOG.
start_game() {
  [ -n "$GAME" ] || fail "start_game before make_game_folder"
  (cd "$GAME" && exec "$QM_PROGRAM" "$@" >"$GAME/stdout.log" 2>"$GAME_LOG") &
  GAME_PID=$!
}

game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }
game_ended() { ! game_running; }

# Whether the log holds this exact line; fails the test when the game has ended without it.
logged_while_running() {
  grep -qxF -- "$1" "$GAME_LOG" 2>/dev/null && return 0
  game_running || fail "the game ended before logging: $1"
  return 1
}

# Waits until the log holds this exact line (without its "\n").
wait_for_line() {
  poll_until logged_while_running "$1" || fail "timed out waiting for: $1"
}

# The shown window first: a window of the same title that is not (or no longer) mapped may still be
# listed for a moment, and a key sent to it fails.
window_found() {
  WINDOW_ID="$(xdotool search --onlyvisible --name '^Quillmere-Online$' 2>/dev/null | tail -n 1)"
  [ -n "$WINDOW_ID" ] ||
    WINDOW_ID="$(xdotool search --name '^Quillmere-Online$' 2>/dev/null | tail -n 1)"
  [ -n "$WINDOW_ID" ]
}

# Prints the id of the game's window, found by its title.
game_window() {
  poll_until window_found || fail "no window titled Quillmere-Online"
  echo "$WINDOW_ID"
}

# Checks the width x height of the game's window, e.g. expect_window_size 800x600.
expect_window_size() {
  local size
  size="$(xdotool getwindowgeometry "$(game_window)" | sed -n 's/^ *Geometry: *//p')"
  [ "$size" = "$1" ] || fail "window is $size, not $1"
}

# Asks the window to close, as the window manager's close button does.
close_game_window() {
  "$QM_CLOSE_WINDOW" "$(game_window)" || fail "could not send WM_DELETE_WINDOW"
}

# Taps the key (an X key name: Escape, q, space), down and straight up again as a quick finger
# does.
press_key() {
  local tries=5
  # A window found a moment before it went away is looked for again.
  until xdotool key --window "$(game_window)" "$1" 2>/dev/null; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || fail "xdotool could not tap $1"
    sleep 0.2
  done
}

# Taps the key and waits for the game to end.
press_key_to_quit() {
  press_key "$1"
  poll_until game_ended || fail "$1 did not end the game"
}

# Checks, all the while, that the game keeps running for this many seconds (for what must not end
# it; nothing the game shows says it has let a key pass).
expect_running_for() {
  local left=$(($1 * 10))
  while [ "$left" -gt 0 ]; do
    game_running || fail "the game ended"
    sleep 0.1
    left=$((left - 1))
  done
}

visible_window_found() {
  xdotool search --onlyvisible --name '^Quillmere-Online$' >/dev/null 2>&1
}

# Waits until the game's window is mapped on the screen.
wait_for_visible_window() {
  poll_until visible_window_found || fail "the window never showed"
}

# Waits for the program to end and checks its exit status.
wait_for_exit() {
  local expected="$1"
  poll_until game_ended || fail "the game did not end"
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=""
  [ "$GAME_STATUS" = "$expected" ] || fail "exit status $GAME_STATUS, expected $expected"
}

# The log with what changes from run to run replaced: the start-up time by "<seconds>" and the
# program's folder by "<bin>/".
normalised_log() {
  local bin
  bin="$(dirname "$QM_PROGRAM")/"
  sed -e 's/Took [0-9.]* seconds/Took <seconds> seconds/' -e "s|Set Local Path to $bin\$|Set Local Path to <bin>/|" "$GAME_LOG"
}

# Standard input with each line that names a shared run of log lines replaced by those lines:
#   <launch>           the program started with no arguments, up to "== Begin Init =="
#   <no maps folder>   the first map, TolvaCube, looked for where there is no Maps folder
#   <loop and cleanup> "Load map", the end of start-up, the loop and a clean shutdown
#   <no pane, font or shadows> the data library's lines for the dialogue window's pane and font and
#                      the player's four shadows in a game without Images and Fonts sections
# Every other line stays as it is.
expanded_log() {
  local line
  while IFS= read -r line; do
    case "$line" in
      "<launch>")
        printf '%s\n' "Received the following command line arguments:" "Set Local Path to <bin>/" \
          "== Begin Init =="
        ;;
      "<no maps folder>")
        printf '%s\n' "PathManager failed to find Maps" "MapManager:  Reading file from TolvaCube.slf - Failed" \
          "Isometric file pathname failed, check Lineart file instead..." "PathManager failed to find Maps" \
          "Failed to find file!"
        ;;
      "<loop and cleanup>")
        printf '%s\n' "Load map" "Initialization Sequence completed!  Took <seconds> seconds." \
          "Begin primary game loop" "== Begin Cleanup ==" "1234" "== Cleanup Completed =="
        ;;
      "<no pane, font or shadows>")
        printf '%s\n' "DataLibrary - GetSection(N):  Failed, Images not found" \
          "DataLibrary - GetSection(N):  Failed, Fonts not found" \
          "DataLibrary - GetSection(N):  Failed, Images not found" \
          "DataLibrary - GetSection(N):  Failed, Images not found" \
          "DataLibrary - GetSection(N):  Failed, Images not found" \
          "DataLibrary - GetSection(N):  Failed, Images not found"
        ;;
      *) printf '%s\n' "$line" ;;
    esac
  done
}

# Compares the whole normalised log with standard input, its shared runs expanded (expanded_log).
expect_log() {
  local expected
  expected="$(expanded_log)"
  if [ "$(normalised_log)" != "$expected" ]; then
    echo "---- expected log" >&2
    echo "$expected" >&2
    echo "---- diff (expected, got)" >&2
    diff <(echo "$expected") <(normalised_log) >&2
    fail "the log differs"
  fi
}

# Points ALSA's default device at its file plugin writing into /dev/null, so OpenAL (through which
# Allegro plays) finds a sound device that plays.
use_null_sound_device() {
  make_scratch_folder
  cat >"$SCRATCH/alsa.conf" <<'CONF'
pcm.!default {
  type file
  slave.pcm "null"
  file "/dev/null"
  format "raw"
}
CONF
  export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$SCRATCH/alsa.conf"
  export ALSOFT_DRIVERS=alsa
}

# No sound device at all.
use_no_sound_device() { unset ALSA_CONFIG_PATH ALSOFT_DRIVERS; }

expect_line() { grep -qxF -- "$1" "$GAME_LOG" || fail "missing line: $1"; }
expect_no_line() { ! grep -qxF -- "$1" "$GAME_LOG" || fail "unexpected line: $1"; }
expect_no_text() { ! grep -qF -- "$1" "$GAME_LOG" || fail "unexpected text: $1"; }
# The log less the data library's lines for the start-up look-ups a game may leave out: the
# dialogue window's pane and font and the player's shadows.
log_past_startup_lookups() {
  grep -vE '^DataLibrary - Get(Section\(N\)|Catalogue\(B\)|Heading\(B\)):  Failed, (Images|Fonts|GUI|Misc|Chat|Dialogue|Shadows) not found$' "$GAME_LOG"
}
# As expect_no_text, past those look-ups' lines.
expect_no_text_past_lookups() {
  ! log_past_startup_lookups | grep -qF -- "$1" || fail "unexpected text: $1"
}

# Saves the game's window as a PNG at the path.
screenshot() { import -window "$(game_window)" "$1" 2>/dev/null; }

# The colour of pixel (x, y) of a PNG as "r,g,b" (0 to 255 each).
pixel_of() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info: 2>/dev/null
}

# Whether pixel (x, y) of the game's window shows (or, with "not", does not show) the colour now;
# the screenshot stays in $SCRATCH/poll.png.
window_pixel_is() {
  make_scratch_folder
  screenshot "$SCRATCH/poll.png" || return 1
  local seen
  seen="$(pixel_of "$SCRATCH/poll.png" "$1" "$2")"
  if [ "${4:-}" = "not" ]; then [ -n "$seen" ] && [ "$seen" != "$3" ]; else [ "$seen" = "$3" ]; fi
}

# Waits until the window's pixel (x, y) shows the colour "r,g,b": a frame holding it was drawn.
wait_for_pixel() {
  poll_until window_pixel_is "$1" "$2" "$3" ||
    fail "pixel ($1, $2) never became $3 (last: $(pixel_of "$SCRATCH/poll.png" "$1" "$2"))"
}

# Waits until a frame was drawn: pixel (x, y) of the window is no longer black.
wait_for_drawn_frame() {
  poll_until window_pixel_is "$1" "$2" "0,0,0" not || fail "no frame drawn: pixel ($1, $2) stays black"
}

# Checks pixels of one screenshot: expect_pixels shot.png x y r,g,b [x y r,g,b ...].
expect_pixels() {
  local shot="$1" seen
  shift
  while [ "$#" -ge 3 ]; do
    seen="$(pixel_of "$shot" "$1" "$2")"
    [ "$seen" = "$3" ] || fail "pixel ($1, $2) of $(basename "$shot") is $seen, not $3"
    shift 3
  done
}

# A press and a release of the left button at (x, y) of the game's window.
click_at() {
  local window
  window="$(game_window)"
  xdotool mousemove --window "$window" "$1" "$2" || fail "xdotool could not move the mouse"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
}

# The x of the leftmost pixel of row y of a PNG that shows the colour "r,g,b"; nothing when none
# does.
first_x_of() {
  convert "$1" -crop "$(identify -format %w "$1")x1+0+$2" +repage txt:- 2>/dev/null |
    sed -n "s/^\([0-9]*\),0: .* srgb($3)\$/\1/p" | head -n 1
}

# Drags with the left button from (x1, y1) to (x2, y2) of the game's window in a few steps, so
# that game ticks see the mouse on its way.
drag_mouse() {
  local window step
  window="$(game_window)"
  xdotool mousemove --window "$window" "$1" "$2" || fail "xdotool could not move the mouse"
  sleep 0.3
  xdotool mousedown 1
  sleep 0.3
  for step in 1 2 3 4; do
    xdotool mousemove --window "$window" $(($1 + ($3 - $1) * step / 4)) $(($2 + ($4 - $2) * step / 4))
    sleep 0.2
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
}

# The sample game's hero, watched from the log: add_position_probe (after make_game_folder) adds
# a trigger to the game's copy that runs every tick and logs "Hero settled at X Y Z in ROOM" once
# the centre of the hero's box (XCenter, YCenter, ZCenter) has stayed the same for 15 ticks, and
# "Hero moves" the first tick it changes after that. The room is the sample's "Room" variable.
add_position_probe() {
  cat >"$GAME/Data/Scripts/Rooms/Probe.lua" <<'LUA'
local x, y, z = PM_GetValue("Player", "", "XCenter"), PM_GetValue("Player", "", "YCenter"),
                PM_GetValue("Player", "", "ZCenter")
local here = x .. " " .. y .. " " .. z .. " in " .. tostring(Global_GetScriptVariableA("Room"))
if here ~= ProbeAt then
  if ProbeStill and ProbeStill >= 15 then io.stderr:write("Hero moves\n") end
  ProbeAt, ProbeStill = here, 0
  return
end
ProbeStill = ProbeStill + 1
if ProbeStill == 15 then io.stderr:write("Hero settled at ", here, "\n") end
LUA
  cat >>"$GAME/Data/Scripts/System/ScriptExecution.lua" <<'LUA'
AddPropertyTrigger("Probe")
TriggerWatchProperty("Player", "", "Health")
TriggerAddEquivalency("always", 0, 0)
SetTriggerProperties(Path_GetPath("Rooms") .. "Probe.lua", 0, 0, 0, 0)
LUA
}

# The last hero line of the log is a settled one.
hero_settled() { [ "$(grep -E '^Hero (settled at|moves)' "$GAME_LOG" | tail -n 1 | cut -c1-12)" = "Hero settled" ]; }

# Releases every key the sample's hero acts on, then waits until its position has stopped changing
# (a settled line is the last hero line) and sets HERO_X, HERO_Y, HERO_Z and HERO_ROOM from it.
settle() {
  local window key
  window="$(game_window)"
  for key in Up Down Left Right space z shift; do xdotool keyup --window "$window" "$key"; done
  poll_until hero_settled || fail "the hero never stood still"
  read -r HERO_X HERO_Y HERO_Z HERO_ROOM < <(grep '^Hero settled at ' "$GAME_LOG" | tail -n 1 |
    sed 's/^Hero settled at \(-\?[0-9]*\) \(-\?[0-9]*\) \(-\?[0-9]*\) in \(.*\)$/\1 \2 \3 \4/')
}

# Holds the keys (X key names) until the line shows once more, releases them and settles.
walk_until() {
  local window line="$1" key before
  shift
  before="$(grep -cxF -- "$line" "$GAME_LOG")"
  window="$(game_window)"
  for key in "$@"; do xdotool keydown --window "$window" "$key"; done
  poll_until bash -c "[ \"\$(grep -cxF -- '$line' '$GAME_LOG')\" -gt $before ]" ||
    fail "walking never reached: $line"
  for key in "$@"; do xdotool keyup --window "$window" "$key"; done
  settle
}

# Steps the hero, a short hold of the key at a time and settling after each, until the named
# coordinate (HERO_X, HERO_Y or HERO_Z) is within 3 of the goal: step_to X 250 Right Left (the key
# that makes it grow, then the one that makes it shrink).
step_to() {
  local axis="HERO_$1" goal="$2" more="$3" less="$4" steps=0 window now
  window="$(game_window)"
  settle
  while :; do
    now="${!axis}"
    [ $((now - goal)) -le 3 ] && [ $((goal - now)) -le 3 ] && return 0
    steps=$((steps + 1))
    [ "$steps" -le 200 ] || fail "the hero never reached $1 $goal (at $now)"
    local key="$more" distance=$((goal - now))
    [ "$distance" -gt 0 ] || { key="$less"; distance=$((-distance)); }
    # Long holds while far, taps when near; either way the settled position decides. A tap is one
    # xdotool call, so that a busy machine cannot stretch it into a walk.
    if [ "$distance" -gt 40 ]; then
      xdotool keydown --window "$window" "$key"
      sleep 0.25
      xdotool keyup --window "$window" "$key"
    else
      xdotool keydown --window "$window" "$key" sleep 0.02 keyup --window "$window" "$key"
    fi
    settle
  done
}

# The sample hero's boots (the bottom rows of every look of it).
BOOTS="170,40,20"
# Checks that the hero's drawn feet, the bottom row of its boots in the screenshot, lie within
# 4 pixels of the screen point (x, y).
expect_feet_at() {
  local shot="$1" x="$2" y="$3" found
  found="$(convert "$shot" txt:- 2>/dev/null | sed -n "s/^\([0-9]*\),\([0-9]*\): .* srgb($BOOTS)\$/\1 \2/p" |
    awk 'BEGIN{b=-1} {if ($2>b) {b=$2; s=0; n=0} if ($2==b) {s+=$1; n++}} END{if (n) printf "%d %d", s/n, b}')"
  [ -n "$found" ] || fail "no hero in $(basename "$shot")"
  local fx="${found% *}" fy="${found#* }"
  [ $((fx - x)) -le 4 ] && [ $((x - fx)) -le 4 ] && [ $((fy - y)) -le 4 ] && [ $((y - fy)) -le 4 ] ||
    fail "the hero's feet in $(basename "$shot") are at ($fx, $fy), its position at ($x, $y)"
}
