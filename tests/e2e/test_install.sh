# Installed into a prefix: `cmake --install` lays out the program, its data,
# a valid desktop entry and metainfo (clean under appstreamcli's pedantic
# checks), the icons at every size, the compressed man page and the
# copyright; the installed game, started from elsewhere, finds its data, its
# window's class is the desktop entry's StartupWMClass, and it quits on Escape.
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
[ ! -e "$PREFIX/games" ] || e2e_fail "the games layout installed too, without being asked for"
grep -q "^License: MIT" "$PREFIX/share/doc/skyrend/copyright" || e2e_fail "no MIT licence in the copyright file"

desktop="$(ls "$PREFIX"/share/applications/*.desktop)"
desktop-file-validate "$desktop" || e2e_fail "desktop entry not valid"
metainfo="$(ls "$PREFIX"/share/metainfo/*.metainfo.xml)"
appstreamcli validate --pedantic --no-net "$metainfo" >"$E2E_TMP/as.log" 2>&1 ||
  e2e_fail "metainfo not valid: $(cat "$E2E_TMP/as.log")"
# Pedantic notes and warnings alike fail: app stores reject more than the
# validator does. The one exception: AppStream before 1.0 does not know
# <developer>, which replaced <developer_name>, and only notes it.
if grep -E '^[EWIP]: ' "$E2E_TMP/as.log" | grep -Evq '^I: [^ ]+ unknown-tag developer$'; then
  e2e_fail "appstreamcli has remarks: $(cat "$E2E_TMP/as.log")"
fi
grep -q '<release version="[0-9.]*" date="[0-9-]*">' "$metainfo" || e2e_fail "no release with its date in the metainfo"

icon_name="$(sed -n 's/^Icon=//p' "$desktop")"
for size in 48 64 128 256; do
  icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/$icon_name.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || e2e_fail "no ${size}x${size} icon at $icon"
done
zcat "$PREFIX/share/man/man6/skyrend.6.gz" | grep -qF -- '\-\-window' || e2e_fail "the man page lacks the options"

# The installed game, started from elsewhere, reads its data from share/skyrend.
cd "$E2E_TMP"
e2e_start "$PREFIX/bin/skyrend"
e2e_wait_title 20 >/dev/null
wm_class="$(sed -n 's/^StartupWMClass=//p' "$desktop")"
[ -n "$wm_class" ] || e2e_fail "the desktop entry has no StartupWMClass"
xprop -id "$(e2e_window)" WM_CLASS | grep -qF "\"$wm_class\"" ||
  e2e_fail "the window's class is not \"$wm_class\": $(xprop -id "$(e2e_window)" WM_CLASS)"
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "the installed game ended with exit code $GAME_RC"
echo "PASS: installed into a prefix with valid desktop files and icons; started, matched its launcher, quit"
