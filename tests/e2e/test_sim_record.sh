# Every run of the simulator can be recorded: a run with the busy scene and a
# colour scheme staged records its whole input, staging included, and the
# recording replays to the same trace. No game records staging, so the
# recording is refused as a game's demo. A script or demo from anywhere costs
# no more than a run may be asked for: a demo header naming a huge window and
# an event past the frame cap are refused before the first frame (exit code
# 2), and a trace that cannot be written stops the run at once (exit code 1),
# all with the reason.
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

printf '# Skyrend demo at 8192x8192: x\n1 tick 16\n' >"$tmp/huge-view.txt"
printf '1000000000 click\n' >"$tmp/far-frame.txt"
printf '# Skyrend demo at 160x120: x\n100000 click\n' >"$tmp/long.txt"
# cases: EXIT_CODE|MESSAGE|ARGS (one word each)
while IFS='|' read -r code text args; do
  rc=0
  # shellcheck disable=SC2086
  timeout 60 "$program_dir/skyrend-sim" $args >/dev/null 2>"$tmp/err" || rc=$?
  [ "$rc" -eq "$code" ] || fail "skyrend-sim $args: exit code $rc, not $code: $(cat "$tmp/err")"
  grep -qF -- "$text" "$tmp/err" || fail "skyrend-sim $args did not say \"$text\": $(cat "$tmp/err")"
done <<CASES
2|the view 8192x8192 is larger than a replay may draw|--script $tmp/huge-view.txt
2|line 1: frame 1000000000 is outside 1..100000000|--script $tmp/far-frame.txt
1|cannot write the trace at frame|--script $tmp/long.txt --trace /dev/full
CASES
# The full disk stops the run within a buffer's worth of frames, not at the last.
frame=$(sed -n 's/.*at frame \([0-9]*\).*/\1/p' "$tmp/err")
[ "${frame:-100000}" -lt 1000 ] || fail "a full disk was found out only at frame $frame"
echo "PASS: a huge view, a frame past the cap and a full disk are refused with their reasons"
