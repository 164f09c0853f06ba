# The game's command line: --help and --version answer without opening a
# window, a bad one ends with exit code 2, and an unknown option is named in
# a warning while the game starts as usual.
. "$(dirname "$0")/lib.sh"
e2e_init "$1"

out="$(DISPLAY= "$GAME" --help)" || e2e_fail "--help: exit code $?"
printf '%s' "$out" | grep -q -- '--window' || e2e_fail "--help does not list --window"
printf '%s' "$out" | grep -q 'Alt+Enter' || e2e_fail "--help does not list the keys"
[ "$(DISPLAY= "$GAME" -h)" = "$out" ] || e2e_fail "-h differs from --help"
DISPLAY= "$GAME" --version | grep -Eq '^skyrend [0-9]+\.[0-9]+\.[0-9]+ \(rules [^ ]+\)$' || e2e_fail "--version"
rc=0
"$GAME" --play >/dev/null 2>"$E2E_TMP/bad" || rc=$?
[ "$rc" -eq 2 ] || e2e_fail "--play without a file: exit code $rc"
grep -q -- '--play needs a FILE' "$E2E_TMP/bad" || e2e_fail "--play without a file: $(cat "$E2E_TMP/bad")"

e2e_start_args() { "$GAME" "$@" >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" & GAME_PID=$!; }
e2e_start_args --turbo
e2e_wait_title 20 >/dev/null
grep -q 'unknown option "--turbo" ignored' "$E2E_TMP/stderr" || e2e_fail "no warning for --turbo"
e2e_press Escape
e2e_wait_exit 15
[ "$GAME_RC" -eq 0 ] || e2e_fail "exit code $GAME_RC after an unknown option"
echo "PASS: help, version, a bad command line, and a warning for an unknown option"
