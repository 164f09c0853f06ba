# Closing the window as a window manager does (WM_DELETE_WINDOW) ends the game
# with exit code 0.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"

g++ -O0 -o "$E2E_TMP/wm_close" "$(dirname "$0")/wm_close.cpp" -lX11 || e2e_fail "cannot build wm_close"

e2e_start
e2e_wait_title 20 >/dev/null
window="$(e2e_window)"
[ -n "$window" ] || e2e_fail "window not found"
"$E2E_TMP/wm_close" "$window" || e2e_fail "close request not sent"
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after the close request"
echo "PASS: window close exit code 0"
