# The real game under Xvfb: the title names the keys under "PRESS Z TO PLAY";
# the title bar says "Skyrend" (with the frames per
# second only when show_fps asks for them); Escape on the title ends the game
# with exit code 0; Escape during play pauses ("Skyrend [PAUSED]") and a
# second Escape ends it.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_start
title="$(e2e_wait_title 20)"
[ "$title" = "Skyrend" ] || e2e_fail "title '$title' without show_fps"
sleep 1.2
[ "$(e2e_title)" = "Skyrend" ] || e2e_fail "the timer changed the title to '$(e2e_title)'"
e2e_shot title
# The hint under "PRESS Z TO PLAY" (the keys for the options and for
# quitting): grey text in the band below the orange lettering.
grey="$(convert "$E2E_TMP/title.png" -crop 100%x9%+0+788 +repage \
  -fx '(r > 0.45) * (abs(r - b) < 0.06) * (abs(r - g) < 0.06)' -format '%[fx:int(mean*w*h)]' info:)"
[ "$grey" -gt 300 ] || e2e_fail "no hint line under PRESS Z TO PLAY ($grey grey pixels)"
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after Escape on the title"

e2e_settings "show_fps = yes"
e2e_start
title="$(e2e_wait_fps 20)"
fps="$(e2e_fps_of "$title")"
[ "$fps" -gt 0 ] || e2e_fail "FPS figure $fps"
# Paced to 60 per second: never more than a few over.
[ "$fps" -le 65 ] || e2e_fail "paced FPS $fps is above 60"
e2e_press z 0.1
sleep 0.5
e2e_press Escape 0.1
for i in $(seq 1 50); do [ "$(e2e_title)" = "Skyrend [PAUSED]" ] && break; sleep 0.1; done
[ "$(e2e_title)" = "Skyrend [PAUSED]" ] || e2e_fail "Escape during play: title '$(e2e_title)', not paused"
kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "Escape during play ended the game"
sleep 0.3
e2e_shot paused
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after Escape on the pause screen"
echo "PASS: title 'Skyrend', then '$title'; Escape quits from the title, pauses play and quits from the pause"
