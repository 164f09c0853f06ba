#!/usr/bin/env bash
# Runs one Windows test step for ctest. "build" cross-builds the zip into
# build-windows/ (tools/windows/build.sh, incrementally) and makes the Wine
# prefix there once; "shell" plays skyrend.exe under Wine on Xvfb; "sim"
# compares skyrend-sim.exe's traces with the native skyrend-sim's, built from
# this same tree. Exit 77 (skipped) with the reason when mingw-w64 or Wine is
# missing: tools/install-windows-deps.sh installs them, and CI runs it.
# usage: run.sh STEP NATIVE_BUILD_DIR
set -euo pipefail
STEP=$1
NATIVE_BUILD=$(cd "$2" && pwd)
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
OUT=$ROOT/build-windows
HERE=$(dirname "$0")

for tool in x86_64-w64-mingw32-g++-posix wine wineboot zip; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (bash tools/install-windows-deps.sh installs the Windows build's tools)"
    exit 77
  fi
done
# The prefix is this build's own: made on the first run (slow), then reused.
export WINEPREFIX="$OUT/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

case "$STEP" in
  build)
    NATIVE_BUILD="$NATIVE_BUILD" bash "$ROOT/tools/windows/build.sh" "$OUT"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      echo "run.sh: making the Wine prefix $WINEPREFIX"
      wineboot --init >"$OUT/wineboot.log" 2>&1 || { cat "$OUT/wineboot.log"; exit 1; }
      wineserver --wait
    fi
    ;;
  shell | sim)
    [ -f "$OUT/Skyrend/skyrend.exe" ] || { echo "no $OUT/Skyrend/skyrend.exe: run the windows_build test first" >&2; exit 1; }
    bash "$HERE/test_$STEP.sh" "$OUT/Skyrend" "$NATIVE_BUILD/bin"
    ;;
  *)
    echo "run.sh: unknown step $STEP" >&2
    exit 2
    ;;
esac
