#!/usr/bin/env bash
# Runs the window's storm (tests/app, ChainStorm) in the ThreadSanitizer build for the given cycles
# (50 when not given). Fails on a failed check and on a report whose stacks reach this project's
# code. Qt is not built with the sanitizer: the window's painting hands image work to Qt's own
# thread pool, whose locking the sanitizer cannot see; those reports (Qt frames only) are counted
# and shown, not failed on.
set -euo pipefail
cd "$(dirname "$0")/.."
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
QT_QPA_PLATFORM=offscreen NOTECHANNELS_STORM_CYCLES="${1:-50}" TSAN_OPTIONS="exitcode=0 log_path=$logs/report" \
  ./build/tsan/tests/app/app_tests --gtest_filter='ChainStorm.*'
# No report at all is a pass too: an empty list, not a failing cat.
shopt -s nullglob
reports=("$logs"/report.*)
cat /dev/null "${reports[@]}" | awk -v root="$PWD/" '
  BEGIN { RS = "==================\n" }
  /WARNING: ThreadSanitizer/ { total++; if (index($0, root)) { ours++; print } }
  END {
    printf "ThreadSanitizer reports: %d, reaching this project'"'"'s code: %d\n", total, ours
    exit ours > 0
  }'
