#!/usr/bin/env bash
# Runs each fuzz target for SECONDS (default 60) on a corpus seeded from the
# test data, the generated art (when PROGRAM_DIR holds it) and every kept
# regression input; SECONDS 0 only seeds BUILD/corpus/TARGET. Exit code 1
# when a target finds something: the input is in BUILD/findings/TARGET/.
#   bash tools/fuzz/run.sh BUILD [SECONDS] [PROGRAM_DIR] [TARGET...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
data="$here/../../tests/data"
build="$(cd "$1" && pwd)"
seconds="${2:-60}"
program="${3:-$here/../../build/bin}"
shift $(( $# < 3 ? $# : 3 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(bitmap model script player)

# Per target: the model target's inputs stay short (a model's structure fits
# in 4 KB, counts do the rest); a script's reach a line over the line limit.
options() {
  case "$1" in
    bitmap) echo "-max_len=65536" ;;
    model) echo "-max_len=4096" ;;
    script) echo "-max_len=16384" ;;
    player) echo "-max_len=4096" ;;
  esac
}

seed() {  # seed TARGET DIR: copies the seed files into the corpus DIR
  case "$1" in
    bitmap) cp "$data"/bmpsuite/[bgqx]/*.bmp "$2"/; cp "$program"/*.bmp "$2"/ 2>/dev/null || true ;;
    model) cp "$data"/ms3d-ascii/*.txt "$2"/; cp "$program"/*.txt "$2"/ 2>/dev/null || true ;;
    script) cp "$data"/demos/*.txt "$2"/ ;;
    player) cp "$here"/player-seeds/* "$2"/ ;;
  esac
  cp "$here/regressions/$1"/* "$2"/ 2>/dev/null || true
}

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  seed "$target" "$corpus"
  [ "$seconds" -gt 0 ] || continue
  echo "== fuzz_$target for ${seconds}s"
  # shellcheck disable=SC2046
  if ! "$build/fuzz_$target" -dict="$here/$target.dict" -max_total_time="$seconds" $(options "$target") \
      -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 -artifact_prefix="$findings/" \
      "$corpus"; then
    echo "fuzz_$target found a failing input in $findings; keep it in tools/fuzz/regressions/$target/" >&2
    status=1
  fi
done
exit $status
