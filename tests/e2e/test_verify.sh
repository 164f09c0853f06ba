# skyrend-verify: a demo's game checked with no picture. It needs no display,
# links neither GL nor EGL nor SDL, says each demo's score, level and frames,
# and refuses with exit code 2 what is no game's demo.
set -u
program_dir=$1
verify="$program_dir/skyrend-verify"
demos="$(dirname "$0")/../data/demos"
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

libs="$(ldd "$verify")" || fail "ldd $verify"
if printf '%s' "$libs" | grep -Eq 'libGL|libEGL|libOpenGL|libGLX|libSDL'; then
  fail "skyrend-verify links a graphics library: $libs"
fi

# The recorded demos under this game's rules version: their games are these.
rules="$("$program_dir/skyrend" --version | sed -nE 's/.*\(rules (.*)\)$/\1/p')"
for n in 1 2; do
  sed -E "1s/^# Skyrend demo at ([0-9]+x[0-9]+)[^:]*:/# Skyrend demo at \1, rules $rules:/" "$demos/demo$n.txt" >"$tmp/demo$n.txt"
done
out="$(DISPLAY= "$verify" "$tmp/demo1.txt" "$tmp/demo2.txt")" || fail "exit code $? on good demos"
[ "$out" = "$tmp/demo1.txt: score 500, level 1, 161 frames
$tmp/demo2.txt: score 0, level 1, 187 frames" ] || fail "output: $out"

printf '1 tick 16\n' >"$tmp/script.txt"
rc=0
out="$("$verify" "$tmp/demo1.txt" "$tmp/script.txt")" || rc=$?
[ "$rc" -eq 2 ] || fail "a script that is no demo: exit code $rc"
printf '%s' "$out" | grep -q "script.txt: refused: line 1: not a demo" || fail "no refusal: $out"
sed -E "1s/, rules [^:]*:/, rules 0.1:/" "$tmp/demo1.txt" >"$tmp/old.txt"
rc=0
out="$("$verify" "$tmp/old.txt")" || rc=$?
[ "$rc" -eq 2 ] || fail "a demo of other rules: exit code $rc"
[ "$out" = "$tmp/old.txt: refused: line 1: recorded under rules version \"0.1\"; this game plays rules version $rules" ] ||
  fail "a demo of other rules: $out"
echo "PASS: skyrend-verify checks demos with no graphics library"
