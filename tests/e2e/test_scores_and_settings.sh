# The player's files with the real game: the settings file is read (the
# window opens at its kept size), the command line's settings are not saved,
# M silences the game and is kept as `muted` with the player's own lines as
# they were; F12 saves the picture under the pictures folder, and a picture
# that cannot be saved is said on screen with the reason. Then a game that
# ends leaves its score in the score file, merged with the games it held, and
# the damaged file is kept as scores.txt.bad.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
SCORES="$XDG_DATA_HOME/skyrend/scores.txt"
SETTINGS="$XDG_CONFIG_HOME/skyrend/settings.ini"
mkdir -p "$(dirname "$SCORES")" "$(dirname "$SETTINGS")"
printf '5000 3 2026-01-01\nnot a score\n' >"$SCORES"
printf '# mine\nfullscreen = no\nvolume = 80\nwindow_size = 800x600\n' >"$SETTINGS"
export HOME="$E2E_TMP/home"  # the pictures folder is ~/Pictures here
mkdir -p "$HOME"

"$GAME" --volume 40 >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
geometry="$(e2e_geometry)"
[ "${geometry#* }" = 800x600 ] || e2e_fail "the window is not the kept 800x600 ($geometry)"
grep -q "scores.txt:2: not a \"score level date\" line; skipped" "$E2E_TMP/stderr" ||
  e2e_fail "the damaged score line was not named"
e2e_press m
sleep 0.5
from="$(e2e_audio_bytes)"
e2e_press z  # play starts with a shot, which a muted game does not let be heard
sleep 1
peak="$(e2e_audio_peak "$from")"
[ "$peak" -eq 0 ] || e2e_fail "the shot was heard after M muted the game (peak $peak)"
e2e_press F12
sleep 1
e2e_press Escape  # in play: a pause; on the pause screen, the end
sleep 0.5
e2e_press Escape
e2e_wait_exit 15
grep -q '^muted = yes$' "$SETTINGS" || e2e_fail "M was not kept: $(cat "$SETTINGS")"
grep -q '^volume = 80$' "$SETTINGS" || e2e_fail "the command line's volume was saved: $(cat "$SETTINGS")"
grep -q '^# mine$' "$SETTINGS" || e2e_fail "the player's comment was lost"
picture="$(ls "$HOME"/Pictures/Skyrend/skyrend-*.png 2>/dev/null | head -n1)"
[ -n "$picture" ] || e2e_fail "F12 saved no picture: $(cat "$E2E_TMP/stdout")"
size="$(identify -format '%wx%h' "$picture")"
[ "$size" = 800x600 ] || e2e_fail "the picture is $size, not the window's 800x600"
cp "$SETTINGS" "$E2E_TMP/settings.before"

# Pictures cannot be saved where ~/Pictures is a file: the notice says why,
# over the pause screen (its options at 800 x 600).
export HOME="$E2E_TMP/home2"
mkdir -p "$HOME"
: >"$HOME/Pictures"
"$GAME" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
e2e_press p 0.1
sleep 0.5
e2e_shot options800
e2e_press F12 0.1
sleep 0.4
e2e_shot notsaved
grep -q "the picture cannot be saved: .*Not a directory" "$E2E_TMP/stderr" || e2e_fail "no reason on stderr: $(cat "$E2E_TMP/stderr")"
# The notice takes the place of the play-on button at the foot of the screen.
convert "$E2E_TMP/options800.png" -crop 100%x8%+0+552 +repage "$E2E_TMP/foot1.png"
convert "$E2E_TMP/notsaved.png" -crop 100%x8%+0+552 +repage "$E2E_TMP/foot2.png"
changed="$(e2e_diff foot1 foot2)"
[ "$changed" -gt 2000 ] || e2e_fail "no notice at the foot of the screen ($changed pixels changed)"
e2e_press Escape
e2e_wait_exit 15

# A replayed demo is never scored: Z starts a game, Space held fires and Left
# held turns until the game ends (frame 555, 1600 points); the table stays as it
# was and "REPLAY" shows in yellow at the top left while the demo plays.
DEMO="$E2E_TMP/ends.txt"
{ e2e_demo_header 800x600; printf '60 down 90\n62 up 90\n64 down 32\n70 down 37\n700 up 32\n700 up 37\n'; } >"$DEMO"
cp "$SCORES" "$E2E_TMP/scores.before"
"$GAME" --play "$DEMO" --no-vsync >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
e2e_shot replay
e2e_wait_exit 60
[ "$GAME_RC" -eq 0 ] || e2e_fail "the demo ended with exit code $GAME_RC"
cmp -s "$SCORES" "$E2E_TMP/scores.before" || e2e_fail "the replay was scored: $(cat "$SCORES")"
yellow="$(convert "$E2E_TMP/replay.png" -crop 25%x12%+0+6% +repage -fuzz 20% -fill black +opaque '#ffd933' \
  -fill white -opaque '#ffd933' -format '%[fx:int(1000*mean)]' info:)"
[ "$yellow" -gt 5 ] || e2e_fail "no yellow REPLAY marker at the top left ($yellow per mille)"

# A game played (fire held ends one with points within 2,600 frames, however
# its start is timed) ends in the table with its demo, merged with the games
# it held, and the damaged file is kept as scores.txt.bad.
"$GAME" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
e2e_wait_title 20 >/dev/null
e2e_press z
xdotool keydown space
for i in $(seq 1 500); do
  grep -qE " $(date +%F)( |\$)" "$SCORES" && break
  sleep 0.2
done
xdotool keyup space
e2e_press Escape
e2e_wait_exit 15
line="$(grep -E "^[1-9][0-9]* [0-9]+ $(date +%F) [0-9_-]+\.txt\$" "$SCORES")" ||
  e2e_fail "the game played was not kept with its demo: $(cat "$SCORES")"
# Its demo, kept beside the table, is the game: checked with no picture, it reaches the same score.
set -- $line
checked="$("$PROGRAM_DIR/skyrend-verify" "$XDG_DATA_HOME/skyrend/replays/$4")" || e2e_fail "the kept demo: $checked"
printf '%s' "$checked" | grep -q ": score $1, level $2, " || e2e_fail "the kept demo is not the game $line: $checked"
grep -q '^5000 3 2026-01-01$' "$SCORES" || e2e_fail "the kept game was lost: $(cat "$SCORES")"
[ "$(cat "$SCORES.bad")" = "$(printf '5000 3 2026-01-01\nnot a score')" ] || e2e_fail "no scores.txt.bad"
cmp -s "$SETTINGS" "$E2E_TMP/settings.before" || e2e_fail "settings.ini was written: $(cat "$SETTINGS")"
echo "PASS: settings kept and not overridden, M silent and saved, F12 picture $size, a failed one said, a replay not scored, a game played merged into scores.txt with its demo"
