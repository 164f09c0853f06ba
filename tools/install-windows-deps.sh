#!/usr/bin/env bash
# Installs what the Windows build and its tests need: the mingw-w64 cross
# compilers, Wine to run the result, zip for the folder a player unpacks, and
# a deb-src line for the archive this machine already uses, so that
# tools/windows/build.sh can fetch SDL2 and SDL2_mixer with `apt-get source`.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# Source lines mirror the binary ones: same archives, suites and components.
src_list=/etc/apt/sources.list.d/skyrend-deb-src.sources
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  tmp="$(mktemp)"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed -n 's/^Types:.*\bdeb\b.*$/Types: deb-src/p; /^\(URIs\|Suites\|Components\|Signed-By\):/p; /^$/p' "$f" >>"$tmp"
    echo >>"$tmp"
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"${tmp}.list" || true
    if [ -s "${tmp}.list" ]; then $SUDO cp "${tmp}.list" /etc/apt/sources.list.d/skyrend-deb-src.list; fi
    rm -f "${tmp}.list"
  fi
  if grep -q 'deb-src' "$tmp"; then $SUDO cp "$tmp" "$src_list"; fi
  rm -f "$tmp"
fi

$SUDO apt-get update -qq -o DPkg::Lock::Timeout=900
$SUDO apt-get install -o DPkg::Lock::Timeout=900 -y -qq --no-install-recommends \
  mingw-w64 wine wine64 zip unzip dpkg-dev >/dev/null
