#!/usr/bin/env bash
# Builds the libraries the Windows program links from Debian's source
# packages with mingw-w64, into PREFIX: SDL2 and SDL2_mixer as DLLs (only the
# WAV codec: the game's clips are WAV in memory), zlib and libpng static.
# Usage: build-deps.sh WORK_DIR PREFIX. Each library is built once; delete
# PREFIX to build them again.
set -euo pipefail
work="$1"; prefix="$2"
here="$(cd "$(dirname "$0")" && pwd)"
jobs="${JOBS:-2}"
mkdir -p "$work" "$prefix"
cd "$work"
codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-stable}")"

# The unpacked source of a Debian source package (fetched once).
source_dir() {
  local pkg="$1" dir
  dir="$(find . -maxdepth 1 -type d -name "$2-[0-9]*" | sort | tail -n 1)"
  if [ -z "$dir" ]; then
    # A security update's source may be missing from a mirror: then the release's own.
    apt-get source -qq "$pkg" >/dev/null 2>&1 || apt-get source -qq "$pkg/$codename" >/dev/null 2>&1 ||
      { echo "build-deps: apt-get source $pkg failed (is there a deb-src line? tools/install-windows-deps.sh adds one)" >&2; return 1; }
    dir="$(find . -maxdepth 1 -type d -name "$2-[0-9]*" | sort | tail -n 1)"
  fi
  echo "$work/${dir#./}"
}

# cmake_lib NAME STAMP SOURCE OPTIONS...: configure, build and install one library.
cmake_lib() {
  local name="$1" stamp="$prefix/.$1.done" src="$2"; shift 2
  [ -e "$stamp" ] && return 0
  echo "build-deps: $name from $(basename "$src")"
  trap 'echo "build-deps: $name failed; its log: $work/build-$name.log" >&2' ERR
  cmake -S "$src" -B "$work/build-$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DSKYREND_WINDOWS_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER_LAUNCHER="$(command -v ccache || true)" "$@" >"$work/build-$name.log"
  cmake --build "$work/build-$name" -j"$jobs" >>"$work/build-$name.log"
  cmake --install "$work/build-$name" >>"$work/build-$name.log"
  touch "$stamp"
  trap - ERR
}

for pkg in zlib:zlib libpng1.6:libpng1.6 libsdl2:libsdl2 libsdl2-mixer:libsdl2-mixer; do
  source_dir "${pkg%%:*}" "${pkg#*:}" >/dev/null
done
# zlib: the static library only (Debian's source leaves out the DLL's resource file).
if [ ! -e "$prefix/.zlib.done" ]; then
  src="$(source_dir zlib zlib)"
  echo "build-deps: zlib from $(basename "$src")"
  cmake -S "$src" -B "$work/build-zlib" -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >"$work/build-zlib.log" 2>&1
  cmake --build "$work/build-zlib" -j"$jobs" --target zlibstatic >>"$work/build-zlib.log"
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/build-zlib/libzlibstatic.a" "$prefix/lib/libz.a"
  cp "$src/zlib.h" "$work/build-zlib/zconf.h" "$prefix/include/"
  touch "$prefix/.zlib.done"
fi
cmake_lib libpng "$(source_dir libpng1.6 libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix" -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
cmake_lib sdl2 "$(source_dir libsdl2 libsdl2)" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
cmake_lib sdl2_mixer "$(source_dir libsdl2-mixer libsdl2-mixer)" -DBUILD_SHARED_LIBS=ON -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF \
  -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_CMD=OFF -DSDL2MIXER_WAVE=ON -DSDL2MIXER_VENDORED=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2"
