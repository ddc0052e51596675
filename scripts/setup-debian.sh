#!/usr/bin/env bash
# Installs every Debian 12 package Kelmora needs to build, run, test, benchmark and fuzz.
# Packages already present are skipped, so running it again is cheap.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libwxgtk3.2-dev libgtk-3-dev
  libcairo2-dev libpango1.0-dev libfontconfig-dev
  libpng-dev libjpeg62-turbo-dev libtiff-dev libgif-dev
  libgsf-1-dev libpugixml-dev uuid-dev zlib1g-dev libdeflate-dev libcups2-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libglib2.0-dev libx11-dev
  xvfb xauth openbox fonts-liberation2 python3 python3-olefile unzip zip poppler-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
