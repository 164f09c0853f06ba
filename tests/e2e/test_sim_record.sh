# Every run of the simulator can be recorded: a run with the busy scene and a
# colour scheme staged records its whole input, staging included, and the
# recording replays to the same trace. No game records staging, so the
# recording is refused as a game's demo.
set -u
program_dir=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
printf '105 down 90\n105 up 90\n110 down 32\n110 down 39\n' >"$tmp/busy.txt"
"$program_dir/skyrend-sim" --size 160x120 --script "$tmp/busy.txt" --frames 200 --busy 106 --scheme 10 \
  --trace "$tmp/run.jsonl" --record "$tmp/run.txt" || fail "the staged run: exit code $?"
grep -q '^106 stage busy$' "$tmp/run.txt" || fail "the recording holds no staging"
"$program_dir/skyrend-sim" --script "$tmp/run.txt" --trace "$tmp/again.jsonl" || fail "the replay: exit code $?"
cmp -s "$tmp/run.jsonl" "$tmp/again.jsonl" || fail "the recording replays to another trace"
rc=0
"$program_dir/skyrend-verify" "$tmp/run.txt" >"$tmp/verify.txt" || rc=$?
[ "$rc" -eq 2 ] || fail "skyrend-verify took a staged run: exit code $rc"
echo "PASS: a staged simulator run recorded and replayed to the same trace"
