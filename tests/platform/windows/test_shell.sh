#!/usr/bin/env bash
# skyrend.exe under Wine on Xvfb, as on Linux: it starts and shows the title
# (the emblem's letters in orange under a dark top band), Z starts play (the
# sky shows, and the shot is heard through SDL's disk audio), Escape pauses
# play (the caption says so), a game played to its end is kept with its demo
# in the player's folder, and Escape at its end quits with exit code 0;
# --version says what it says on Linux (a Windows console's lines end in CR
# LF). The player's folder is SDL's preference folder, %APPDATA%\Skyrend,
# inside the Wine prefix. E2E_KEEP=1 keeps the pictures.
# usage: test_shell.sh WINDOWS_FOLDER NATIVE_BIN
. "$(dirname "$0")/../../e2e/lib.sh"
WIN=$1
e2e_init "$2" 1280x1024x24
echo "work folder: $E2E_TMP"
appdata=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming 2>/dev/null | head -n1)
[ -n "$appdata" ] || e2e_fail "no AppData\\Roaming in the Wine prefix $WINEPREFIX"
rm -rf "$appdata/Skyrend"

version=$(wine "$WIN/skyrend.exe" --version | tr -d '\r')
[ "$version" = "$("$2/skyrend" --version)" ] || e2e_fail "--version says '$version'"

printf '#!/bin/sh\nexec wine "%s/skyrend.exe" --window\n' "$WIN" >"$E2E_TMP/skyrend-wine"
chmod +x "$E2E_TMP/skyrend-wine"
e2e_start "$E2E_TMP/skyrend-wine"
title="$(e2e_wait_title 60)"
sleep 1

# The title: dark above, the orange letters in the middle (much red, little blue).
e2e_shot title
title_band="$(e2e_band_mean title)"
[ "$title_band" -lt 100 ] || e2e_fail "title screen not shown (top band $title_band)"
read -r red blue < <(convert "$E2E_TMP/title.png" -gravity center -crop 100%x25%+0+0 +repage \
  -format '%[fx:int(1000*mean.r)] %[fx:int(1000*mean.b)]\n' info:)
[ "$red" -gt 150 ] && [ "$blue" -lt "$((red / 2))" ] || e2e_fail "no orange letters on the title (red $red, blue $blue)"
before_shot="$(e2e_audio_bytes)"

e2e_press z 0.1
sleep 1
e2e_shot play
play_band="$(e2e_band_mean play)"
[ "$play_band" -gt 200 ] || e2e_fail "Z did not start play (top band $play_band)"
shot_peak="$(e2e_audio_peak "$before_shot")"
[ "$shot_peak" -gt 1000 ] || e2e_fail "no sound after the shot (peak $shot_peak)"

# Escape pauses play (the caption says so) and P plays on.
e2e_press Escape 0.1
for _ in $(seq 1 50); do [ "$(e2e_title)" = "Skyrend [PAUSED]" ] && break; sleep 0.1; done
[ "$(e2e_title)" = "Skyrend [PAUSED]" ] || e2e_fail "Escape during play did not pause (title '$(e2e_title)')"
e2e_press p 0.1

# Fire held until the aliens end the game: its score and its
# demo are kept in the player's folder (a new file, then renamed over the table).
xdotool keydown space
for _ in $(seq 1 500); do
  grep -qE " $(date +%F) [0-9_-]+\.txt" "$appdata/Skyrend/scores.txt" 2>/dev/null && break
  sleep 0.2
done
xdotool keyup space
line="$(tr -d '\r' <"$appdata/Skyrend/scores.txt" 2>/dev/null | grep -E "^[1-9][0-9]* [0-9]+ $(date +%F) [0-9_-]+\.txt\$")" ||
  e2e_fail "no game kept in $appdata/Skyrend/scores.txt: '$(cat "$appdata/Skyrend/scores.txt" 2>&1)'"
set -- $line
[ -s "$appdata/Skyrend/replays/$4" ] || e2e_fail "the game's demo $4 was not kept: $(ls "$appdata/Skyrend" "$appdata/Skyrend/replays" 2>&1)"
checked="$(wine "$WIN/skyrend-verify.exe" "$appdata/Skyrend/replays/$4" | tr -d '\r')"
printf '%s' "$checked" | grep -q ": score $1, level $2, " || e2e_fail "the kept demo is not the game '$line': $checked"

# At the game over (or the title after it), Escape ends the program.
e2e_press Escape 0.1
e2e_wait_exit 20
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after Escape"
wineserver -w  # Wine's own processes let go of the display before it goes
echo "PASS: title '$title' (red $red, blue $blue, top band $title_band), play band $play_band, shot peak $shot_peak, Escape paused, game kept '$line', Escape exit code 0"
