#!/usr/bin/env bash
# Runs the window headless with its chain for the given seconds (60 when not given) and prints its
# CPU use (process CPU time / wall time), resident memory after the first minute and at the end,
# and the buffers produced against those whose spectra reached the waterfall.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default >/dev/null
cmake --build --preset default --target notechannels-soak
ALSA_CONFIG_PATH=scripts/alsa-null-device.conf exec ./build/default/app/notechannels-soak --seconds "${1:-60}"
