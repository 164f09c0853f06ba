# Playing the real game with keys and the mouse from xdotool: Z leaves the
# title screen and fires (the shot is heard in the disk audio), the arrows turn
# and speed up, the held H key turns through the input poll, the mouse turns,
# and Escape ends the game with exit code 0. Set E2E_KEEP=1 to keep the
# screenshots in the printed folder.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
echo "work folder: $E2E_TMP"

e2e_start
e2e_wait_title 20 >/dev/null
sleep 1

# The title screen: dark above the title text, and silent.
e2e_shot title
title_band="$(e2e_band_mean title)"
[ "$title_band" -lt 100 ] || e2e_fail "title screen not shown (top band $title_band)"
title_peak="$(e2e_audio_peak 0)"
[ "$title_peak" -lt 100 ] || e2e_fail "the title screen is not silent (peak $title_peak)"
before_shot="$(e2e_audio_bytes)"

# Z: play starts at once and a shot is fired with its sound.
e2e_press z 0.1
sleep 0.6
e2e_shot play
play_band="$(e2e_band_mean play)"
[ "$play_band" -gt 200 ] || e2e_fail "Z did not start play (top band $play_band)"
shot_peak="$(e2e_audio_peak "$before_shot")"
[ "$shot_peak" -gt 1000 ] || e2e_fail "no sound after the shot (peak $shot_peak)"
echo "title band $title_band, play band $play_band; audio peak $title_peak before the shot, $shot_peak after"

# An action changes the view far more than the same time of standing still
# (where only aliens, shots and explosions move). An explosion right in front
# of the camera can spoil a measurement, and three hits end a game (input is
# ignored during the game over): such an attempt is tried again after the
# game over has had time to end, from a new game if need be.
check_action() {  # name, least pixels changed, then the command that acts
  local name="$1" least="$2" attempt idle moved
  shift 2
  for attempt in 1 2 3 4; do
    if [ "$attempt" -gt 1 ]; then
      sleep 2.5
      # An obstacle or the arena's edge may hold the craft: turn away first.
      [ -n "${RETRY_TURN:-}" ] && e2e_press Left 0.7
    fi
    e2e_shot "$name-$attempt-a"
    if [ "$(e2e_band_mean "$name-$attempt-a")" -lt 100 ]; then
      e2e_press z 0.1
      sleep 0.5
      e2e_shot "$name-$attempt-a"
    fi
    sleep 0.3
    e2e_shot "$name-$attempt-b"
    "$@"
    e2e_shot "$name-$attempt-c"
    idle="$(e2e_diff "$name-$attempt-a" "$name-$attempt-b")"
    moved="$(e2e_diff "$name-$attempt-b" "$name-$attempt-c")"
    echo "$name: $moved pixels changed (standing still: $idle)"
    if [ "$moved" -gt "$least" ] && [ "$moved" -gt $(( 3 * idle )) ]; then return 0; fi
  done
  e2e_fail "$name did not change the view"
}

turn_mouse() {
  local i
  for i in $(seq 1 10); do xdotool mousemove_relative -- 15 0; sleep 0.03; done
}

speed_up() {
  e2e_press Up 0.8
  sleep 0.3  # still moving at the new speed
}

# Turning sweeps the whole view; moving on over the floor changes less of it.
check_action "left-arrow" 20000 e2e_press Left 0.4
check_action "poll-h" 20000 e2e_press h 0.4
check_action "mouse" 20000 turn_mouse
RETRY_TURN=1 check_action "up-arrow" 5000 speed_up

e2e_quit_play
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after Escape"
echo "PASS: played with keys and mouse, heard the shot, quit with exit code 0"
