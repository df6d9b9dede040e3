#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds Quorbel: the targets
# named after the build folder, or every target (the tests, benchmarks and tools too).
# Usage: scripts/setup.sh [build-dir [target...]]; QUORBEL_WERROR=ON makes every warning an error.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
targets=("${@:2}")

"$root/scripts/install_packages.sh" qt6-base-dev qt6-multimedia-dev libmpg123-dev libgtest-dev libpulse-dev cmake \
  ninja-build g++ pkg-config libgl-dev xvfb xauth fonts-liberation libbenchmark-dev qt6-translations-l10n

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-Release}" \
  -DQUORBEL_WERROR="${QUORBEL_WERROR:-OFF}"
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
else
  cmake --build "$build" -j "$(nproc)"
fi
