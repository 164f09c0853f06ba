# Full screen is the desktop's own size, with or without a window manager:
# the window covers the screen, the cross-hair stands at its centre and the
# score in the top left of the centred 4:3 overlay, on 1920 x 1080 (bare and
# with openbox) and on a small 800 x 600 screen. A window resized while the
# game is paused shows its picture drawn again at the new size, not stretched.
. "$(dirname "$0")/lib.sh"

# Pixels of a screenshot's region (x y w h) matching an fx test, e.g. "r<0.2&&g<0.2&&b<0.2".
count_pixels() {
  convert "$E2E_TMP/$1.png" -crop "${4}x${5}+${2}+${3}" +repage \
    -fx "($6)?1:0" -format '%[fx:int(mean*w*h+0.5)]' info:
}
# The leftmost column of a region holding a yellow digit pixel, or -1.
leftmost_yellow() {
  convert "$E2E_TMP/$1.png" -crop "${4}x${5}+${2}+${3}" +repage -fx '(r>0.7&&g>0.7&&b<0.4)?1:0' \
    -scale "${4}x1!" -format '%[fx:0]' txt:- | awk -F'[,:]' 'NR > 1 && $0 !~ /#000000/ { print $1; exit }' \
    | { read -r x && echo "$((x + $2))" || echo -1; }
}

check_screen() {  # WxH, wm or bare
  local size="$1" w="${1%x*}" h="${1#*x}"
  e2e_init "$PROGRAM" "${size}x24"
  [ "$2" = wm ] && e2e_start_wm
  e2e_start
  e2e_wait_title 20 >/dev/null
  e2e_press z 0.1
  sleep 1
  [ "$(e2e_geometry)" = "0,0 $size" ] || e2e_fail "$size $2: the window is $(e2e_geometry), not the screen"
  import -window root "$E2E_TMP/screen.png" 2>/dev/null || e2e_fail "no screenshot"
  local dark yellow ow=$((h * 4 / 3))
  local left=$(((w - ow) / 2))
  dark="$(count_pixels screen $((w / 2 - 20)) $((h / 2 - 20)) 41 41 'r<0.25&&g<0.25&&b<0.25')"
  yellow="$(count_pixels screen "$left" 0 $((ow / 2)) $((h / 12)) 'r>0.7&&g>0.7&&b<0.4')"
  echo "$size $2: $dark dark pixels at the centre, $yellow yellow in the score's place"
  [ "$dark" -ge 20 ] || e2e_fail "$size $2: no cross-hair at the centre of the screen"
  [ "$yellow" -ge 50 ] || e2e_fail "$size $2: no score in the top left of the overlay"
  e2e_quit_play
  e2e_wait_exit 15
  [ "$GAME_RC" -eq 0 ] || e2e_fail "$size $2: exit code $GAME_RC"
  grep -v '^CRITICAL' "$E2E_TMP/stderr" | grep -q . && e2e_fail "$size $2: unexpected messages"
  e2e_cleanup
  trap - EXIT
}

PROGRAM="$1"
check_screen 1920x1080 bare
check_screen 1920x1080 wm
check_screen 800x600 bare

# Paused and resized: the score moves with the overlay's new 4:3 place.
e2e_init "$PROGRAM"
e2e_start_wm
"$GAME" --window >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
e2e_press z 0.1
sleep 0.5
e2e_press p 0.1
sleep 0.5
xdotool windowsize "$(e2e_window)" 1200 600
sleep 1.5
e2e_shot paused
x="$(leftmost_yellow paused 0 0 600 60)"
echo "paused at 1200 x 600: the score begins at x $x"
# Drawn again: the 800-wide overlay starts at x 200. Stretched, the score would begin near x 30.
[ "$x" -ge 180 ] || e2e_fail "the paused picture was stretched, not drawn again (score at x $x)"
case "$(e2e_title)" in *PAUSED*) ;; *) e2e_fail "the game is not paused: $(e2e_title)" ;; esac
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC"
echo "PASS: full screen at the screen's own size with and without a window manager; a paused window drawn again"
