#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds Quorbel.
# Usage: scripts/setup.sh [build-dir]; QUORBEL_WERROR=ON makes every warning an error.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"

"$root/scripts/install_packages.sh" qt6-base-dev qt6-multimedia-dev libmpg123-dev libgtest-dev cmake \
  ninja-build g++ pkg-config libgl-dev xvfb xauth fonts-liberation libbenchmark-dev qt6-translations-l10n

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-Release}" \
  -DQUORBEL_WERROR="${QUORBEL_WERROR:-OFF}"
cmake --build "$build" -j "$(nproc)"
