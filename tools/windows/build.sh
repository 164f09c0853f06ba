#!/usr/bin/env bash
# Builds the Windows program on Debian: SDL2, SDL2_mixer, libpng and zlib from
# Debian's source packages with mingw-w64 (build-deps.sh), the art from a
# native build's generator, then skyrend.exe, skyrend-sim.exe and
# skyrend-verify.exe cross-built into OUT/game, gathered with the art and
# SDL's DLLs in OUT/Skyrend and zipped as OUT/Skyrend-windows-x64.zip.
# Usage: tools/windows/build.sh [OUT]   (OUT defaults to build-windows)
# NATIVE_BUILD names the native build folder to use (default build).
# tools/install-windows-deps.sh installs what it needs.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(mkdir -p "${1:-$root/build-windows}" && cd "${1:-$root/build-windows}" && pwd)"
native="${NATIVE_BUILD:-$root/build}"
jobs="${JOBS:-2}"
for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres zip; do
  command -v "$tool" >/dev/null || { echo "build.sh: $tool is missing: run tools/install-windows-deps.sh" >&2; exit 1; }
done
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi

bash "$root/tools/windows/build-deps.sh" "$out/deps" "$out/prefix"

echo "build.sh: the art, generated natively in $native"
[ -f "$native/CMakeCache.txt" ] || cmake -S "$root" -B "$native" "${launcher[@]}" >/dev/null
cmake --build "$native" -j"$jobs" --target skyrend-assets skyrend_icon >/dev/null

echo "build.sh: the icon"
bash "$root/tools/windows/make-ico.sh" "$out/skyrend.ico" "$native"/icons/skyrend-{48,64,128,256}.png

echo "build.sh: the programs"
cmake -S "$root" -B "$out/game" -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DSKYREND_WINDOWS_PREFIX="$out/prefix" -DSKYREND_NATIVE_BUILD="$native" \
  -DSKYREND_WINDOWS_ICON="$out/skyrend.ico" "${launcher[@]}" >/dev/null
cmake --build "$out/game" -j"$jobs" --target skyrend skyrend-sim skyrend-verify >/dev/null

echo "build.sh: the folder and the zip"
folder="$out/Skyrend"
rm -rf "$folder" "$out/Skyrend-windows-x64.zip"
mkdir -p "$folder"
for exe in skyrend skyrend-sim skyrend-verify; do
  x86_64-w64-mingw32-strip -o "$folder/$exe.exe" "$out/game/bin/$exe.exe"
done
for dll in SDL2 SDL2_mixer; do x86_64-w64-mingw32-strip -o "$folder/$dll.dll" "$out/prefix/bin/$dll.dll"; done
while read -r name; do cp "$out/game/bin/$name" "$folder/"; done <"$out/game/assets.list"
cp "$root/LICENSE" "$folder/LICENSE.txt"
cp "$root/tools/windows/README-windows.txt" "$folder/README.txt"
(cd "$out" && zip -qr -X Skyrend-windows-x64.zip Skyrend)
echo "build.sh: $out/Skyrend-windows-x64.zip ($(stat -c %s "$out/Skyrend-windows-x64.zip") bytes)"
