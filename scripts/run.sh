#!/usr/bin/env bash
# Sets up (installing what is missing), builds and starts the game. Extra arguments
# go to the program (a grid file, or a ".macro" file to play after start-up).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
# Only the game and the data it copies beside it: the tests wait for scripts/test.sh.
"$root/scripts/setup.sh" "$build" quorbel >&2
exec "$build/quorbel" "$@"
