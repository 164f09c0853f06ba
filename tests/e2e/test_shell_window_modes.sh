# On a desktop with a window manager: --window opens a 1024 x 768 window;
# F11 makes it full screen and Alt+Enter a window again, at the size the
# player gave it; a resized window is filled by the view (the backdrop
# reaches every edge). The last mode and the size are kept in the settings.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
e2e_start_wm

"$GAME" --window >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
geometry="$(e2e_geometry)"
printf '%s' "$geometry" | grep -q ' 1024x768$' || e2e_fail "--window: $geometry, not 1024x768"
e2e_press z 0.1  # play: the backdrop covers the whole view

# The colour of the picture's corner pixels, as "r,g,b" each 0..255.
corner() {
  convert "$E2E_TMP/$1.png" -crop "1x1+$2+$3" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}
# True when the view fills the picture: the sky at the top corners, the
# floor at the bottom ones, none of them black.
corners_drawn() {
  local w h xy
  w="$(identify -format '%w' "$E2E_TMP/$1.png")"
  h="$(identify -format '%h' "$E2E_TMP/$1.png")"
  for xy in "1 1" "$((w - 2)) 1" "1 $((h - 2))" "$((w - 2)) $((h - 2))"; do
    [ "$(corner "$1" $xy)" != "0,0,0" ] || return 1
  done
}
# Fails unless the view fills the window. A second look a moment later: the
# first frames in buffers the window system has just made may lack their
# backdrop (it is depth-tested against what the last frame left).
filled() {
  corners_drawn "$1" && return 0
  sleep 0.5
  e2e_shot "$1"
  corners_drawn "$1" || e2e_fail "$1: black in a corner, the view does not fill the window"
}

sleep 1
xdotool windowsize "$(e2e_window)" 1200 600
sleep 1.5
e2e_shot resized
filled resized

e2e_press F11 0.1
sleep 1.5
geometry="$(e2e_geometry)"
[ "$geometry" = "0,0 1280x1024" ] || e2e_fail "F11: $geometry, not full screen"
e2e_shot full
filled full

xdotool keydown alt keydown Return
sleep 0.1
xdotool keyup Return keyup alt
sleep 1.5
geometry="$(e2e_geometry)"
printf '%s' "$geometry" | grep -q ' 1200x600$' || e2e_fail "Alt+Enter: $geometry, not the 1200x600 window it was"
sleep 1
case "$(e2e_title)" in *PAUSED*) e2e_fail "switching the window mode paused the game" ;; esac

e2e_quit_play
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC"
grep -v '^CRITICAL' "$E2E_TMP/stderr" | grep -q . && e2e_fail "unexpected messages"
settings="$XDG_CONFIG_HOME/skyrend/settings.ini"
grep -q '^window_size = 1200x600$' "$settings" && grep -q '^fullscreen = no$' "$settings" ||
  e2e_fail "the window's size and mode were not kept: $(cat "$settings" 2>/dev/null)"
echo "PASS: window, full screen and back, resized view fills the window"
