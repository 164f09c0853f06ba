# The game sends a game that ends to the score board when the player shares
# scores: the real server on a free port ranks it, and the screen says where
# it stands. With the board away, the game waits in unsent.txt and is sent at
# the next start.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
SERVER="$PROGRAM_DIR/skyrend-server"
[ -x "$SERVER" ] || { echo "SKIP: no skyrend-server (tools/install-server-deps.sh)"; exit 0; }
SERVER_PID=""
stop_server() { [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null && wait "$SERVER_PID" 2>/dev/null; SERVER_PID=""; }
trap 'stop_server; e2e_cleanup' EXIT
start_server() {
  "$SERVER" --port "${1:-0}" --database "$E2E_TMP/board.sqlite" --models "$PROGRAM_DIR" >"$E2E_TMP/server.log" 2>&1 &
  SERVER_PID=$!
  local i
  for i in $(seq 1 100); do
    PORT="$(sed -nE '1s/.*127\.0\.0\.1:([0-9]+).*/\1/p' "$E2E_TMP/server.log")"
    [ -n "$PORT" ] && return 0
    sleep 0.1
  done
  e2e_fail "the server did not start: $(cat "$E2E_TMP/server.log")"
}
SCORES="$XDG_DATA_HOME/skyrend/scores.txt"
SETTINGS="$XDG_CONFIG_HOME/skyrend/settings.ini"
mkdir -p "$(dirname "$SETTINGS")"

# play_a_game: Z starts it; Space held until it ends and is kept (fire held
# ends a game with points within 2,600 frames, however its start is timed).
play_a_game() {
  "$GAME" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
  GAME_PID=$!
  e2e_wait_title 20 >/dev/null
  local before i
  before="$(cat "$SCORES" 2>/dev/null | wc -l)"
  e2e_press z
  xdotool keydown space
  for i in $(seq 1 500); do
    [ "$(cat "$SCORES" 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.2
  done
  xdotool keyup space
  [ "$(cat "$SCORES" 2>/dev/null | wc -l)" -gt "$before" ] || { e2e_shot unended; e2e_fail "the game did not end"; }
}

# The board is away: the game is kept in unsent.txt and the screen says so.
start_server
stop_server
printf 'fullscreen = no\nwindow_size = 800x600\nshare_scores = yes\nplayer_name = E2E Pilot\nboard = http://127.0.0.1:%s\n' \
  "$PORT" >"$SETTINGS"
play_a_game
sleep 1
e2e_shot unsent
e2e_press Escape
e2e_wait_exit 20
UNSENT="$XDG_DATA_HOME/skyrend/unsent.txt"
grep -qE '^[0-9_-]+\.txt [1-9][0-9]* *$' "$UNSENT" || e2e_fail "no game waits in unsent.txt: $(cat "$UNSENT" 2>&1)"
first="$(cut -d' ' -f2 "$UNSENT")"

# The board is back on the same port: the next start sends the waiting game,
# and the game played then is ranked and its standing said on screen.
start_server "$PORT"
play_a_game
shot=""
for i in $(seq 1 40); do
  if curl -s "http://127.0.0.1:$PORT/api/v1/board" | grep -q '"total":2'; then
    sleep 1.3  # the game asks its state a second after sending it
    e2e_shot standing
    shot=yes
    break
  fi
  sleep 0.25
done
[ -n "$shot" ] || e2e_fail "the board did not rank two games: $(curl -s "http://127.0.0.1:$PORT/api/v1/board") $(cat "$E2E_TMP/server.log")"
sleep 4.5  # the notice is gone
e2e_shot after
e2e_press Escape
e2e_wait_exit 20
board="$(curl -s "http://127.0.0.1:$PORT/api/v1/board")"
printf '%s' "$board" | grep -q '"name":"E2E Pilot"' || e2e_fail "the board holds no game of E2E Pilot: $board"
printf '%s' "$board" | grep -qE "\"score\":$first[,}]" || e2e_fail "the waiting game ($first) is not on the board: $board"
[ ! -s "$UNSENT" ] || e2e_fail "unsent.txt still names games: $(cat "$UNSENT")"
# The notice is white text at the foot of the screen: there while it shows, gone after.
white() {
  convert "$E2E_TMP/$1.png" -gravity South -crop 100%x7%+0+0 +repage -fuzz 10% -fill black +opaque white -fill white -opaque white \
    -format '%[fx:int(10000*mean)]' info:
}
[ "$(white standing)" -gt "$(($(white after) + 20))" ] ||
  e2e_fail "no notice at the foot of the screen ($(white standing) vs $(white after) per 10000 white)"
cp "$E2E_TMP/unsent.png" /tmp/i35c-unsent.png
cp "$E2E_TMP/standing.png" /tmp/i35c-standing.png
echo "PASS: a game kept while the board was away and sent at the next start; the next one ranked: $board"
