#!/usr/bin/env bash
# Run by ctest after the tests (CTestCustom.cmake in the build folder): names
# each test that skipped with the reason it printed, since ctest itself shows
# only "Skipped". Scripts print "SKIPPED: reason"; GoogleTest prints
# "FILE:LINE: Skipped", the message, then "[  SKIPPED ]".
# usage: report_skipped.sh BUILD_DIR
# While ctest runs, this run's log is still LastTest.log.tmp (LastTest.log is
# the previous run's until ctest renames it at the end).
log="${1:?build folder expected}/Testing/Temporary/LastTest.log"
[ -f "$log.tmp" ] && log="$log.tmp"
[ -f "$log" ] || exit 0
awk '
  /^[0-9]+\/[0-9]+ Test: / { name = $0; sub(/^[0-9]+\/[0-9]+ Test: /, "", name); gtest = 0; next }
  # Only the output counts, not the command line above it.
  /^Output:$/ { output = 1; next }
  /^<end of output>$/ { output = 0; next }
  !output { next }
  /^SKIPPED: / { found[++n] = name ": " substr($0, 10); next }
  /:[0-9]+: Skipped$/ { gtest = 1; why = ""; next }
  gtest && /^\[  SKIPPED \]/ { found[++n] = name ": " (why == "" ? "(no reason given)" : why); gtest = 0; next }
  gtest && NF { why = why (why == "" ? "" : " ") $0 }
  END {
    if (n == 0) exit
    print "\nSkipped, and why:"
    for (i = 1; i <= n; ++i) print "  " found[i]
  }
' "$log"
exit 0
