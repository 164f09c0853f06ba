# A renderer too slow for 60 pictures a second (Mesa on one thread, 4x
# multisampling, a large window) still plays at the game's speed: when a
# picture comes more than two periods after the one before it, the game takes
# steps without pictures, so the recorded game holds more steps than the
# window showed pictures; and the simulator replays the recording.
# How many steps a second that makes depends on the machine and its load, so
# it is printed, not judged; FrameLimiterTest judges the schedule on a clock
# it moves itself.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" 1920x1080x24
export LP_NUM_THREADS=1 SKYREND_FRAME_STATS=1
DEMO="$E2E_TMP/demo.txt"
"$GAME" --window --multisampling 4 --record "$DEMO" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 60 >/dev/null
xdotool windowsize "$(e2e_window)" 1900 1060
sleep 1.5
e2e_press z 0.1
sleep 4
e2e_quit_play
e2e_wait_exit 60
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC"

# Steps: the recorded frames. Pictures: the first frame's, and one for each
# release the frame statistics counted (its intervals plus one).
steps="$(tail -n1 "$DEMO" | cut -d' ' -f1)"
stats="$(grep '^frame intervals: ' "$E2E_TMP/stderr")" || e2e_fail "no frame statistics on stderr"
intervals="$(printf '%s' "$stats" | sed -E 's/^frame intervals: ([0-9]+),.*/\1/')"
pictures=$((intervals + 2))
first_tick="$(sed -nE 's/^1 tick ([0-9]+)$/\1/p' "$DEMO")"
last_tick="$(sed -nE "s/^$steps tick ([0-9]+)\$/\\1/p" "$DEMO")"
echo "$steps steps and $pictures pictures in $((last_tick - first_tick)) ms of the game's clock"
echo "$stats"

# A picture more than two periods (33 ms) after the one before it is judged at
# least a period late, so a step without a picture comes between them, unless
# it is more than five periods (83 ms) late and the schedule starts again. The
# statistics name five actual intervals (median, 5 % and 95 %, min and max):
# when one of them lies between 35 and 80 ms, the game must have taken a step
# without its picture. When none does (a renderer fast enough after all, or a
# machine so busy that every picture stalls), there was no catching up to see.
caught_up=""
for ms in $(printf '%s' "$stats" | grep -oE '[0-9]+\.[0-9]+' | cut -d. -f1 | head -n5); do
  [ "$ms" -ge 35 ] && [ "$ms" -le 80 ] && caught_up="$ms"
done
if [ -n "$caught_up" ]; then
  [ "$steps" -gt "$pictures" ] ||
    e2e_fail "$steps steps for $pictures pictures after an interval of $caught_up ms: no step without its picture"
else
  echo "NOTE: no interval between 35 and 80 ms shows catching up; only the replay is judged"
fi

"$PROGRAM_DIR/skyrend-sim" --script "$DEMO" --frames "$steps" --trace /dev/null ||
  e2e_fail "the simulator refused the recorded game"
echo "PASS: the slow renderer showed $pictures pictures for $steps steps, and the recording replays"
