# A screen smaller than 1024 x 768 cannot be switched to that mode: the game
# says so, goes on in a 1024 x 768 window at (0, 0), and Escape still ends it
# with exit code 0.
. "$(dirname "$0")/lib.sh"
e2e_init "$1" 800x600x24

e2e_start
e2e_wait_title 20 >/dev/null
grep -qxF "Unable to switch to fullscreen!" "$E2E_TMP/stderr" \
  || e2e_fail "no message about the failed switch to full screen"
geometry="$(xdotool getwindowgeometry "$(e2e_window)")"
printf '%s\n' "$geometry" | grep -q 'Position: 0,0 ' || e2e_fail "window not at (0, 0): $geometry"
printf '%s\n' "$geometry" | grep -q 'Geometry: 1024x768$' || e2e_fail "window not 1024 x 768: $geometry"

e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after Escape in the window"
echo "PASS: full screen refused, played in a 1024 x 768 window, Escape exit code 0"
