#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite: tools/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
bash tools/build.sh "$@"
dir=build
[ "${1:-}" = "--sanitize" ] && dir=build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir "$dir" --output-on-failure -j 2
