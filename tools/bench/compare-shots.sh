#!/bin/bash
# Pictures of the same games from two builds, compared pixel for pixel: a long
# scripted game (its title screen too), the busy scene in every colour scheme,
# flat and smooth, and the title and a few schemes at 1920x1080.
# Usage: tools/bench/compare-shots.sh REFERENCE_BIN_DIR NEW_BIN_DIR [WORK_DIR]
# Prints one line per picture with its count of differing pixels (ImageMagick
# compare -metric AE); exit code 1 when any picture differs.
set -euo pipefail
ref=$1 new=$2 work=${3:-$(mktemp -d)}
mkdir -p "$work"

# The long game: start, then turns, speed changes, fire and the shading key
# in a fixed pattern over 6000 frames; a picture every 150 frames.
long="$work/long.txt"
{
  echo "105 down 90"; echo "106 up 90"
  for ((f = 120; f < 6000; f += 60)); do
    case $(( (f / 60) % 6 )) in
      0) echo "$f down 39"; echo "$((f + 25)) up 39" ;;
      1) echo "$f down 37"; echo "$((f + 40)) up 37" ;;
      2) echo "$f down 38"; echo "$((f + 10)) up 38" ;;
      3) echo "$f down 32"; echo "$((f + 50)) up 32" ;;
      4) echo "$f down 40"; echo "$((f + 8)) up 40"; echo "$((f + 20)) down 90"; echo "$((f + 21)) up 90" ;;
      5) echo "$f mouse 40 0"; echo "$((f + 30)) down 32"; echo "$((f + 55)) up 32" ;;
    esac
    (( f % 1500 == 0 )) && { echo "$((f + 1)) down 70"; echo "$((f + 2)) up 70"; }
  done
  true
} | sort -s -n -k1,1 > "$long"  # a script's frames never go back
shots=(--shot "60:$work/SIDE-long-title.png"); for ((f = 150; f <= 6000; f += 150)); do shots+=(--shot "$f:$work/SIDE-long-$f.png"); done

# The busy scene: fire and a turn held, flat shading, then smooth after F.
busy="$work/busy.txt"
printf '105 down 90\n105 up 90\n110 down 32\n110 down 39\n260 down 70\n261 up 70\n' > "$busy"

for side in ref new; do
  bin=$ref; [[ $side == new ]] && bin=$new
  "$bin/skyrend-sim" --script "$long" --frames 6000 "${shots[@]//SIDE/$side}"
  for scheme in 0 1 2 3 4 5 6 7 8 9 10; do
    "$bin/skyrend-sim" --script "$busy" --frames 320 --busy 106 --scheme "$scheme" \
      --shot "150:$work/$side-busy$scheme-flat1.png" --shot "230:$work/$side-busy$scheme-flat2.png" \
      --shot "280:$work/$side-busy$scheme-smooth1.png" --shot "320:$work/$side-busy$scheme-smooth2.png"
  done
  for scheme in 0 3 10; do
    "$bin/skyrend-sim" --script "$busy" --frames 320 --busy 106 --scheme "$scheme" --size 1920x1080 \
      --shot "60:$work/$side-wide$scheme-title.png" --shot "230:$work/$side-wide$scheme-flat.png" \
      --shot "320:$work/$side-wide$scheme-smooth.png"
  done
done

status=0
for picture in "$work"/ref-*.png; do
  other=${picture/\/ref-//new-}
  differing=$(compare -metric AE "$picture" "$other" null: 2>&1 || true)
  echo "$(basename "${picture#*ref-}" .png) $differing"
  [[ $differing == 0 ]] || status=1
done
exit $status
