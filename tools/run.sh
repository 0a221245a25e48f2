#!/usr/bin/env bash
# Sets everything up, builds and runs Draftwell. Until the designer program exists this
# demonstrates the form conversion tool on the sample form in resources/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
bash tools/build.sh formconv
out=$(mktemp -d)
echo "Converting resources/samples/Sample.dfm (text) to binary and back:"
build/tools/formconv resources/samples/Sample.dfm "$out/Sample.bin"
build/tools/formconv --check "$out/Sample.bin"
build/tools/formconv "$out/Sample.bin" "$out/Sample.txt"
cat "$out/Sample.txt"
