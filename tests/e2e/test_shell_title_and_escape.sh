# The real game under Xvfb: it starts, its title shows the frames per second,
# and Escape ends it with exit code 0.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"

e2e_start
title="$(e2e_wait_title 20)"
echo "title: $title"
fps="$(e2e_fps_of "$title")"
[ "$fps" -gt 0 ] || e2e_fail "FPS figure $fps"
# Paced to 60 per second: never more than a few over.
[ "$fps" -le 65 ] || e2e_fail "paced FPS $fps is above 60"

e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after Escape"
echo "PASS: title '$title', Escape exit code 0"
