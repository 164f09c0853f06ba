#!/usr/bin/env bash
# Installs what the Windows build and its tests need: the mingw-w64 cross
# compilers, Wine to run the result, zip for the folder a player unpacks, and
# a deb-src line for the archive this machine already uses, so that
# tools/windows/build.sh can fetch SDL2 and SDL2_mixer with `apt-get source`.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# Source lines mirror Debian's binary ones: the same archives, suites and
# components (other vendors' archives may publish no sources).
src_list=/etc/apt/sources.list.d/skyrend-deb-src.sources
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  tmp="$(mktemp)"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /URIs:[^\n]*debian/ && /Types:[^\n]*deb/ {
        sub(/Types:[^\n]*/, "Types: deb-src"); print
      }' "$f" >>"$tmp"
  done
  if [ -s "$tmp" ]; then $SUDO cp "$tmp" "$src_list"; fi
  if [ -f /etc/apt/sources.list ] && grep -qE '^deb .*debian' /etc/apt/sources.list; then
    grep -E '^deb .*debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$tmp"
    $SUDO cp "$tmp" /etc/apt/sources.list.d/skyrend-deb-src.list
  fi
  rm -f "$tmp"
fi

$SUDO apt-get update -qq -o DPkg::Lock::Timeout=900
$SUDO apt-get install -o DPkg::Lock::Timeout=900 -y -qq --no-install-recommends \
  mingw-w64 wine wine64 zip unzip dpkg-dev >/dev/null
