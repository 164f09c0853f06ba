# A renderer too slow for 60 pictures a second (Mesa on one thread, 4x
# multisampling, a large window) still plays at the game's speed: a recorded
# game holds about 60 steps a second of its clock while the window shows far
# fewer pictures, and the simulator replays the recording.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" 1920x1080x24
export LP_NUM_THREADS=1
DEMO="$E2E_TMP/demo.txt"
"$GAME" --window --multisampling 4 --record "$DEMO" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 30 >/dev/null
xdotool windowsize "$(e2e_window)" 1400 900
sleep 1.5
e2e_press z 0.1
sleep 3
fps="$(e2e_fps_of "$(e2e_title)")"
sleep 1
e2e_press Escape
e2e_wait_exit 20
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC"

z_frame="$(sed -nE 's/^([0-9]+) down 90$/\1/p' "$DEMO" | head -n1)"
[ -n "$z_frame" ] || e2e_fail "the demo holds no press of Z"
tick_of() { sed -nE "s/^$1 tick ([0-9]+)$/\1/p" "$DEMO"; }
last_frame="$(tail -n1 "$DEMO" | cut -d' ' -f1)"
z_tick="$(tick_of "$z_frame")"
last_tick="$(tick_of "$last_frame")"
steps_per_second=$(( (last_frame - z_frame) * 1000 / (last_tick - z_tick) ))
echo "play: $((last_frame - z_frame)) steps in $((last_tick - z_tick)) ms, $steps_per_second a second; $fps pictures a second"
[ "$fps" -lt 50 ] || e2e_fail "the renderer drew $fps pictures a second: too fast to show steps without pictures"
[ "$steps_per_second" -ge 52 ] && [ "$steps_per_second" -le 62 ] ||
  e2e_fail "$steps_per_second steps a second: the game did not keep its speed"

"$PROGRAM_DIR/skyrend-sim" --script "$DEMO" --frames "$last_frame" --trace /dev/null ||
  e2e_fail "the simulator refused the recorded game"
echo "PASS: a slow renderer drew $fps pictures a second while the game took $steps_per_second steps"
