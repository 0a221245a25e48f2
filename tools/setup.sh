#!/usr/bin/env bash
# Installs the Debian packages Draftwell needs to build, test and run, skipping those present.
# tools/setup.sh --fuzz also installs clang for the libFuzzer targets (tests/fuzz).
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libfontconfig-dev libpixman-1-dev libx11-dev libxext-dev libxtst-dev
  libpng-dev libjpeg-dev zlib1g-dev
  fonts-dejavu-core xvfb xauth twm
)
[ "${1:-}" = "--fuzz" ] && packages+=(clang)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
