#!/bin/bash
# How clean the desktop's sound is at volume 100: the game plays each recorded
# demo in a window on a private Xvfb while SDL's disk audio driver writes the
# mix to a file, and each capture is measured: samples at full scale (|s| of
# 32767 or more), the bursts they come in (apart by more than 0.1 s), the
# loudest sample and the largest step between neighbouring samples of one
# side. Then, when the tests are built beside the program, the hum started,
# looped and stopped alone on the same device: the largest step of its output
# beside the loop's own. Last, when the page is built (build-web/) and
# Chromium is there, the same figures of what the page plays (the mix it
# hands to Web Audio): a busy game, also with the CPU slowed, and the hum
# alone; a gap is a buffer that started after the one before it ended (the
# page stalled longer than its queue lasts). Figures only, no pass or fail.
# Usage: tools/bench/measure-sound.sh PROGRAM_DIR [DEMO]...
set -euo pipefail
bin=$1
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
demos=("$@")
if [[ ${#demos[@]} -eq 0 ]]; then
  # The recorded demos, and 40 s of a busy game: fire held down while the
  # craft turns and speeds up, so shots, hits and rocket hums overlap.
  demos=("$root"/tests/data/demos/demo*.txt "$work/busy.txt")
  awk 'BEGIN { print "# Skyrend demo at 1024x768: x"
    for (f = 1; f <= 2400; ++f) {
      printf "%d tick %d\n", f, int(f * 1000 / 60)
      if (f % 300 == 10) printf "%d down 90\n%d up 90\n%d down 32\n", f, f, f
      if (f % 300 == 40) printf "%d down 37\n", f
      if (f % 300 == 100) printf "%d up 37\n%d down 38\n", f, f
      if (f % 300 == 130) printf "%d up 38\n", f
    }
    printf "%d up 32\n", 2400 }' > "$work/busy.txt"
fi
[[ -x $bin/skyrend ]] || { echo "no executable at $bin/skyrend" >&2; exit 2; }
source "$(dirname "$0")/private-xvfb.sh"
export SDL_AUDIODRIVER=disk SKYREND_NO_DIALOGS=1
# No player's settings or scores: the volume is the command line's.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

# Figures of a capture of 16-bit stereo samples at 44100 frames a second.
measure() {
  od -An -td2 -v -w2 "$1" | awk '
    { s = $1 + 0; c = (NR - 1) % 2; f = int((NR - 1) / 2)
      a = s < 0 ? -s : s
      if (a > peak) peak = a
      if (a >= 32767) { ++full; if (!seen || f - last > 4410) ++bursts; seen = 1; last = f }
      if (NR > 2) { d = s - prev[c]; if (d < 0) d = -d; if (d > step) step = d }
      prev[c] = s }
    END { printf "%.2f s, %d samples at full scale in %d bursts, peak %d, largest step %d\n",
                 NR / 2 / 44100, full, bursts, peak, step }'
}

# Each demo played under this game's rules version, as a script is.
rules="$("$bin/skyrend" --version | sed -nE 's/.*\(rules (.*)\)$/\1/p')"
for demo in "${demos[@]}"; do
  export SDL_DISKAUDIOFILE="$work/audio.raw"
  rm -f "$SDL_DISKAUDIOFILE"
  sed -E "1s/^# Skyrend demo at ([0-9]+x[0-9]+)[^:]*:/# Skyrend demo at \1, rules $rules:/" "$demo" >"$work/played.txt"
  "$bin/skyrend" --window --volume 100 --play "$work/played.txt" >/dev/null 2>"$work/stderr" ||
    { echo "the game failed on $demo:" >&2; cat "$work/stderr" >&2; exit 1; }
  echo "$(basename "$demo"): $(measure "$SDL_DISKAUDIOFILE")"
done
if [[ -x $bin/test_platform_sdl ]]; then
  unset SDL_DISKAUDIOFILE
  "$bin/test_platform_sdl" --gtest_filter='SdlSoundSeam.*' 2>/dev/null | grep '^hum:'
fi
if [[ -f $root/build-web/skyrend-test.js && -d $root/tests/platform/web/node_modules ]] && command -v node >/dev/null; then
  # As the page runs here, and with the CPU slowed 4 times (fewer pictures a second).
  (cd "$root" && node tests/platform/web/measure_sound.js build-web 40 1 &&
    node tests/platform/web/measure_sound.js build-web 40 4 | head -n1)
fi
