# Failures end the program with exit code 1 and their message on stderr:
# model files missing from the program's folder, and no display at all.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"

# The executable alone in a folder: the first model file cannot be read.
mkdir -p "$E2E_TMP/bare"
cp "$GAME" "$E2E_TMP/bare/skyrend"
e2e_start "$E2E_TMP/bare/skyrend"
e2e_wait_exit 30
[ "$GAME_RC" -eq 1 ] || e2e_fail "exit code $GAME_RC with the model files missing"
grep -qxF "$(printf 'Problem reading file GameText.txt\r')" "$E2E_TMP/stderr" \
  || e2e_fail "no load-failure message on stderr"
grep -q '^Exception : .' "$E2E_TMP/stderr" || e2e_fail "load-failure message without its reason"
grep -qF "Ensure all files in same folder, press Ok to terminate" "$E2E_TMP/stderr" \
  || e2e_fail "load-failure message incomplete"

# No display: SDL cannot start, the shell says so and ends; no dialog waits.
: >"$E2E_TMP/stderr"
DISPLAY= WAYLAND_DISPLAY= SKYREND_NO_DIALOGS= SDL_VIDEODRIVER= e2e_start
e2e_wait_exit 30
[ "$GAME_RC" -eq 1 ] || e2e_fail "exit code $GAME_RC without a display"
# The failure's first line gives the reason, the shell's own message follows.
grep -A1 '^No display: ' "$E2E_TMP/stderr" | tail -n 1 | grep -qxF "Failed to register the window class!" \
  || e2e_fail "no start-up failure message saying there is no display"
echo "PASS: missing files and no display both end with exit code 1 and their message"
