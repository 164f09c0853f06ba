# Installed like a game: `cmake --install` into a temporary prefix lays out
# the program, its data, a valid desktop entry and metainfo, a 256 x 256
# icon and a man page, and the installed game starts, finds its data and
# quits on Escape; `cpack -G DEB` packs the same into a package whose
# unpacked game starts too.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
BUILD="${2:?build folder expected}"
PREFIX="$E2E_TMP/prefix"

cmake --install "$BUILD" --prefix "$PREFIX" >"$E2E_TMP/install.log" 2>&1 ||
  e2e_fail "cmake --install failed: $(tail -n5 "$E2E_TMP/install.log")"
[ -x "$PREFIX/bin/skyrend" ] || e2e_fail "no bin/skyrend"
[ -f "$PREFIX/share/skyrend/GameText.txt" ] || e2e_fail "no share/skyrend/GameText.txt"
[ -f "$PREFIX/share/skyrend/letters.bmp" ] || e2e_fail "no share/skyrend/letters.bmp"
[ ! -e "$PREFIX/bin/GameText.txt" ] || e2e_fail "data beside the installed executable"
desktop="$(ls "$PREFIX"/share/applications/*.desktop)"
desktop-file-validate "$desktop" || e2e_fail "desktop entry not valid"
appstreamcli validate --no-net "$PREFIX"/share/metainfo/*.metainfo.xml >"$E2E_TMP/as.log" 2>&1 ||
  e2e_fail "metainfo not valid: $(cat "$E2E_TMP/as.log")"
icon_name="$(sed -n 's/^Icon=//p' "$desktop")"
icon="$PREFIX/share/icons/hicolor/256x256/apps/$icon_name.png"
[ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "256x256" ] || e2e_fail "no 256x256 icon at $icon"
grep -qF -- '\-\-window' "$PREFIX/share/man/man6/skyrend.6" || e2e_fail "the man page lacks the options"

# The installed game, started from elsewhere, reads its data from share/skyrend.
cd "$E2E_TMP"
e2e_start "$PREFIX/bin/skyrend"
e2e_wait_title 20 >/dev/null
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "the installed game ended with exit code $GAME_RC"

# The package: built by CPack from the same build, unpacked, started.
(cd "$E2E_TMP" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$E2E_TMP/deb" >"$E2E_TMP/cpack.log" 2>&1) ||
  e2e_fail "cpack failed: $(tail -n5 "$E2E_TMP/cpack.log")"
deb="$(ls "$E2E_TMP"/deb/*.deb)"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || e2e_fail "the package does not depend on SDL2"
dpkg-deb -x "$deb" "$E2E_TMP/root"
e2e_start "$E2E_TMP/root/usr/bin/skyrend"
e2e_wait_title 20 >/dev/null
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "the packaged game ended with exit code $GAME_RC"
echo "PASS: installed into a prefix and from a package, valid desktop files, started and quit"
