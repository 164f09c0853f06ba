# A demo recorded from the real game under Xvfb replays in the simulator to
# the same game (Z starts play and fires at the recorded frame) and plays back
# in the window by itself, ending with exit code 0.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
SIM="$PROGRAM_DIR/skyrend-sim"
[ -x "$SIM" ] || e2e_fail "no simulator at $SIM"
DEMO="$E2E_TMP/demo.txt"

"$GAME" --record "$DEMO" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
sleep 0.5
e2e_press z 0.2
sleep 0.3
e2e_press Left 0.4
e2e_quit_play
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "recording ended with exit code $GAME_RC"

size="$(head -n1 "$DEMO" | sed -nE 's/^# Skyrend demo at ([0-9]+x[0-9]+)[,:].*/\1/p')"
[ -n "$size" ] || e2e_fail "the demo does not name its window size: $(head -n1 "$DEMO")"
z_frame="$(sed -nE 's/^([0-9]+) down 90$/\1/p' "$DEMO" | head -n1)"
[ -n "$z_frame" ] || e2e_fail "the demo holds no press of Z"
last_frame="$(tail -n1 "$DEMO" | cut -d' ' -f1)"
echo "demo of $last_frame frames at $size, Z at frame $z_frame"

"$SIM" --script "$DEMO" --size "$size" --frames "$last_frame" --trace "$E2E_TMP/trace.jsonl" ||
  e2e_fail "the simulator refused the recorded demo"
line="$(sed -n "${z_frame}p" "$E2E_TMP/trace.jsonl")"
printf '%s' "$line" | grep -q "^{\"frame\":$z_frame,\"title\":0," || e2e_fail "play did not start at frame $z_frame"
printf '%s' "$line" | grep -q '\["restart",0\]' || e2e_fail "no shot sound at frame $z_frame"
before="$(sed -n "$((z_frame - 1))p" "$E2E_TMP/trace.jsonl")"
printf '%s' "$before" | grep -q '"title":1,' || e2e_fail "play started before frame $z_frame"

"$GAME" --play "$DEMO" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_exit $(( last_frame / 30 + 30 ))
[ "$GAME_RC" -eq 0 ] || e2e_fail "playback ended with exit code $GAME_RC"
echo "PASS: recorded, replayed in the simulator and played back"
