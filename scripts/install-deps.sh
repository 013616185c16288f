#!/usr/bin/env bash
# Installs every Debian package that the build, the tests and the benchmarks need.
# Idempotent: when everything is present it changes nothing and asks apt for nothing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build ccache pkg-config git
  # the layout every source file is checked against
  clang-format
  # clang with its sanitizer and fuzzer runtime
  clang libclang-rt-14-dev
  # Qt 6 widgets (and the offscreen platform for headless runs)
  qt6-base-dev qt6-qpa-plugins libgl-dev
  # fonts the window asks for by name are substituted from these
  fontconfig fonts-liberation fonts-dejavu-core
  # sound capture service, opened at run time by library name
  libasound2
  # JPEG export of display pictures
  libjpeg62-turbo-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # reference FFT, used by the benchmarks only
  libfftw3-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
