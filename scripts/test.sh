#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: the optimised build first, then the
# AddressSanitizer + UndefinedBehaviorSanitizer build, a minute of the running window (and a program
# built against the installed package), the ThreadSanitizer build of the threaded suites (pins,
# buffers, components, display, and the window's storm of Start, Stop and relinks), then a bounded
# run of the layout reader's fuzzer (clang, libFuzzer).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

# Every C++ line as .clang-format lays it out; the list of offenders is the fix.
echo "== format"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

for preset in default asan; do
  echo "== $preset"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# A minute of the window running headless with its chain (scripts/soak.sh runs it for an hour):
# fails when a buffer produced did not reach both displays.
echo "== soak"
soak=$(mktemp -d)
ALSA_CONFIG_PATH=scripts/alsa-null-device.conf ./build/default/app/notechannels-soak --seconds 60 \
  --csv "$soak/soak.csv" --plot "$soak/soak.png"
rm -rf "$soak"

# A consumer's view: the default build installed into a temporary prefix, and a small program
# built against it with find_package(NoteChannels).
echo "== consumer"
consumer=$(mktemp -d)
cmake --install build/default --prefix "$consumer/prefix" > /dev/null
cmake -S tests/consumer -B "$consumer/build" -G Ninja -DCMAKE_PREFIX_PATH="$consumer/prefix" > /dev/null
cmake --build "$consumer/build"
"$consumer/build/consumer"
rm -rf "$consumer"

# ThreadSanitizer for the suites where threads meet: locks, pins and links, shared buffers, the
# generators' clock threads, and data delivered to displays from other threads.
echo "== tsan"
cmake --preset tsan
cmake --build --preset tsan --target pins_tests buffers_tests components_tests display_tests app_tests
ctest --preset tsan -L '^(pins_tests|buffers_tests|components_tests|display_tests)$'
# Of the window's tests only the storm of Start, Stop, relinks and a remade generator while the
# clock runs (scripts/soak.sh runs 1000 cycles of it).
./scripts/tsan-storm.sh 50

echo "== fuzz"
cmake --preset fuzz
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
if ! ./build/fuzz/tests/fuzz/layout_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -rss_limit_mb=2048 \
    -print_final_stats=1 "$work/corpus" tests/fuzz/seeds > "$work/fuzz.log" 2>&1; then
  tail -n 60 "$work/fuzz.log"
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$work/fuzz.log"
