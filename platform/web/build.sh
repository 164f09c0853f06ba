#!/usr/bin/env bash
# Builds the browser version into build-web/: the player's page skyrend.html
# with skyrend-page.js, skyrend.js, skyrend.wasm and skyrend.data, its manifest
# and icons, the service worker skyrend-sw.js, .br and .gz copies beside them;
# and skyrend-test.js (with its .wasm and .data), which only the browser tests
# load. The models, bitmaps and sound clips come from the native build's
# generator and the icons from its renderer, so those are built first.
set -euo pipefail
cd "$(dirname "$0")/../.."
# Debian's emscripten runs its JavaScript tools with the node on PATH, which
# must find Debian's acorn.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
NATIVE=${SKYREND_NATIVE_BUILD:-build}
cmake -S . -B "$NATIVE" >/dev/null
cmake --build "$NATIVE" -j2 --target skyrend_assets skyrend-icon
emcmake cmake -S platform/web -B build-web -DSKYREND_NATIVE_BUILD="$(cd "$NATIVE" && pwd)" >/dev/null
cmake --build build-web -j2
# 512m: the maskable icon, for launchers that cut icons to their own shape.
for size in 48 192 512 512m; do
  icon=build-web/skyrend-${size/m/-maskable}.png
  if [ ! -s "$icon" ] || [ "$NATIVE/bin/skyrend-icon" -nt "$icon" ] || [ "$NATIVE/bin/logo.txt" -nt "$icon" ]; then
    "$NATIVE/bin/skyrend-icon" "$NATIVE/bin" "$size:$icon"
  fi
done
node platform/web/finish.js platform/web build-web
echo "Built build-web/skyrend.html and the tests' build-web/skyrend-test.js"
