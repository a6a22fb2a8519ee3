#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the example rendering need.
# Run as root on Debian 12; does nothing when everything is already installed.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git
  libcairo2-dev libfontconfig-dev libfreetype-dev libpng-dev libjpeg-dev libgif-dev
  libcurl4-openssl-dev
  fonts-liberation2 fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3 ca-certificates
  libx11-dev xvfb libxtst-dev x11-utils
  python3-pil
  librsvg2-bin poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # No recommended packages: some bring fonts that take over the logical font names.
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
echo "setup: all packages present"
