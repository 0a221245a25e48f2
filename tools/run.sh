#!/usr/bin/env bash
# Sets everything up, builds and starts Draftwell. On a desktop (DISPLAY set) the designer opens
# its main window; without one, draftwell says so and the main window with two new documents is
# written to build/draftwell-main.png instead.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
bash tools/build.sh draftwell
if [ -n "${DISPLAY:-}" ]; then
  exec build/app/draftwell "$@"
fi
build/app/draftwell "$@" || true
build/app/draftwell --screenshot build/draftwell-main.png --new 2
