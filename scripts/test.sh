#!/usr/bin/env bash
# Sets up (installing what is missing), builds the readers' fuzz targets with clang and gives
# each a few seconds, so that the fuzz build cannot break unseen, then builds and runs every test
# through CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
# Warnings fail the build here, with either compiler.
export QUORBEL_WERROR=ON
# What only the tests use: a PulseAudio server of their own and its recorder, the scanner's fonts.
"$root/scripts/install_packages.sh" pulseaudio pulseaudio-utils fonts-dejavu-core
"$root/scripts/setup.sh" "$build"
"$root/scripts/fuzz.sh" 3 "$build-fuzz" --readers-only
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "${QUORBEL_JOBS:-$(nproc)}"
