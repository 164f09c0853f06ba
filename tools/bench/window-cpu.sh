#!/bin/bash
# The CPU time a paced title frame costs in the real window: the game plays a
# demo that stays on the title screen, once short and once long, in a 1024x768
# window on a private Xvfb; the difference of the two runs' CPU time (every
# thread, Mesa's included) divided by the difference of their frames leaves out
# start-up and shut-down. Figures only, no pass or fail.
# Usage: tools/bench/window-cpu.sh PROGRAM_DIR [SHORT_FRAMES LONG_FRAMES]
set -euo pipefail
bin=$1 short=${2:-120} long=${3:-720}
[[ -x $bin/skyrend ]] || { echo "no executable at $bin/skyrend" >&2; exit 2; }
work=$(mktemp -d)
source "$(dirname "$0")/private-xvfb.sh"
export SDL_AUDIODRIVER=dummy SKYREND_FRAME_STATS=1
rules="$("$bin/skyrend" --version | sed -nE 's/.*\(rules (.*)\)$/\1/p')"

# CPU seconds (user + system) of one playback of FRAMES title frames; its frame statistics go to stderr.
cpu_of() {
  # A key released on the title changes nothing; it only marks the demo's last frame.
  printf '# Skyrend demo at 1024x768, rules %s: x\n%d up 39\n' "$rules" "$1" > "$work/demo.txt"
  /usr/bin/time -f '%U %S' -o "$work/time" "$bin/skyrend" --window --play "$work/demo.txt" >/dev/null 2>"$work/stderr" ||
    { echo "the game failed:" >&2; cat "$work/stderr" >&2; return 1; }
  grep -h 'frame intervals' "$work/stderr" >&2 || true
  awk '{print $1 + $2}' "$work/time"
}
a=$(cpu_of "$short") || exit 1
b=$(cpu_of "$long") || exit 1
awk -v a="$a" -v b="$b" -v n=$((long - short)) \
  'BEGIN { printf "paced title frame in the window: %.2f ms CPU (%d frames: %.2f s against %.2f s)\n", (b - a) / n * 1e3, n, b, a }'
printf 'load average (1, 5, 15 min): %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
