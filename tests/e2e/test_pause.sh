# Pause while recording a demo: P stops the game behind a "PAUSED" sign (the
# picture stands, the sound is silent, the caption says so, and presses do
# not reach the game); clicks on the options change them, and one on the
# play-on button plays on; losing the focus and minimising pause too, and
# only P (or that button) plays on. The demo
# has no gap in its clock and replays in the simulator to the very picture
# the window showed last.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
e2e_start_wm
SIM="$PROGRAM_DIR/skyrend-sim"
DEMO="$E2E_TMP/demo.txt"

"$GAME" --window --record "$DEMO" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
win="$(e2e_window)"

paused_title() {
  local i
  for i in $(seq 1 50); do
    [ "$(e2e_title)" = "Skyrend [PAUSED]" ] && return 0
    sleep 0.1
  done
  e2e_fail "$1: the caption is '$(e2e_title)', not paused"
}

# The loudest sample the disk audio driver wrote between two byte offsets.
audio_peak_between() {
  head -c "$2" "$SDL_DISKAUDIOFILE" | tail -c +"$(( $1 + 1 ))" | od -An -td2 -v -w2 |
    awk 'BEGIN { m = 0 } { v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m }'
}

e2e_press z 0.1  # play starts and the shot sound (over a second long) begins
sleep 0.1
e2e_press p 0.1
paused_title "P"
sleep 0.5
e2e_shot paused1
audio_from="$(e2e_audio_bytes)"
# Nothing reaches the game while it is paused (the arrows choose options there).
e2e_press z 0.2
e2e_press space 0.5
xdotool mousemove_relative 60 0 click 1
sleep 1.5
e2e_shot paused2
audio_to="$(e2e_audio_bytes)"
[ "$(e2e_title)" = "Skyrend [PAUSED]" ] || e2e_fail "the caption changed while paused"
changed="$(e2e_diff paused1 paused2)"
[ "$changed" -eq 0 ] || e2e_fail "the paused picture changed in $changed pixels"
[ "$audio_to" -gt "$audio_from" ] || e2e_fail "no audio written while paused (the driver stopped?)"
peak="$(audio_peak_between "$audio_from" "$audio_to")"
[ "$peak" -eq 0 ] || e2e_fail "sound while paused (peak $peak)"
yellow="$(convert "$E2E_TMP/paused1.png" -fx '(r > 0.8) * (g > 0.7) * (b < 0.4)' -format '%[fx:int(mean*w*h)]' info:)"
[ "$yellow" -gt 5000 ] || e2e_fail "no pause screen over the picture ($yellow yellow pixels)"
# The arrows walk the options: the chosen line moves.
e2e_press Down 0.1
sleep 0.5
e2e_shot paused3
changed="$(e2e_diff paused2 paused3)"
[ "$changed" -gt 500 ] || e2e_fail "Down while paused did not choose another option ($changed pixels changed)"
# A click on the left half of the Volume row's value (its "<"; about (336, 250)
# in the 1024 x 768 window) steps the volume down, and the change is kept;
# one on its label chooses the row and changes nothing.
xdotool mousemove --window "$win" 336 250 click 1
sleep 0.5
grep -qx 'volume = 90' "$XDG_CONFIG_HOME/skyrend/settings.ini" 2>/dev/null ||
  e2e_fail "a click on the volume's < did not step it down: $(cat "$XDG_CONFIG_HOME/skyrend/settings.ini" 2>&1)"
cp "$XDG_CONFIG_HOME/skyrend/settings.ini" "$E2E_TMP/settings-before"
xdotool mousemove --window "$win" 120 295 click 1
sleep 0.5
e2e_shot clicked
cmp -s "$E2E_TMP/settings-before" "$XDG_CONFIG_HOME/skyrend/settings.ini" || e2e_fail "a click on a label changed a setting"
[ "$(e2e_title)" = "Skyrend [PAUSED]" ] || e2e_fail "a click on the options played on"

# A click on the play-on button at the foot plays on; the click itself never reaches the game.
xdotool mousemove --window "$win" 512 727 click 1
sleep 0.5
[ "$(e2e_title)" != "Skyrend [PAUSED]" ] || e2e_fail "a click on PLAY ON did not resume"
sleep 0.5
after="$(e2e_audio_bytes)"
sleep 0.5
peak="$(audio_peak_between "$after" "$(e2e_audio_bytes)")"
[ "$peak" -gt 0 ] || e2e_fail "the shot sound did not play on after the pause"

# Another window taking the focus (here the desktop itself) pauses the game.
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
paused_title "focus lost"
xdotool windowactivate "$win" 2>/dev/null
sleep 0.5
e2e_press p 0.1
sleep 0.5
[ "$(e2e_title)" != "Skyrend [PAUSED]" ] || e2e_fail "P did not resume after the focus came back"

# Minimised, the game pauses; shown again, it stays paused until P.
xdotool windowminimize "$win"
paused_title "minimised"
sleep 1
xdotool windowactivate "$win" 2>/dev/null
sleep 1.5
[ "$(e2e_title)" = "Skyrend [PAUSED]" ] || e2e_fail "showing the window again resumed the game"
e2e_press p 0.1
sleep 0.3
e2e_press Right 0.4
sleep 0.3
e2e_press p 0.1
paused_title "the last P"
sleep 0.5
e2e_shot last
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "Escape while paused: exit code $GAME_RC"

# The demo: one Z (the one pressed while paused is not in it), and no gap
# in its clock for the pauses (of 2.5 s and more) after start-up
# (frames 1 and 2, which load the models).
zs="$(grep -c ' down 90$' "$DEMO")"
[ "$zs" -eq 1 ] || e2e_fail "$zs presses of Z in the demo, not 1"
clicks="$(grep -c ' click$' "$DEMO" || true)"
[ "$clicks" -eq 0 ] || e2e_fail "$clicks clicks on the pause screen reached the demo"
gap="$(awk '$2 == "tick" && $1 >= 2 { if (n++ && $3 - last > max) max = $3 - last; last = $3 } END { print max + 0 }' "$DEMO")"
[ "$gap" -lt 1500 ] || e2e_fail "the demo's clock jumps by $gap ms"
last="$(awk '$2 == "tick" { f = $1 } END { print f }' "$DEMO")"
size="$(head -n1 "$DEMO" | sed -nE 's/^# Skyrend demo at ([0-9]+x[0-9]+)[,:].*/\1/p')"
"$SIM" --script "$DEMO" --size "$size" --frames "$last" --shot "$last:$E2E_TMP/replayed.png" >/dev/null ||
  e2e_fail "the simulator refused the demo"
# The replay's last frame against the window's last picture, down the left
# edge, where the pause screen writes nothing and only veils the picture
# (to 38 % of its brightness).
convert "$E2E_TMP/last.png" -crop 3%x100%+0+0 +repage "$E2E_TMP/a.png"
convert "$E2E_TMP/replayed.png" -crop 3%x100%+0+0 +repage -evaluate multiply 0.38 "$E2E_TMP/b.png"
differ="$(compare -metric AE -fuzz 3% "$E2E_TMP/a.png" "$E2E_TMP/b.png" null: 2>&1 | awk '{ printf "%d\n", $1 }')"
[ "$differ" -lt 400 ] || e2e_fail "the replay differs from the game in $differ pixels of the left edge"
echo "PASS: pause holds picture, sound and input; demo of $last frames replays to the same picture"
