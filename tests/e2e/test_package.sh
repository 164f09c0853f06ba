# The Debian package: `cpack -G DEB` packs the games layout, which lintian
# passes without an error or a warning; the package depends on SDL2 and a GL
# driver, and the game unpacked from it into a scratch root (no dpkg database
# touched) starts from /usr/games, reads /usr/share/games/skyrend and quits.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"
BUILD="${2:?build folder expected}"

(cd "$E2E_TMP" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$E2E_TMP/deb" >"$E2E_TMP/cpack.log" 2>&1) ||
  e2e_fail "cpack failed: $(tail -n5 "$E2E_TMP/cpack.log")"
deb="$(ls "$E2E_TMP"/deb/*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libsdl2 libgl1 libgl1-mesa-dri; do
  printf '%s' "$depends" | grep -Eq "(^|, )$package[ ,-]|(^|, )$package\$" ||
    e2e_fail "the package does not depend on $package: $depends"
done

lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1 ||
  e2e_fail "lintian: $(cat "$E2E_TMP/lintian.log")"
! grep -Eq '^[EW]: ' "$E2E_TMP/lintian.log" || e2e_fail "lintian: $(cat "$E2E_TMP/lintian.log")"

ROOT="$E2E_TMP/root"
dpkg-deb -x "$deb" "$ROOT"
[ -f "$ROOT/usr/share/games/skyrend/GameText.txt" ] || e2e_fail "no /usr/share/games/skyrend/GameText.txt"
[ ! -e "$ROOT/usr/bin" ] || e2e_fail "the package has /usr/bin: $(ls "$ROOT/usr/bin")"
cd "$E2E_TMP"
e2e_start "$ROOT/usr/games/skyrend"
e2e_wait_title 20 >/dev/null
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "the packaged game ended with exit code $GAME_RC"
echo "PASS: lintian-clean package, unpacked into a scratch root, started and quit"
