#!/usr/bin/env bash
# Installs what the browser build and its tests need: emscripten (with the
# acorn parser its tools load), Chromium for the headless tests, and node with
# npm for the test driver, whose packages npm installs from tests/platform/web's lock file.
# The page's .br and .gz copies are made with node's own zlib, and tools/serve runs on node.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends emscripten node-acorn chromium nodejs >/dev/null
# A node installed from elsewhere may bring its own npm; Debian's would clash with it.
if ! command -v npm >/dev/null; then
  $SUDO apt-get install -y -qq --no-install-recommends npm >/dev/null
fi
(cd tests/platform/web && npm ci --no-audit --no-fund)
