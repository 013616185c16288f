#!/usr/bin/env bash
# The long proof of the running window, run on demand (the test command runs a short form of each
# part):
#   ./scripts/soak.sh [--minutes N] [--cycles N] [--fault-repeats N] [--out DIR]
# 1. N cycles (1000) of Start and Stop, wave shapes, the waterfall's link dropped and made again
#    and a generator destroyed and made anew while the clock runs, under ThreadSanitizer;
# 2. the injected faults (a sink that throws, a pool that refuses memory, a clock held up for
#    2 s, a tick held up for 2 s while Stop is clicked), each N times (1), under AddressSanitizer
#    with leak detection;
# 3. the window headless with its chain running for N minutes (60), sampled every 10 s into
#    DIR/soak.csv and drawn into DIR/soak.png (DIR is build/soak), in the optimised build.
# Builds only what it runs. Fails when a part fails: a sanitizer report, a failed check, a leak, a
# buffer lost between the clock and a display.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=60
cycles=1000
repeats=1
out=build/soak
while [ $# -gt 0 ]; do
  case "$1" in
    --minutes) minutes=$2 ;;
    --cycles) cycles=$2 ;;
    --fault-repeats) repeats=$2 ;;
    --out) out=$2 ;;
    *) echo "usage: $0 [--minutes N] [--cycles N] [--fault-repeats N] [--out DIR]" >&2; exit 2 ;;
  esac
  shift 2
done
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ALSA_CONFIG_PATH=scripts/alsa-null-device.conf

echo "== storm: $cycles cycles under ThreadSanitizer"
cmake --preset tsan > /dev/null
cmake --build --preset tsan --target app_tests
./scripts/tsan-storm.sh "$cycles"

echo "== faults, each $repeats times, under AddressSanitizer"
cmake --preset asan > /dev/null
cmake --build --preset asan --target app_tests
./build/asan/tests/app/app_tests --gtest_filter='ChainFault.*' --gtest_repeat="$repeats"

echo "== soak: $minutes minutes of the running window"
cmake --preset default > /dev/null
cmake --build --preset default --target notechannels-soak
./build/default/app/notechannels-soak --seconds $((minutes * 60)) --csv "$out/soak.csv" --plot "$out/soak.png"
echo "samples: $out/soak.csv, plot: $out/soak.png"
