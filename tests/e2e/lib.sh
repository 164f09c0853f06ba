# Shared by the end-to-end scripts: a private Xvfb, the game started in the
# background, its window found by title, and clean-up of everything started.
# Each script sources this file and calls e2e_init with the program folder.

set -u

E2E_TMP=""
XVFB_PID=""
WM_PID=""
GAME_PID=""
GAME_RC=""

e2e_fail() {
  echo "FAIL: $*" >&2
  if [ -n "$E2E_TMP" ] && [ -f "$E2E_TMP/stderr" ]; then
    echo "--- game stderr:" >&2
    grep -v '^CRITICAL' "$E2E_TMP/stderr" >&2 || true
  fi
  exit 1
}

e2e_cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    sleep 0.5
    kill -9 "$GAME_PID" 2>/dev/null
  fi
  if [ -n "$WM_PID" ]; then
    kill "$WM_PID" 2>/dev/null
    wait "$WM_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  if [ -n "$E2E_TMP" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$E2E_TMP"; fi
}

# e2e_init PROGRAM_DIR [SCREEN]: checks the program, makes a temp folder, starts
# Xvfb on a free display (Xvfb picks it and reports it through -displayfd) with
# a screen of SCREEN (WxHxDEPTH, 1280x1024x24 unless given).
e2e_init() {
  PROGRAM_DIR="${1:?program folder expected}"
  local screen="${2:-1280x1024x24}"
  GAME="$PROGRAM_DIR/skyrend"
  [ -x "$GAME" ] || e2e_fail "no executable at $GAME"
  E2E_TMP="$(mktemp -d /tmp/skyrend-e2e.XXXXXX)"
  trap e2e_cleanup EXIT
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$E2E_TMP/display" \
    >"$E2E_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$E2E_TMP/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    sleep 0.1
  done
  [ -s "$E2E_TMP/display" ] || e2e_fail "Xvfb reported no display"
  export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
  export SDL_AUDIODRIVER=disk
  export SDL_DISKAUDIOFILE="$E2E_TMP/audio.raw"
  export SKYREND_NO_DIALOGS=1
  unset SKYREND_UNCAPPED
  # The player's settings and scores of this test only: none of the machine's.
  export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data"
}

# e2e_rules: the rules version the game's demos carry (from --version).
e2e_rules() { DISPLAY= "$GAME" --version | sed -nE 's/.*\(rules (.*)\)$/\1/p'; }

# e2e_demo_header WxH: the first line of a demo this game plays.
e2e_demo_header() { printf '# Skyrend demo at %s, rules %s: x\n' "$1" "$(e2e_rules)"; }

# e2e_start_wm: a window manager on the display, as on a desktop (full screen,
# minimising and the focus go through it).
e2e_start_wm() {
  command -v openbox >/dev/null || e2e_fail "openbox is not installed (tools/install-test-deps.sh)"
  local try i
  for try in 1 2 3; do
    openbox --config-file /dev/null >"$E2E_TMP/wm.log" 2>&1 &
    WM_PID=$!
    for i in $(seq 1 50); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
      kill -0 "$WM_PID" 2>/dev/null || break  # it gave up: try again
      sleep 0.1
    done
    sleep 0.5
  done
  e2e_fail "the window manager did not start: $(cat "$E2E_TMP/wm.log")"
}

# e2e_title: the game window's title now.
e2e_title() { xdotool search --name '^Skyrend' getwindowname 2>/dev/null | head -n1; }

# e2e_geometry: "X,Y WxH" of the game window on the screen.
e2e_geometry() {
  xwininfo -id "$(e2e_window)" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
    /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%s,%s %sx%s\n", x, y, w, h }'
}

# e2e_start [EXECUTABLE]: starts the game in the background.
e2e_start() {
  local exe="${1:-$GAME}"
  "$exe" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
  GAME_PID=$!
}

# e2e_wait_exit SECONDS: waits for the game to end; sets GAME_RC. Fails on time-out.
e2e_wait_exit() {
  local limit="$1" i
  for i in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      wait "$GAME_PID"
      GAME_RC=$?
      GAME_PID=""
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "the game did not end within $limit s"
}

# e2e_wait_title SECONDS: waits until the game's window shows, then a second
# more (the models are read in the first frames); prints the title. Fails when
# the game ends first or the time runs out.
e2e_wait_title() {
  local limit="$1" i title=""
  for i in $(seq 1 $((limit * 10))); do
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended before its window showed"
    title="$(e2e_title)"
    if [ -n "$title" ]; then
      sleep 1
      e2e_title
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "no window within $limit s"
}

# e2e_wait_fps SECONDS: with the setting show_fps, waits until the title
# shows the frames of the last second; prints the title.
e2e_wait_fps() {
  local limit="$1" i title=""
  for i in $(seq 1 $((limit * 10))); do
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended before its title showed the FPS"
    title="$(e2e_title)"
    if printf '%s' "$title" | grep -Eq '^Skyrend   \[[0-9]+ FPS\]$'; then
      printf '%s\n' "$title"
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "no FPS title within $limit s (last title: '$title')"
}

# The FPS figure of a title "Skyrend   [N FPS]".
e2e_fps_of() { printf '%s' "$1" | sed -E 's/.*\[([0-9]+) FPS\].*/\1/'; }

# e2e_settings LINE...: the player's settings file holds these lines.
e2e_settings() {
  mkdir -p "$XDG_CONFIG_HOME/skyrend"
  printf '%s\n' "$@" >"$XDG_CONFIG_HOME/skyrend/settings.ini"
}

e2e_window() { xdotool search --name '^Skyrend' 2>/dev/null | head -n1; }

# A key held for a while, as a person presses it (a down and up in the same
# instant could both be handled before the frame that tests the key table).
e2e_press() {
  xdotool keydown "$1"
  sleep "${2:-0.2}"
  xdotool keyup "$1"
}

# e2e_shot NAME: a screenshot of the game window into $E2E_TMP/NAME.png.
e2e_shot() {
  import -window "$(e2e_window)" "$E2E_TMP/$1.png" 2>/dev/null || e2e_fail "screenshot $1 failed"
}

# e2e_diff A B: how many pixels of two screenshots differ (8 % fuzz).
e2e_diff() {
  compare -metric AE -fuzz 8% "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 |
    awk '{ printf "%d\n", $1 }'
}

# e2e_band_mean NAME: mean blue (0..1000) of a band across the top of a
# screenshot: the title's black against the sky of play, whose top is blue in
# the first level (how much of the sky a screen shows depends on its shape).
e2e_band_mean() {
  convert "$E2E_TMP/$1.png" -crop 100%x6%+0+2% +repage -channel B -separate \
    -format '%[fx:int(1000*mean)]' info:
}

# e2e_audio_peak FROM_BYTE: the loudest 16-bit sample the disk audio driver
# wrote from that byte on.
e2e_audio_peak() {
  tail -c +"$(( $1 + 1 ))" "$SDL_DISKAUDIOFILE" | od -An -td2 -v -w2 |
    awk 'BEGIN { m = 0 } { v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m }'
}

e2e_audio_bytes() { stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0; }

# e2e_quit_play: Escape during play pauses (the title says so), and a second
# Escape on the pause screen ends the game (one Escape, where play had already
# ended at the title).
e2e_quit_play() {
  local i
  e2e_press Escape 0.1
  for i in $(seq 1 100); do
    [ "$(e2e_title)" = "Skyrend [PAUSED]" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || return 0
    sleep 0.1
  done
  [ "$(e2e_title)" = "Skyrend [PAUSED]" ] || e2e_fail "Escape during play did not pause (title '$(e2e_title)')"
  e2e_press Escape 0.1
}
