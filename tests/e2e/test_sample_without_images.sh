# The sample game with its image container deleted: the container's own line comes among the first,
# the game plays on, and no line comes back more often than once per second of play (a failure
# that would repeat every frame is logged once until it stops failing).
source "$QM_E2E_DIR/harness.sh"

[ -f "$QM_SAMPLE_DIR/Configuration.lua" ] || fail "no sample game in $QM_SAMPLE_DIR"
make_game_folder "$QM_SAMPLE_DIR"
rm "$GAME/Data/SampleImages.sif" || fail "the sample has no Data/SampleImages.sif"
start_game
wait_for_line "Begin primary game loop"
began=$(date +%s)
wait_for_drawn_frame 10 10
# Some play: the player walks east for a while, then back.
window="$(game_window)"
xdotool keydown --window "$window" Right
sleep 2
xdotool keyup --window "$window" Right
xdotool keydown --window "$window" Left
sleep 2
xdotool keyup --window "$window" Left
sleep 1
game_running || fail "the game ended during play"
press_key_to_quit Escape
wait_for_exit 0
seconds=$(($(date +%s) - began + 1))

head -n 12 "$GAME_LOG" |
  grep -qxF "ExternalImageManager::GetBitmapFromActiveFile - Warning, no file is open" ||
  fail "the missing container's line is not among the first"
expect_no_text "Lua Error"
# Every line logged during play, with its count, against the seconds played.
played="$(sed -n '/^Begin primary game loop$/,$p' "$GAME_LOG" | sort | uniq -c | sort -rn)"
most="$(echo "$played" | head -n 1 | awk '{print $1}')"
[ "$most" -le "$seconds" ] ||
  fail "a line came $most times in $seconds s of play: $(echo "$played" | head -n 1)"
pass
