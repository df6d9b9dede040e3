# Sourced by the comparison scripts: installs the benchmark peer qqwing when missing and
# builds our bench tool. Expects $root, $build and $tool to be set.
if ! command -v qqwing > /dev/null; then
  echo "Installing qqwing (benchmark peer only)..."
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq qqwing > /dev/null || { apt-get update -qq && apt-get install -y -qq qqwing > /dev/null; }
fi
if [ ! -x "$tool" ]; then
  cmake -S "$root" -B "$build" -G Ninja > /dev/null
fi
cmake --build "$build" --target quorbel-bench > /dev/null
