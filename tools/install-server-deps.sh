#!/usr/bin/env bash
# Installs what building the score board server needs, beyond what the game
# needs (tools/install-deps.sh, which this runs first): cpp-httplib, SQLite,
# libpqxx for PostgreSQL, OpenSSL's libcrypto and nlohmann's JSON.
set -euo pipefail
bash "$(dirname "$0")/install-deps.sh"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq --no-install-recommends \
  libcpp-httplib-dev libsqlite3-dev libpqxx-dev libssl-dev nlohmann-json3-dev >/dev/null
