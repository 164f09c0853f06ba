#!/usr/bin/env bash
# Installs the Debian packages that building and playing Skyrend need: the
# compiler and CMake, SDL2 with SDL2_mixer, the GL, GLU and EGL headers with
# Mesa's drivers (EGL renders the icons at build time), libpng, and
# stb_truetype with DejaVu Sans for the art generator's font atlas.
# cpp-httplib is the desktop game's way to the score board.
# tools/install-test-deps.sh adds what the tests and packaging need.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  g++ cmake make pkg-config \
  libsdl2-dev libsdl2-mixer-dev \
  libgl1-mesa-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri \
  libpng-dev libstb-dev fonts-dejavu-core libcpp-httplib-dev >/dev/null
