#!/usr/bin/env bash
# The rules are the same on both compilers and both C libraries: a scripted
# game with keys, mouse and joystick gives skyrend-sim.exe under Wine the same
# trace and the same recorded demo, byte for byte, as the native skyrend-sim
# (a scripted run is a replay and keeps no score: test_shell.sh plays a game
# that does); its picture of a frame (drawn on a hidden window through Wine's OpenGL)
# matches the native one; the demos recorded by the game on Linux replay to
# the same traces; and
# skyrend-verify.exe says what the native skyrend-verify says of them.
# usage: test_sim.sh WINDOWS_FOLDER NATIVE_BIN
set -euo pipefail
WIN=$1 NATIVE=$2
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
TMP=$(mktemp -d /tmp/skyrend-windows-sim.XXXXXX)
XVFB_PID=""
cleanup() {
  wineserver -w 2>/dev/null || true  # Wine's own processes let go of the display first
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$TMP"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The offscreen context of skyrend-sim.exe is a hidden window: it needs a display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TMP/display" >"$TMP/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 1 100); do [ -s "$TMP/display" ] && break; sleep 0.1; done
[ -s "$TMP/display" ] || fail "Xvfb did not start: $(cat "$TMP/xvfb.log")"
export DISPLAY=":$(head -n1 "$TMP/display")"

# 3000 frames: Z starts play, the arrows and Space come and go, the mouse
# sweeps with its buttons, the joystick leans and presses its buttons.
awk 'BEGIN {
  print "5 down 90"; print "8 up 90"
  for (f = 20; f < 3000; f += 60) {
    n = int(f / 60)
    k = n % 4 == 0 ? 37 : n % 4 == 1 ? 39 : n % 4 == 2 ? 38 : 40
    print f, "down", k; print (f + 25), "up", k
    print (f + 30), "down 32"; print (f + 33), "up 32"
    print (f + 10), "mouse", ((f % 7) * 3 - 9), ((f % 5) - 2), (n % 3 == 0 ? "left" : "")
    print (f + 12), "mouse", (5 - f % 11), 1, (n % 3 == 1 ? "right" : "")
    print (f + 40), "joy", ((f * 977) % 65536 - 32768), ((f * 331) % 20000 - 10000), (n % 2 ? "1" : "2 3")
    print (f + 55), "joy 0 0"
  }
}' | sort -s -n -k1,1 >"$TMP/play.script"

same_traces() {  # same_traces NAME: the two traces (and demos) of one run are equal
  cmp -s "$TMP/$1.linux.trace" "$TMP/$1.windows.trace" ||
    fail "$1: the traces differ: $(cmp "$TMP/$1.linux.trace" "$TMP/$1.windows.trace" 2>&1 | head -n1)"
  echo "$1: $(wc -l <"$TMP/$1.linux.trace") trace lines, $(stat -c %s "$TMP/$1.linux.trace") bytes, equal"
}

"$NATIVE/skyrend-sim" --script "$TMP/play.script" --frames 3000 --trace "$TMP/play.linux.trace" \
  --record "$TMP/play.linux.demo" --shot "300:$TMP/play.linux.png" 2>/dev/null || fail "native skyrend-sim"
wine "$WIN/skyrend-sim.exe" --script "$TMP/play.script" --frames 3000 --trace "$TMP/play.windows.trace" \
  --record "$TMP/play.windows.demo" --shot "300:$TMP/play.windows.png" 2>/dev/null || fail "skyrend-sim.exe"
same_traces play
differ=$( (compare -metric AE -fuzz 8% "$TMP/play.linux.png" "$TMP/play.windows.png" null: 2>&1 || true) | awk '{ printf "%d", $1 }')
[ "$differ" -le 7864 ] || fail "frame 300's picture differs from the native one in $differ pixels (1 % is 7864)"
echo "play: frame 300's picture differs from the native one in $differ pixels"
cmp -s "$TMP/play.linux.demo" "$TMP/play.windows.demo" || fail "the recorded demos differ"
grep -q ' joy ' "$TMP/play.linux.demo" && grep -q ' mouse ' "$TMP/play.linux.demo" && grep -q ' down 37' "$TMP/play.linux.demo" ||
  fail "the demo lacks the joystick, mouse or keys"

for demo in "$ROOT"/tests/data/demos/demo*.txt; do
  name=$(basename "$demo" .txt)
  "$NATIVE/skyrend-sim" --script "$demo" --trace "$TMP/$name.linux.trace" || fail "native skyrend-sim on $name"
  wine "$WIN/skyrend-sim.exe" --script "$demo" --trace "$TMP/$name.windows.trace" || fail "skyrend-sim.exe on $name"
  same_traces "$name"
  if [ -x "$NATIVE/skyrend-verify" ]; then
    linux=$("$NATIVE/skyrend-verify" "$demo" 2>&1 || true)
    windows=$(wine "$WIN/skyrend-verify.exe" "$demo" 2>&1 | tr -d '\r' || true)
    [ "$linux" = "$windows" ] || fail "skyrend-verify on $name: '$linux' here, '$windows' on Windows"
  fi
done
echo "PASS: skyrend-sim.exe's traces and demo equal the native ones"
