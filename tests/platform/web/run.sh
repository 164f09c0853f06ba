#!/usr/bin/env bash
# Runs one browser test step for ctest: "build" builds the page and the test
# module into build-web/ (incrementally); "page_plays", "page_pauses", "page_pacing",
# "mouse_and_pad", "player_store", "page_app", "page_touch", "page_context", "board_page", "page_shares", "page_replays" and "trace_and_pictures" run
# the node scripts beside this file in headless Chromium. Exit 77 (skipped) with a
# message when emscripten, Chromium or node is not installed: they come from
# tools/install-web-deps.sh, which CI runs.
# usage: run.sh STEP NATIVE_BUILD_DIR
set -euo pipefail
STEP=$1
NATIVE_BUILD=$(cd "$2" && pwd)
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
CHROMIUM=${SKYREND_CHROMIUM:-/usr/bin/chromium}

for tool in emcc node npm; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (bash tools/install-web-deps.sh installs the browser build's tools)"
    exit 77
  fi
done
if [ ! -x "$CHROMIUM" ]; then
  echo "SKIPPED: no Chromium at $CHROMIUM (bash tools/install-web-deps.sh installs it)"
  exit 77
fi

cd "$ROOT"
case "$STEP" in
  build)
    SKYREND_NATIVE_BUILD="$NATIVE_BUILD" bash platform/web/build.sh
    # The test driver's packages, as the lock file pins them.
    if [ ! -d tests/platform/web/node_modules ] || [ tests/platform/web/package-lock.json -nt tests/platform/web/node_modules ]; then
      (cd tests/platform/web && npm ci --no-audit --no-fund)
    fi
    ;;
  page_plays | page_pauses | page_pacing | mouse_and_pad | player_store | page_app | page_touch | page_context | page_replays)
    node "tests/platform/web/test_$STEP.js" build-web
    ;;
  board_page | page_shares)
    node "tests/platform/web/test_$STEP.js" build-web "$NATIVE_BUILD/bin" "${SKYREND_PICTURES:-/tmp}"
    ;;
  trace_and_pictures)
    WORK=$(mktemp -d)
    trap 'rm -rf "$WORK"' EXIT
    node tests/platform/web/test_trace_and_pictures.js build-web "$NATIVE_BUILD/bin" "$WORK"
    ;;
  *)
    echo "unknown step $STEP" >&2
    exit 2
    ;;
esac
