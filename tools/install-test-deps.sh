#!/usr/bin/env bash
# Installs what building and playing need with the score board server
# (tools/install-server-deps.sh), then the test and packaging tools: GoogleTest; clang with its libFuzzer runtime for
# the fuzz targets; Xvfb, xauth, xdotool, ImageMagick, the X utilities and
# openbox for the end-to-end tests under a private display; and the desktop
# entry, AppStream, dpkg and lintian checks of the installed game and its
# Debian package; PostgreSQL, whose cluster the score board's tests start.
set -euo pipefail
bash "$(dirname "$0")/install-server-deps.sh"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq --no-install-recommends \
  libgtest-dev \
  clang libclang-rt-14-dev \
  xvfb xauth xdotool imagemagick x11-utils openbox \
  desktop-file-utils appstream dpkg-dev lintian \
  postgresql >/dev/null
