#!/usr/bin/env bash
# Plays each hostile file against the programs of one build folder and prints
# a row per attack: seconds, peak memory, exit code and the first message.
# Usage: tools/bench/hostile-files.sh BUILD/bin
# Each run is cut off after 10 s (exit 124: it waited or ran on); a FIFO that
# a reader waits on is opened by this script once the time is up, so nothing
# is left blocked.
set -u
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
source "$(dirname "$0")/private-xvfb.sh"
export SKYREND_NO_DIALOGS=1 SDL_AUDIODRIVER=dummy
demo="$(dirname "$0")/../../tests/data/demos/demo1.txt"
short="$work/short.txt"
rules="$("$bin/skyrend" --version | sed -nE 's/.*\(rules (.*)\)$/\1/p')"
{ echo "# Skyrend demo at 1024x768, rules $rules: x"; echo "1 tick 16"; echo "30 tick 16"; } >"$short"

# A program folder of its own: the build's files, one of them replaced.
program() {
  local dir="$work/prog-$1"
  mkdir -p "$dir"
  cp -a "$bin"/. "$dir"/
  echo "$dir"
}

run() {  # NAME COMMAND...
  local name=$1
  shift
  /usr/bin/time -v -o "$work/time" timeout -k 2 10 "$@" >"$work/out" 2>"$work/err"
  local code=$?
  local secs kb msg
  secs=$(awk -F': ' '/Elapsed/ {print $2}' "$work/time")
  kb=$(awk -F': ' '/Maximum resident/ {print $2}' "$work/time")
  msg=$(cat "$work/err" "$work/out" | grep -v -e '^Command exited' -e '^Command terminated' | head -n1 | cut -c1-110)
  printf '%-22s | %8s | %7d MB | %4s | %s\n' "$name" "$secs" $((kb / 1024)) "$code" "$msg"
}

# Opens every FIFO of the work folder for a moment, after the cut-off, so a
# reader or writer stuck on one is let go.
fifo() { mkfifo "$1"; ( sleep 12; timeout 1 cat "$1" >/dev/null 2>&1; timeout 1 sh -c ": >'$1'" ) & }

printf '%-22s | %8s | %10s | %4s | %s\n' attack seconds "peak" exit "first message"
# The text screens' font is read at the first pause: the game in a program
# folder of its own is paused with P, then quit with Escape (which quits a
# paused game); a game that waits on its font hears neither.
font() {  # NAME PROGRAM-FOLDER
  ( sleep 3; timeout 8 xdotool search --sync --class skyrend windowfocus --sync key p; sleep 2; xdotool key Escape ) \
    >/dev/null 2>&1 &
  local keys=$!
  run "$1" env XDG_CONFIG_HOME="$work/c-$1" XDG_DATA_HOME="$work/d-$1" "$2/skyrend" --window
  wait "$keys"
}
p=$(program metrics-zero); rm "$p/Font.metrics"; ln -s /dev/zero "$p/Font.metrics"
font font.metrics-zero "$p"
p=$(program metrics-fifo); rm "$p/Font.metrics"; fifo "$p/Font.metrics"
font font.metrics-fifo "$p"
p=$(program pgm-fifo); rm "$p/Font.pgm"; fifo "$p/Font.pgm"
font font.pgm-fifo "$p"
p=$(program atlas); sed -i 's/^atlas .*/atlas 8192 8192/' "$p/Font.metrics"
{ printf 'P5\n8192 8192\n255\n'; head -c $((8192 * 8192)) /dev/zero; } >"$p/Font.pgm"
font font.atlas-8192 "$p"
p=$(program stock)
font font.stock "$p"

fifo "$work/settings.ini"
run settings-fifo "$bin/skyrend-sim" --frames 10 --settings "$work/settings.ini"
fifo "$work/scores.txt"
run scores-fifo "$bin/skyrend-sim" --frames 10 --scores "$work/scores.txt"
mkdir -p "$work/config/skyrend"; fifo "$work/config/skyrend/settings.ini"
run game-settings-fifo env XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$bin/skyrend" --window --play "$short"
fifo "$work/script"
run sim-script-fifo "$bin/skyrend-sim" --script "$work/script"
fifo "$work/demo"
run verify-fifo "$bin/skyrend-verify" "$work/demo"
ln -s /dev/zero "$work/zero-demo"
run play-device env XDG_CONFIG_HOME="$work/c2" XDG_DATA_HOME="$work/d2" "$bin/skyrend" --window --play "$work/zero-demo"
fifo "$work/record"
run record-fifo env XDG_CONFIG_HOME="$work/c3" XDG_DATA_HOME="$work/d3" "$bin/skyrend" --window --record "$work/record"
ln -s /dev/full "$work/record-device"
run record-device env XDG_CONFIG_HOME="$work/c4" XDG_DATA_HOME="$work/d4" "$bin/skyrend" --window --record "$work/record-device"
run sim-record-fifo "$bin/skyrend-sim" --frames 10 --record "$work/record"
