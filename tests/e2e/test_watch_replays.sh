# A kept game watched from the title: Down chooses the table's row, Return
# plays its demo with "REPLAY", its score and date at the top left, Right
# plays it four times as fast, Escape goes back to the title (the game goes
# on), and the table is left as it was. Then, with the pointer free on the
# title, a click chooses the second row and a second click on it watches it.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
REPLAYS="$XDG_DATA_HOME/skyrend/replays"
SCORES="$XDG_DATA_HOME/skyrend/scores.txt"
mkdir -p "$REPLAYS" "$XDG_CONFIG_HOME/skyrend"
printf 'fullscreen = no\nwindow_size = 800x600\n' >"$XDG_CONFIG_HOME/skyrend/settings.ini"
# Z at frame 60, fire held until the aliens end the game (100 points).
{ e2e_demo_header 800x600; printf '# the game begins at frame 60\n60 down 90\n62 up 90\n64 down 32\n400 up 32\n'; } \
  >"$REPLAYS/2026-12-01_10-00-00.txt"
cp "$REPLAYS/2026-12-01_10-00-00.txt" "$REPLAYS/2026-12-02_10-00-00.txt"
printf '100 1 2026-12-01 2026-12-01_10-00-00.txt\n90 1 2026-12-02 2026-12-02_10-00-00.txt\n' >"$SCORES"
cp "$SCORES" "$E2E_TMP/scores.before"

# The yellow of the marker in the band under the overlay's digits, per mille.
marker() {
  convert "$E2E_TMP/$1.png" -crop 40%x12%+0+6% +repage -fuzz 20% -fill black +opaque '#ffd933' \
    -fill white -opaque '#ffd933' -format '%[fx:int(1000*mean)]' info:
}

e2e_start
e2e_wait_title 20 >/dev/null
sleep 1
e2e_press Down
sleep 0.5
e2e_shot chosen
[ "$(e2e_band_mean chosen)" -lt 100 ] || e2e_fail "the title is not showing"
e2e_press Return
sleep 1.5
e2e_shot watching
[ "$(e2e_band_mean watching)" -gt 300 ] || e2e_fail "Return did not play the chosen game (blue $(e2e_band_mean watching))"
[ "$(marker watching)" -gt 5 ] || e2e_fail "no REPLAY marker while watching"
e2e_press Right
sleep 0.3
e2e_shot fast
e2e_press Escape
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "Escape while watching quit the game"
e2e_shot back
[ "$(e2e_band_mean back)" -lt 100 ] || e2e_fail "Escape did not go back to the title"
# The second row's middle in an 800x600 window, 120 pixels from the top.
win=$(e2e_window)
xdotool mousemove --window "$win" 400 120 click 1
sleep 1
e2e_shot clicked
[ "$(e2e_band_mean clicked)" -lt 100 ] || e2e_fail "a first click on a row watched it"
xdotool mousemove --window "$win" 400 120 click 1
sleep 1.5
e2e_shot clicked_twice
[ "$(e2e_band_mean clicked_twice)" -gt 300 ] || e2e_fail "a second click on the chosen row did not watch it"
e2e_press Escape
sleep 1
e2e_press Escape
e2e_wait_exit 15
cmp -s "$SCORES" "$E2E_TMP/scores.before" || e2e_fail "watching changed the table: $(cat "$SCORES")"
echo "PASS: a kept game chosen, watched at x1 and x4, and left for the title; a row clicked twice watched; the table unchanged"
