#!/usr/bin/env bash
# Installs the Debian packages Skyrend needs to build, run and test.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  g++ cmake make pkg-config \
  libsdl2-dev libsdl2-mixer-dev \
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri \
  libgtest-dev libpng-dev libstb-dev fonts-dejavu-core \
  clang libclang-rt-14-dev \
  xvfb xauth xdotool imagemagick x11-utils openbox \
  desktop-file-utils appstream dpkg-dev lintian >/dev/null
