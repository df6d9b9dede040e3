#!/usr/bin/env bash
# Hostile input: builds the plain tests and one libFuzzer target per reader with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, runs the plain tests, then fuzzes each reader
# from seeds of our own. Any crash, leak or undefined behaviour stops the run with its input
# saved in the build folder.
# Usage: scripts/fuzz.sh [seconds per reader (default 60)] [build-dir] [--readers-only]
# --readers-only (CI) builds and fuzzes the readers without building and running the plain tests.
# QUORBEL_WERROR=ON makes every warning an error.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${2:-$root/build-fuzz}"
readersOnly="${3:-}"
jobs="${FUZZ_BUILD_JOBS:-${QUORBEL_JOBS:-$(nproc)}}"

"$root/scripts/install_packages.sh" clang libclang-rt-dev qt6-base-dev qt6-multimedia-dev libmpg123-dev \
  libgtest-dev libbenchmark-dev cmake ninja-build pkg-config libgl-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORBEL_FUZZ=ON \
  -DQUORBEL_WERROR="${QUORBEL_WERROR:-OFF}"
targets=(fuzz_sud_file fuzz_text_grid fuzz_macro_line fuzz_irregular_block_file fuzz_metafile fuzz_picture_bmp fuzz_picture_gif
  fuzz_picture_ico fuzz_picture_tga fuzz_picture_pcx fuzz_picture_wbmp fuzz_picture_wmf fuzz_picture_any)
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ "$readersOnly" = "--readers-only" ]; then
  cmake --build "$build" -j "$jobs" --target make_fuzz_seeds "${targets[@]}"
else
  cmake --build "$build" -j "$jobs" --target engine_tests core_tests make_fuzz_seeds "${targets[@]}"
  # The French locale the number-format tests switch to (made only where localedef exists).
  cmake --build "$build" --target test_locale > /dev/null 2>&1 || true
  # The block file's check gives each layout's search a time budget that a sanitizer build overruns.
  "$build/tests/engine_tests" --gtest_brief=1 \
    --gtest_filter=-IrregularLayoutCheck.EveryLayoutOfOurBlockFileIsConnectedAndSolvable
  "$build/tests/core_tests" --gtest_brief=1
fi

corpus="$build/corpus"
"$build/tests/fuzz/make_fuzz_seeds" "$corpus"
mkdir -p "$corpus/irregular_block_file"
cp "$root/data/IRGBlk.dat" "$corpus/irregular_block_file/"
for target in "${targets[@]}"; do
  name="${target#fuzz_}"
  mkdir -p "$corpus/$name" "$build/crashes/$name"
  echo "Fuzzing $name for $seconds s"
  "$build/tests/fuzz/$target" -max_total_time="$seconds" -max_len=262144 -timeout=20 \
    -artifact_prefix="$build/crashes/$name/" -print_final_stats=1 "$corpus/$name"
done
