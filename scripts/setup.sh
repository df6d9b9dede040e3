#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds Quorbel: the targets
# named after the build folder, or every target (the tests, benchmarks and tools too).
# Usage: scripts/setup.sh [build-dir [target...]]; QUORBEL_WERROR=ON makes every warning an error,
# QUORBEL_JOBS=N builds with N jobs instead of one a processor.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
targets=("${@:2}")
jobs="${QUORBEL_JOBS:-$(nproc)}"
case "$jobs" in
  '' | *[!0-9]* | 0) echo "QUORBEL_JOBS must be a positive number, not '$jobs'" >&2; exit 2 ;;
esac

"$root/scripts/install_packages.sh" qt6-base-dev qt6-multimedia-dev libmpg123-dev libgtest-dev libpulse-dev cmake \
  ninja-build g++ pkg-config libgl-dev xvfb xauth fonts-liberation libbenchmark-dev qt6-translations-l10n

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-Release}" \
  -DQUORBEL_WERROR="${QUORBEL_WERROR:-OFF}"
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$build" -j "$jobs" --target "${targets[@]}"
else
  cmake --build "$build" -j "$jobs"
fi
