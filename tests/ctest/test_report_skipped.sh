# The build's CTestCustom.cmake makes ctest name each skipped test with its
# reason: run in a scratch project with a script that skips (exit 77), a
# GoogleTest-style skip and a passing test that mentions skipping.
# usage: test_report_skipped.sh BUILD_DIR
set -euo pipefail
BUILD="${1:?build folder expected}"
TMP="$(mktemp -d /tmp/skyrend-skips.XXXXXX)"
trap 'rm -rf "$TMP"' EXIT
cat >"$TMP/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(skips NONE)
enable_testing()
add_test(NAME tool_missing COMMAND sh -c "echo 'SKIPPED: no tool here'; exit 77")
set_tests_properties(tool_missing PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME gtest_skip COMMAND printf "[ RUN      ] A.B\nx.cpp:3: Skipped\nno sim built\n\n[  SKIPPED ] A.B (0 ms)\n")
set_tests_properties(gtest_skip PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
add_test(NAME passes COMMAND echo "nothing was SKIPPED: here")
CMAKE
cmake -S "$TMP" -B "$TMP/build" >/dev/null
# The real file, pointed at the scratch build's log.
custom="$(<"$BUILD/CTestCustom.cmake")"
printf '%s\n' "${custom//"$BUILD"/"$TMP/build"}" >"$TMP/build/CTestCustom.cmake"
grep -qF "$TMP/build" "$TMP/build/CTestCustom.cmake" || { echo "FAIL: CTestCustom.cmake does not name $BUILD"; exit 1; }
out="$(ctest --test-dir "$TMP/build" --output-on-failure 2>&1)"
for want in "tool_missing: no tool here" "gtest_skip: no sim built"; do
  printf '%s\n' "$out" | grep -qF "$want" || { printf 'FAIL: no "%s" in:\n%s\n' "$want" "$out"; exit 1; }
done
if printf '%s\n' "$out" | grep -q "passes:"; then printf 'FAIL: a passing test listed:\n%s\n' "$out"; exit 1; fi
echo "PASS: ctest names the skipped tests with their reasons"
