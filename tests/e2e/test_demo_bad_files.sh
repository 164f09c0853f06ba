# A demo that cannot be read or written stops the game before its window
# opens, with exit code 2 and the reason; a damaged demo's bad word is shown
# clipped and escaped. No display is needed: nothing may get as far as one.
set -u
GAME="${1:?program folder expected}/skyrend"
TMP="$(mktemp -d /tmp/skyrend-e2e.XXXXXX)"
trap 'rm -rf "$TMP"' EXIT
export SKYREND_NO_DIALOGS=1
export XDG_CONFIG_HOME="$TMP/config" XDG_DATA_HOME="$TMP/data"  # none of the machine's player files
unset DISPLAY WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }
rules="$("$GAME" --version | sed -nE 's/.*\(rules (.*)\)$/\1/p')"
header="# Skyrend demo at 640x480, rules $rules: x"

# expect_refusal TEXT ARGS...: the game ends with code 2 and TEXT on stderr.
expect_refusal() {
  local text="$1"; shift
  local rc=0
  timeout 20 "$GAME" "$@" >"$TMP/out" 2>"$TMP/err" || rc=$?
  [ "$rc" -eq 2 ] || fail "skyrend $* ended with code $rc, not 2: $(cat "$TMP/err")"
  grep -qF -- "$text" "$TMP/err" || fail "skyrend $* did not say \"$text\": $(cat "$TMP/err")"
}

expect_refusal "cannot read the script: Is a directory" --play "$TMP"
expect_refusal "cannot read the script: No such file or directory" --play "$TMP/missing.txt"
expect_refusal "cannot create the demo file: No such file or directory" --record "$TMP/missing/demo.txt"
expect_refusal "cannot create the demo file: Is a directory" --record "$TMP"

printf '%s\n1 tick 16\n2 \033]0;%s\n' "$header" "$(head -c 300 /dev/zero | tr '\0' 'x')" >"$TMP/damaged.txt"
expect_refusal "line 3: unknown verb \"\\x1b]0;xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\"" --play "$TMP/damaged.txt"
printf '%s\n5 down 90\n3 up 90\n' "$header" >"$TMP/backwards.txt"
expect_refusal "line 3: frame 3 comes after frame 5 (line 2)" --play "$TMP/backwards.txt"
mkfifo "$TMP/fifo"
expect_refusal "cannot read the script: Not a regular file" --play "$TMP/fifo"
expect_refusal "cannot create the demo file: Not a regular file" --record "$TMP/fifo"
ln -s /dev/zero "$TMP/device"
expect_refusal "cannot create the demo file: Not a regular file" --record "$TMP/device"
printf '# Skyrend demo at 100000x100000: x\n1 tick 16\n' >"$TMP/huge-window.txt"
expect_refusal "line 1: the recorded window size \"100000x100000\" is not WxH within 1..16384" --play "$TMP/huge-window.txt"
# A demo of other rules (or of none) would replay into another game.
printf '# Skyrend demo at 640x480, rules 0.1: x\n1 tick 16\n' >"$TMP/other-rules.txt"
expect_refusal "line 1: recorded under rules version \"0.1\"; this game plays rules version $rules" --play "$TMP/other-rules.txt"
printf '# Skyrend demo at 640x480: x\n1 tick 16\n' >"$TMP/no-rules.txt"
expect_refusal "line 1: recorded under no rules version (an older game); this game plays rules version $rules" --play "$TMP/no-rules.txt"
echo "PASS: unreadable, unwritable and damaged demos are refused before the window opens"
