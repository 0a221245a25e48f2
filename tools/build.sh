#!/usr/bin/env bash
# Configures and builds into a build folder: tools/build.sh [--sanitize] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  dir=build-asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DDW_SANITIZE=ON -DDW_BENCH=OFF)
fi
[ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
jobs=$(( $(nproc) > 4 ? 4 : $(nproc) ))
cmake --build "$dir" -j "$jobs" ${1:+--target "$@"}
