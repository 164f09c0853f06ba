#!/usr/bin/env bash
# Installs what building and playing need (tools/install-deps.sh), then the
# test and packaging tools: GoogleTest; clang with its libFuzzer runtime for
# the fuzz targets; Xvfb, xauth, xdotool, ImageMagick, the X utilities and
# openbox for the end-to-end tests under a private display; and the desktop
# entry, AppStream, dpkg and lintian checks of the installed game and its
# Debian package.
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq --no-install-recommends \
  libgtest-dev \
  clang libclang-rt-14-dev \
  xvfb xauth xdotool imagemagick x11-utils openbox \
  desktop-file-utils appstream dpkg-dev lintian >/dev/null
